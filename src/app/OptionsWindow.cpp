// The options window: the stored options, the startup list and the settings kept for the run.
#include "app/OptionsWindow.h"

#include <algorithm>
#include <limits>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/Help.h"
#include "app/QtPlatform.h"
#include "app/ReplaySpeed.h"
#include "app/SettingsStore.h"
#include "app/SliderField.h"

namespace vorpel {

namespace {

constexpr const char* kStartupLabel =
    "Initial files (for each number \"n\" in the list below, the file \"Vorpel n.txt\" will be "
    "read at program startup):";

QWidget* NewPage(QTabWidget* pages, const char* name, const char* title) {
    auto* page = new QWidget(pages);
    page->setObjectName(QLatin1String(name));
    pages->addTab(page, QLatin1String(title));
    return page;
}

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(QLatin1String(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

bool ParseSeed(const std::string& text, std::uint32_t& seed) {
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const unsigned long long value = std::stoull(text);
    if (value < 1 || value > std::numeric_limits<std::uint32_t>::max()) return false;
    seed = static_cast<std::uint32_t>(value);
    return true;
}

std::string ValidateStartupList(const std::string& list) {
    std::string text;
    std::copy_if(list.begin(), list.end(), std::back_inserter(text),
                 [](char c) { return c != ' '; });
    if (text.empty()) return {};
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!std::all_of(text.begin(), text.end(), [&](char c) { return digit(c) || c == ','; }))
        return "Invalid character in the number list in the game options.";
    if (!digit(text.front()))
        return "The number list in the game options does not start with a number.";
    if (!digit(text.back()))
        return "The number list in the game options does not end with a number.";
    if (text.find(",,") != std::string::npos)
        return "Two successive commas in the number list in the game options.";
    return {};
}

OptionsWindow::OptionsWindow(Context& ctx, SettingsStore& settingsStore, QtPlatform& platform,
                             OptionsHooks hooks, QWidget* parent)
    : QDialog(parent), ctx_(ctx), settingsStore_(settingsStore), platform_(platform),
      hooks_(std::move(hooks)), savedGrid_(ctx.options.grid),
      savedJoinBarriers_(ctx.options.joinBarriers), savedJoinMagnets_(ctx.options.joinMagnets) {
    setObjectName(QLatin1String("OptionsWindow"));
    setWindowTitle(QLatin1String(" Options"));
    filling_ = true;

    pageTabs = new QTabWidget(this);
    pageTabs->setObjectName(QLatin1String("pageTabs"));
    QWidget* game = NewPage(pageTabs, "gamePage", "Game");
    QWidget* file = NewPage(pageTabs, "filePage", "File");
    QWidget* edit1 = NewPage(pageTabs, "edit1Page", "Edit 1");
    QWidget* edit2 = NewPage(pageTabs, "edit2Page", "Edit 2");

    for (int i = 0; i < kOptionCount; ++i) {
        QWidget* page = i <= 6 ? game : i <= 12 ? file : edit2;
        const std::string name = "optionCheckBox" + std::to_string(i);
        auto* box = NewCheckBox(page, name.c_str(), "");
        box->setText(FromCp1252(settingsStore.optionNames[static_cast<std::size_t>(i)]));
        box->setProperty("option", i);
        optionBoxes[static_cast<std::size_t>(i)] = box;
    }
    ShowOptionValues(0, kOptionCount - 1);

    // Game: options 0 to 6, the startup list, reading again.
    auto* gameLayout = new QVBoxLayout(game);
    for (int i = 0; i <= 6; ++i) gameLayout->addWidget(optionBoxes[static_cast<std::size_t>(i)]);
    startupListLabel = new QLabel(QLatin1String(kStartupLabel), game);
    startupListLabel->setObjectName(QLatin1String("startupListLabel"));
    startupListLabel->setWordWrap(true);
    startupListEdit = new QLineEdit(FromCp1252(ctx.options.startupList), game);
    startupListEdit->setObjectName(QLatin1String("startupListEdit"));
    startupListLabel->setBuddy(startupListEdit);
    readGameOptionsButton =
        NewButton(game, "readGameOptionsButton", "Read game options from the Registry");
    gameLayout->addWidget(startupListLabel);
    gameLayout->addWidget(startupListEdit);
    resumeBox = NewCheckBox(game, "resumeBox", kResumeValue);
    resumeBox->setChecked(ctx.options.resume);
    gameLayout->addWidget(resumeBox);
    fewestPushesBox = NewCheckBox(game, "fewestPushesBox", kFewestPushesValue);
    fewestPushesBox->setChecked(ctx.options.fewestPushes);
    gameLayout->addWidget(fewestPushesBox);
    auto* replayRow = new QHBoxLayout;
    auto* replayCaption = new QLabel(QLatin1String("&Replay speed:"), game);
    replaySpeedSlider = new QSlider(Qt::Horizontal, game);
    replaySpeedSlider->setObjectName(QLatin1String("replaySpeedSlider"));
    replaySpeedSlider->setRange(1, ReplaySliderPosition(kReplayAsFastAsPaint));
    replaySpeedSlider->setPageStep(5);
    replayCaption->setBuddy(replaySpeedSlider);
    replaySpeedLabel = new QLabel(game);
    replaySpeedLabel->setObjectName(QLatin1String("replaySpeedLabel"));
    // Wide enough for the longest words, so that the slider keeps its length while it moves.
    replaySpeedLabel->setMinimumWidth(
        replaySpeedLabel->fontMetrics().horizontalAdvance(ReplaySpeedText(kReplayAsFastAsPaint)));
    replayRow->addWidget(replayCaption);
    replayRow->addWidget(replaySpeedSlider, 1);
    replayRow->addWidget(replaySpeedLabel);
    gameLayout->addLayout(replayRow);
    gameLayout->addWidget(readGameOptionsButton, 0, Qt::AlignLeft);
    gameLayout->addStretch();

    // File: options 7 to 12, reading again.
    auto* fileLayout = new QVBoxLayout(file);
    for (int i = 7; i <= 12; ++i) fileLayout->addWidget(optionBoxes[static_cast<std::size_t>(i)]);
    readFileOptionsButton =
        NewButton(file, "readFileOptionsButton", "Read file options from the Registry");
    fileLayout->addWidget(readFileOptionsButton, 0, Qt::AlignLeft);
    fileLayout->addStretch();

    // Edit 1: the editor's grid.
    auto* edit1Layout = new QVBoxLayout(edit1);
    auto* grid = new QGroupBox(QLatin1String("Grid:"), edit1);
    grid->setObjectName(QLatin1String("gridGroupBox"));
    auto* gridLayout = new QGridLayout(grid);
    const auto newBar = [grid](const char* name, const char* caption, int value) {
        auto* bar = new SliderField(QLatin1String(caption), 0, 64, grid);
        bar->setObjectName(QLatin1String(name));
        bar->SetValue(value);
        return bar;
    };
    const EditorGrid& current = ctx.options.grid;
    firstRowSlider = newBar("firstRowSlider", "Starting row", current.startRow);
    firstColumnSlider = newBar("firstColumnSlider", "Starting column", current.startColumn);
    verticalSpacingSlider = newBar("verticalSpacingSlider", "Vertical spacing", current.rowSpacing);
    horizontalSpacingSlider =
        newBar("horizontalSpacingSlider", "Horizontal spacing", current.columnSpacing);
    showGridCheckBox = NewCheckBox(grid, "showGridCheckBox", "Show grid");
    showGridCheckBox->setChecked(current.show);
    defaultsButton = NewButton(grid, "defaultsButton", "Default");
    gridLayout->addWidget(firstRowSlider, 0, 0);
    gridLayout->addWidget(firstColumnSlider, 0, 1);
    gridLayout->addWidget(verticalSpacingSlider, 1, 0);
    gridLayout->addWidget(horizontalSpacingSlider, 1, 1);
    gridLayout->addWidget(showGridCheckBox, 2, 0);
    gridLayout->addWidget(defaultsButton, 2, 1, Qt::AlignRight);
    edit1Layout->addWidget(grid);
    edit1Layout->addStretch();

    // Edit 2: joining, option 13, the shuffle seed.
    auto* edit2Layout = new QVBoxLayout(edit2);
    joinBarriersCheckBox = NewCheckBox(edit2, "joinBarriersCheckBox", "Join barriers");
    joinBarriersCheckBox->setChecked(ctx.options.joinBarriers);
    joinMagnetsCheckBox = NewCheckBox(edit2, "joinMagnetsCheckBox", "Join magnets");
    joinMagnetsCheckBox->setChecked(ctx.options.joinMagnets);
    edit2Layout->addWidget(joinBarriersCheckBox);
    edit2Layout->addWidget(joinMagnetsCheckBox);
    edit2Layout->addWidget(optionBoxes[kAlphanumericAutoincrement]);
    auto* shuffle = new QGroupBox(QLatin1String("Block shuffling"), edit2);
    shuffle->setObjectName(QLatin1String("shuffleGroupBox"));
    auto* shuffleLayout = new QHBoxLayout(shuffle);
    auto* seedLabel = new QLabel(QLatin1String("Random-number seed:"), shuffle);
    seedLabel->setObjectName(QLatin1String("seedLabel"));
    seedEdit = new QLineEdit(QString::number(ctx.options.seed), shuffle);
    seedEdit->setObjectName(QLatin1String("seedEdit"));
    seedEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QLatin1String("[0-9]{1,10}")), this));
    seedLabel->setBuddy(seedEdit);
    randomSeedButton = NewButton(shuffle, "randomSeedButton", "Random");
    shuffleLayout->addWidget(seedLabel);
    shuffleLayout->addWidget(seedEdit);
    shuffleLayout->addWidget(randomSeedButton);
    edit2Layout->addWidget(shuffle);
    edit2Layout->addStretch();

