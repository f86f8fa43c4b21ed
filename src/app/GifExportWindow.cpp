// The GIF export window: settings kept for the run, the recording loop's controls, and the
// main window held busy while the window is open.
#include "app/GifExportWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/BoardView.h"
#include "app/FileChooser.h"
#include "app/Help.h"
#include "app/OptionsWindow.h"
#include "app/QtPlatform.h"
#include "app/RunMemory.h"
#include "app/ShellState.h"
#include "app/SliderField.h"
#include "files/FileNames.h"
#include "files/GameSession.h"
#include "files/SaveOffer.h"
#include "model/Context.h"
#include "model/History.h"

namespace vorpel {

namespace {

constexpr std::array<const char*, 4> kWhatCaptions = {"Initial position", "Current position",
                                                      "All steps", "All moves"};

} // namespace

GifExportWindow::GifExportWindow(GameSession& session, GifExportHost& main)
    : QWidget(&main.Widget(), Qt::Tool), main_(main), session_(session) {
    setObjectName(QStringLiteral("GifExportWindow"));
    setWindowTitle(QStringLiteral(" Write as GIF animation"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* whatBox = new QGroupBox(QStringLiteral("What to write:"), this);
    auto* whatLayout = new QVBoxLayout(whatBox);
    for (std::size_t i = 0; i < whatButtons.size(); ++i) {
        whatButtons[i] = new QRadioButton(QString::fromLatin1(kWhatCaptions[i]), whatBox);
        whatLayout->addWidget(whatButtons[i]);
    }
    stepTimeField = new SliderField(QStringLiteral("Step time"), 0, 100, this);
    stepTimeField->setObjectName(QStringLiteral("stepTimeField"));
    loopBox = new QCheckBox(QStringLiteral("Loop"), this);
    widthLabel = new QLabel(this);
    heightLabel = new QLabel(this);
    framesLabel = new QLabel(this);
    speedLabel = new QLabel(this);
    totalTimeLabel = new QLabel(this);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setFormat(QStringLiteral("Writing progress"));
    progressBar->setTextVisible(true);
    const auto button = [this](const char* caption, const char* name) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    writeButton = button("&Write", "writeButton");
    stopButton = button("&Stop", "stopButton");
    closeButton = button("&Close", "closeButton");
    helpButton = button("&Help", "helpButton");
    optionsButton = button("&Options", "optionsButton");

    auto* labels = new QVBoxLayout;
    for (QLabel* label : {widthLabel, heightLabel, framesLabel, speedLabel, totalTimeLabel})
        labels->addWidget(label);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {writeButton, stopButton, closeButton, optionsButton, helpButton})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(whatBox);
    left->addWidget(stepTimeField);
    left->addWidget(loopBox);
    left->addLayout(labels);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(progressBar);

    // Opening: the main window stays busy (painting on) until the window closes.
    main_.Shell().recordingGif = false;
    main_.Shell().gifStop = std::stop_source();
    main_.SetBusy(true, true, false);
    whatButtons[static_cast<std::size_t>(Settings().what)]->setChecked(true);
    stepTimeField->SetValue(Settings().stepTime);
    loopBox->setChecked(Settings().loop);
    // Connected once the controls show the settings, so that filling them changes nothing.
    for (QRadioButton* b : whatButtons)
        connect(b, &QRadioButton::toggled, this, [this] {
            TakeSettings();
            ShowFrames();
        });
    connect(stepTimeField, &SliderField::valueChanged, this, [this] {
        TakeSettings();
        ShowFrames();
    });
    connect(loopBox, &QCheckBox::toggled, this, [this] { TakeSettings(); });
    connect(writeButton, &QPushButton::clicked, this, &GifExportWindow::OnClickWrite);
    connect(stopButton, &QPushButton::clicked, this, &GifExportWindow::OnClickStop);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(helpButton, &QPushButton::clicked, this,
            [this] { ShowHelp(main_.Platform(), "WriteGIF"); });
    connect(optionsButton, &QPushButton::clicked, this, &GifExportWindow::OnClickOptions);
    main_.SetGifImageSizeReport(
        [this](int width, int height, bool allowed) { ShowGifImageSize(width, height, allowed); });
    ShowGifImageSize(main_.Board().View().boardWidth, main_.Board().View().boardHeight, true);
    ShowFrames();
    EnableControls(false);
    MoveOntoScreen(*this, main_.Memory().gif.position, main_.Memory().frameMargins);
}

GifExportSettings& GifExportWindow::Settings() {
    return main_.Memory().gif.settings;
}

void GifExportWindow::TakeSettings() {
    for (std::size_t i = 0; i < whatButtons.size(); ++i)
        if (whatButtons[i]->isChecked()) Settings().what = static_cast<GifContent>(i);
    Settings().stepTime = stepTimeField->Value();
    Settings().loop = loopBox->isChecked();
}

void GifExportWindow::ShowFrames() {
    frameCount_ = GifFrameCount(session_.Data().CurrentLevel(), Settings().what);
    framesLabel->setText(QStringLiteral("Frames: ") + QString::number(frameCount_));
    const auto [speed, total] = GifTimingLabels(Settings().stepTime, frameCount_);
    speedLabel->setText(FromCp1252(speed));
    totalTimeLabel->setText(FromCp1252(total));
    progressBar->setRange(0, std::max(frameCount_ - 1, 1));
}

void GifExportWindow::ShowGifImageSize(int width, int height, bool writingAllowed) {
    widthLabel->setText(QStringLiteral("Image width: ") + QString::number(width));
    heightLabel->setText(QStringLiteral("Image height: ") + QString::number(height));
    writingAllowed_ = writingAllowed;
    if (!Recording()) writeButton->setEnabled(writingAllowed_);
}

bool GifExportWindow::Recording() const {
    return main_.Shell().recordingGif;
}

void GifExportWindow::EnableControls(bool recording) {
    stopButton->setEnabled(recording);
    writeButton->setEnabled(!recording && writingAllowed_);
    stepTimeField->setEnabled(!recording);
    loopBox->setEnabled(!recording);
    for (QRadioButton* b : whatButtons) b->setEnabled(!recording);
    optionsButton->setEnabled(!recording);
}

void GifExportWindow::OnClickWrite() {
    Context& ctx = session_.Data();
    std::string name = main_.Memory().gif.fileName;
    if (!ChooseFile(session_, main_, this, name,
                    FormatOne("Write \"%s\" as GIF animation", ctx.CurrentLevel().title),
                    kChooseSaving))
        return;
    if (!ExtensionAccepted(session_, main_, name, ".gif",
                           {"You requested to write the level as GIF animation or image.",
                            FormatOne(kGifMismatchLine, "not "), kWriteAnywayLine}))
        return;
    main_.Memory().gif.fileName = name;
    Record(name);
}

void GifExportWindow::Record(const std::string& path) {
    Context& ctx = session_.Data();
    TakeSettings();
    const int remembered = ctx.CurrentLevel().currentStep;
    // The flag first: SetBusy freezes the window's size while it is set.
    const std::stop_token stop = main_.Shell().StartGifRecording();
    main_.SetBusy(true, true, true);
    EnableControls(true);
    progressBar->setValue(0);
    BoardView& board = main_.Board();
    CanvasView view = board.Drawing();
    RecordGif(ctx, board.State(), board.Canvas(), view, Settings(), path,
              DefaultGifNavigation(ctx, board.State(), board.Canvas(), view), stop,
              [this](int i) { progressBar->setValue(i); });
    main_.Shell().recordingGif = false;
    main_.SetBusy(true, true, false);
    EnableControls(false);
    progressBar->setValue(0);
    session_.Navigate([remembered](Context& c) { GoToPosition(c, remembered); });
    if (closeRequested_) close();
}

void GifExportWindow::OnClickStop() {
    main_.Shell().gifStop.request_stop();
    stopButton->setEnabled(false);
}

void GifExportWindow::OnClickOptions() {
    if (main_.ShowOptionsWindow(0)) {
        main_.UpdateCellSize(CellSizing::kKeep);
        main_.Board().Redraw();
    }
}

void GifExportWindow::closeEvent(QCloseEvent* event) {
    if (Recording()) {
        // Closing waits for the loop, which ends at the next frame.
        main_.Shell().gifStop.request_stop();
        closeRequested_ = true;
        event->ignore();
        return;
    }
    main_.Memory().gif.position = FrameRect(*this, main_.Memory().frameMargins).topLeft();
    main_.SetGifImageSizeReport(nullptr);
    main_.SetBusy(false, false, false);
    event->accept();
}

void ShowGifExportWindow(GameSession& session, GifExportHost& main) {
    RunMemory& memory = main.Memory();
    if (memory.gif.window) return;
    auto* window = new GifExportWindow(session, main);
    memory.gif.window = window;
    window->show();
}

} // namespace vorpel
