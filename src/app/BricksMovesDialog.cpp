// The Bricks moves window: the player's name and the library kept for the run, the library's
// levels listed, and the core's reader or writer called for the chosen one.
#include "app/BricksMovesDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "app/BoardView.h"
#include "app/FileChooser.h"
#include "app/Help.h"
#include "app/QtPlatform.h"
#include "app/RunMemory.h"
#include "bricksdll/BricksMoves.h"
#include "files/FileNames.h"
#include "files/GameSession.h"
#include "files/LevelLoad.h"
#include "files/SaveOffer.h"
#include "model/Context.h"
#include "model/History.h"

namespace vorpel {

BricksMovesDialog::BricksMovesDialog(GameSession& session, BricksMovesHost& main, bool writing)
    : QDialog(&main.Widget()), main_(main), session_(session), writing_(writing) {
    setObjectName(QStringLiteral("BricksMovesDialog"));
    setWindowTitle(writing ? QStringLiteral(" Write Bricks moves")
                           : QStringLiteral(" Read Bricks moves"));
    setSizeGripEnabled(true);
    playerEdit = new QLineEdit(FromCp1252(main.Memory().bricksMoves.player), this);
    playerEdit->setObjectName(QStringLiteral("playerEdit"));
    auto* playerLabel = new QLabel(QStringLiteral("&Player:"), this);
    playerLabel->setBuddy(playerEdit);
    dllLabel = new QLabel(this);
    dllLabel->setObjectName(QStringLiteral("dllLabel"));
    dllLabel->setMinimumWidth(100);
    levelList = new QListWidget(this);
    levelList->setObjectName(QStringLiteral("levelList"));
    auto* levelLabel = new QLabel(QStringLiteral("&Level:"), this);
    levelLabel->setBuddy(levelList);
    const auto button = [this](const char* caption, const char* name) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    chooseDllButton = button("Choose &DLL ...", "chooseDllButton");
    helpButton = button("&Help", "helpButton");
    cancelButton = button("&Cancel", "cancelButton");
    okButton = button("OK", "okButton");
    okButton->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(playerLabel, 0, 0);
    grid->addWidget(playerEdit, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("DLL with the level:"), this), 1, 0);
    grid->addWidget(dllLabel, 1, 1);
    grid->addWidget(levelLabel, 2, 0, Qt::AlignTop);
    grid->addWidget(levelList, 2, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chooseDllButton);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(helpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(playerEdit, &QLineEdit::textChanged, this, &BricksMovesDialog::EnableOk);
    connect(levelList, &QListWidget::currentRowChanged, this, &BricksMovesDialog::EnableOk);
    connect(levelList, &QListWidget::itemDoubleClicked, this, &BricksMovesDialog::OnClickOk);
    connect(chooseDllButton, &QPushButton::clicked, this, &BricksMovesDialog::OnClickChooseDll);
    connect(okButton, &QPushButton::clicked, this, &BricksMovesDialog::OnClickOk);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] {
        ShowHelp(main_.Platform(), writing_ ? "WriteBricksMoves" : "ReadBricksMoves");
    });
    resize(480, 360);
    const BricksMovesMemory& memory = main_.Memory().bricksMoves;
    if (!memory.geometry.isEmpty()) restoreGeometry(memory.geometry);
    ShowDll(memory.dllPath.empty() ? main_.Memory().lastDllPath : memory.dllPath);
}

void BricksMovesDialog::ShowDllLabel() {
    if (dllPath_.empty()) {
        dllLabel->setText(QStringLiteral("(DLL not specified)"));
        return;
    }
    const QFontMetrics metrics(dllLabel->font());
    const std::string shown =
        ShortenPath(dllPath_, std::max(dllLabel->width(), 100), [&](const std::string& text) {
            return metrics.horizontalAdvance(FromFileName(text));
        });
    dllLabel->setText(FromFileName(shown));
}

void BricksMovesDialog::ShowDll(const std::string& path) {
    dllPath_ = path;
    ShowDllLabel();
    levelList->clear();
    if (!path.empty()) {
        std::vector<std::string> titles;
        const FileResult listed = ListDllLevels(path, titles, [this](const std::string& base) {
            return MakeUniqueTitle(session_.Data(), base);
        });
        if (!listed.Ok()) main_.Platform().ShowInfo({"File " + path + ".", listed.message});
        const std::string width = std::to_string(titles.size());
        int chosen = -1;
        for (std::size_t i = 0; i < titles.size(); ++i) {
            std::string number = std::to_string(i + 1);
            number.insert(0, width.size() - number.size(), ' ');
            levelList->addItem(FromCp1252(number + " - " + titles[i]));
            if (titles[i] == session_.Data().CurrentLevel().title) chosen = static_cast<int>(i);
        }
        levelList->setCurrentRow(chosen);
    }
    EnableOk();
}

void BricksMovesDialog::EnableOk() {
    okButton->setEnabled(levelList->currentRow() >= 0 && !playerEdit->text().isEmpty());
}

void BricksMovesDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ShowDllLabel();
}

void BricksMovesDialog::OnClickChooseDll() {
    std::string name = dllPath_.empty() ? main_.Memory().lastDllPath : dllPath_;
    if (!ChooseFile(session_, main_, this, name, "Selecting the DLL with the level",
                    kChooseReading))
        return;
    if (!ExtensionAccepted(session_, main_, name, ".dll",
                           {"It's necessary to specify the DLL that contains the level.",
                            FormatOne(kDllMismatchLine, "not "), "Read the file anyway?"}))
        name = dllPath_;
    ShowDll(name);
}

void BricksMovesDialog::OnClickOk() {
    const int level = levelList->currentRow();
    const std::string name = ToCp1252(playerEdit->text());
    if (level < 0 || name.empty()) return;
    main_.Memory().bricksMoves.player = name;
    Context& ctx = session_.Data();
    const bool done = writing_ ? WriteBricksMoves(ctx, level, dllPath_, name)
                               : ReadBricksMoves(ctx, level, dllPath_, name,
                                                 [this] { main_.Board().PaintNow(); });
    main_.Memory().lastDllPath = dllPath_;
    session_.Navigate([](Context& c) { GoToPosition(c, c.CurrentLevel().currentStep); });
    if (done) accept();
}

void BricksMovesDialog::done(int code) {
    BricksMovesMemory& memory = main_.Memory().bricksMoves;
    memory.geometry = saveGeometry();
    memory.dllPath = dllPath_;
    memory.player = ToCp1252(playerEdit->text());
    QDialog::done(code);
}

void ShowBricksMovesDialog(GameSession& session, BricksMovesHost& main, bool writing) {
    BricksMovesDialog dialog(session, main, writing);
    dialog.exec();
}

} // namespace vorpel