    okButton = NewButton(this, "okButton", "OK");
    okButton->setDefault(true);
    cancelButton = NewButton(this, "cancelButton", "Cancel");
    helpButton = NewButton(this, "helpButton", "Help");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(helpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageTabs);
    layout->addLayout(buttons);

    connect(okButton, &QPushButton::clicked, this, &OptionsWindow::OnOk);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] { ShowHelp(platform_, "Options"); });
    connect(randomSeedButton, &QPushButton::clicked, this, &OptionsWindow::OnRandomSeed);
    connect(defaultsButton, &QPushButton::clicked, this, &OptionsWindow::OnDefaults);
    connect(readGameOptionsButton, &QPushButton::clicked, this, [this] {
        settingsStore_.ReadOptions(true, 0, 3);
        ShowOptionValues(0, 6);
        fewestPushesBox->setChecked(ctx_.options.fewestPushes);
        replaySpeedSlider->setValue(ReplaySliderPosition(ctx_.options.replaySpeed));
    });
    connect(readFileOptionsButton, &QPushButton::clicked, this, [this] {
        settingsStore_.ReadOptions(true, 7, 12);
        ShowOptionValues(7, 12);
    });
    for (SliderField* bar :
         {firstRowSlider, firstColumnSlider, verticalSpacingSlider, horizontalSpacingSlider})
        connect(bar, &SliderField::valueChanged, this, [this] { OnGridShownChanged(false); });
    connect(showGridCheckBox, &QCheckBox::toggled, this, [this] { OnGridShownChanged(true); });
    connect(replaySpeedSlider, &QSlider::valueChanged, this, [this](int position) {
        replaySpeedLabel->setText(ReplaySpeedText(ReplaySpeedOfSlider(position)));
    });
    replaySpeedSlider->setValue(ReplaySliderPosition(ctx.options.replaySpeed));
    replaySpeedLabel->setText(ReplaySpeedText(ctx.options.replaySpeed));
    connect(joinBarriersCheckBox, &QCheckBox::toggled, this, [this](bool on) {
        ctx_.options.joinBarriers = on;
        RepaintEditor();
    });
    connect(joinMagnetsCheckBox, &QCheckBox::toggled, this, [this](bool on) {
        ctx_.options.joinMagnets = on;
        RepaintEditor();
    });

    filling_ = false;
    adjustSize();
    MoveOntoScreen(*this, platform.memory.optionsPosition, platform.memory.frameMargins);
}

void OptionsWindow::ShowOptionValues(int first, int last) {
    for (int i = first; i <= last; ++i)
        optionBoxes[static_cast<std::size_t>(i)]->setChecked(
            ctx_.options.value[static_cast<std::size_t>(i)]);
}

void OptionsWindow::RepaintEditor() {
    if (ctx_.editing && hooks_.repaintEditor) hooks_.repaintEditor();
}

void OptionsWindow::OnGridShownChanged(bool showsAlways) {
    if (filling_) return;
    EditorGrid& grid = ctx_.options.grid;
    grid.startRow = firstRowSlider->Value();
    grid.startColumn = firstColumnSlider->Value();
    grid.rowSpacing = verticalSpacingSlider->Value();
    grid.columnSpacing = horizontalSpacingSlider->Value();
    grid.show = showGridCheckBox->isChecked();
    if (showsAlways || grid.show) RepaintEditor();
}

void OptionsWindow::OnDefaults() {
    filling_ = true;
    firstRowSlider->SetValue(0);
    firstColumnSlider->SetValue(0);
    verticalSpacingSlider->SetValue(1);
    horizontalSpacingSlider->SetValue(1);
    filling_ = false;
    OnGridShownChanged(false);
}

std::uint32_t OptionsWindow::SeedValue() const {
    const unsigned long long value = seedEdit->text().toULongLong();
    return static_cast<std::uint32_t>(
        std::min<unsigned long long>(value, std::numeric_limits<std::uint32_t>::max()));
}

void OptionsWindow::OnRandomSeed() {
    seedEdit->setText(QString::number(NextSeed(SeedValue())));
}

void OptionsWindow::OnOk() {
    const std::string list = ToCp1252(startupListEdit->text());
    if (const std::string message = ValidateStartupList(list); !message.empty()) {
        pageTabs->setCurrentIndex(kPageGame);
        platform_.ShowInfo({message});
        return;
    }
    std::uint32_t seed = 0;
    if (!ParseSeed(ToCp1252(seedEdit->text()), seed)) {
        pageTabs->setCurrentIndex(kPageEdit2);
        seedEdit->setFocus();
        platform_.ShowInfo({kSeedRefused});
        return;
    }
    for (int i = 0; i < kOptionCount; ++i)
        ctx_.options.value[static_cast<std::size_t>(i)] =
            optionBoxes[static_cast<std::size_t>(i)]->isChecked();
    ctx_.options.startupList = list;
    ctx_.options.resume = resumeBox->isChecked();
    ctx_.options.fewestPushes = fewestPushesBox->isChecked();
    ctx_.options.replaySpeed = ReplaySpeedOfSlider(replaySpeedSlider->value());
    settingsStore_.WriteOptions(true, 0, kOptionCount - 1);
    ctx_.options.seed = seed;
    if (hooks_.applyOptions) hooks_.applyOptions();
    accept();
}

void OptionsWindow::done(int code) {
    platform_.memory.optionsPosition = FrameRect(*this, platform_.memory.frameMargins).topLeft();
    if (code != QDialog::Accepted) {
        ctx_.options.grid = savedGrid_;
        ctx_.options.joinBarriers = savedJoinBarriers_;
        ctx_.options.joinMagnets = savedJoinMagnets_;
        RepaintEditor();
    }
    QDialog::done(code);
}

bool ShowOptions(int page, Context& ctx, SettingsStore& settingsStore, QtPlatform& platform,
                 const OptionsHooks& hooks) {
    OptionsWindow form(ctx, settingsStore, platform, hooks, platform.window);
    form.pageTabs->setCurrentIndex(page);
    return form.exec() == QDialog::Accepted;
}

} // namespace vorpel
