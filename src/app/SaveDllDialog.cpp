// The save-as-DLL window: the list of writable levels in the core's order and selection, and
// the writer called with the levels by index.
#include "app/SaveDllDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/FileChooser.h"
#include "app/Help.h"
#include "app/QtPlatform.h"
#include "app/RunMemory.h"
#include "files/BestSolutions.h"
#include "files/FileNames.h"
#include "files/GameSession.h"
#include "files/LevelText.h"
#include "files/SaveOffer.h"
#include "model/Context.h"

namespace vorpel {

namespace {

QPushButton* NewButton(QWidget* parent, const char* caption, const char* name) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel* Hint(QWidget* parent, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setEnabled(false);
    return label;
}

} // namespace

SaveDllDialog::SaveDllDialog(GameSession& session, SaveDllHost& main)
    : QDialog(&main.Widget()), main_(main), session_(session) {
    setObjectName(QStringLiteral("SaveDllDialog"));
    setWindowTitle(QStringLiteral("Save as DLL"));
    setSizeGripEnabled(true);
    pages = new QTabWidget(this);

    auto* names = new QWidget(pages);
    auto* namesLayout = new QGridLayout(names);
    gameNameEdit = new QLineEdit(names);
    gameNameEdit->setObjectName(QStringLiteral("gameNameEdit"));
    savePrefixEdit = new QLineEdit(names);
    savePrefixEdit->setObjectName(QStringLiteral("savePrefixEdit"));
    auto* gameLabel = new QLabel(QStringLiteral("&Game:"), names);
    gameLabel->setBuddy(gameNameEdit);
    auto* prefixLabel = new QLabel(QStringLiteral("Save board file name &prefix:"), names);
    prefixLabel->setBuddy(savePrefixEdit);
    namesLayout->addWidget(gameLabel, 0, 0);
    namesLayout->addWidget(gameNameEdit, 0, 1);
    namesLayout->addWidget(Hint(names, "(if blank, the first level name will be used)"), 1, 1);
    namesLayout->addWidget(prefixLabel, 2, 0);
    namesLayout->addWidget(savePrefixEdit, 2, 1);
    namesLayout->addWidget(Hint(names, "(if blank, the game name will be used)"), 3, 1);
    namesLayout->setRowStretch(4, 1);
    pages->addTab(names, QStringLiteral("&Names"));

    auto* intro = new QWidget(pages);
    auto* introLayout = new QVBoxLayout(intro);
    introductionEdit = new QPlainTextEdit(intro);
    introductionEdit->setObjectName(QStringLiteral("introductionEdit"));
    introLayout->addWidget(introductionEdit);
    introLayout->addWidget(Hint(intro, "(only the first 7 lines will be written)"));
    pages->addTab(intro, QStringLiteral("&Introduction text"));

    auto* levels = new QWidget(pages);
    auto* levelsLayout = new QHBoxLayout(levels);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(QStringLiteral("Selected - Records - Levels:"), levels));
    levelList = new QListWidget(levels);
    levelList->setObjectName(QStringLiteral("levelList"));
    levelList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    levelList->setFont(courier);
    listColumn->addWidget(levelList);
    selectedLabel = new QLabel(levels);
    selectedLabel->setObjectName(QStringLiteral("selectedLabel"));
    listColumn->addWidget(selectedLabel);
    levelsLayout->addLayout(listColumn, 1);
    auto* buttons = new QVBoxLayout;
    selectButton = NewButton(levels, "&Select", "selectButton");
    excludeButton = NewButton(levels, "&Exclude", "excludeButton");
    upButton = NewButton(levels, "&Up", "upButton");
    downButton = NewButton(levels, "&Down", "downButton");
    topButton = NewButton(levels, "&Top", "topButton");
    changeRecordButton = NewButton(levels, "Change &record to:", "changeRecordButton");
    recordField = new QSpinBox(levels);
    recordField->setObjectName(QStringLiteral("recordField"));
    recordField->setRange(0, 65535);
    recordField->setValue(999);
    for (QWidget* w :
         std::initializer_list<QWidget*>{selectButton, excludeButton, upButton, downButton,
                                         topButton, changeRecordButton, recordField})
        buttons->addWidget(w);
    buttons->addStretch();
    levelsLayout->addLayout(buttons);
    pages->addTab(levels, QStringLiteral("&Levels"));

    okButton = NewButton(this, "&OK", "okButton");
    cancelButton = NewButton(this, "&Cancel", "cancelButton");
    helpButton = NewButton(this, "&Help", "helpButton");
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(okButton);
    bottom->addWidget(cancelButton);
    bottom->addWidget(helpButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(bottom);

    // The initial records: the stored best solutions' moves.
    std::vector<BestCounts> best;
    ReadAllBestSolutions(session_.Data(), best);
    std::vector<long long> bestMoves;
    for (const BestCounts& b : best) bestMoves.push_back(b.moves);
    lines = DllListLines(session_.Data().collection, bestMoves);
    ShowLines();

    connect(selectButton, &QPushButton::clicked, this, [this] { SetSelected(true); });
    connect(excludeButton, &QPushButton::clicked, this, [this] { SetSelected(false); });
    connect(upButton, &QPushButton::clicked, this, [this] { Move(DllLineMove::kUp); });
    connect(downButton, &QPushButton::clicked, this, [this] { Move(DllLineMove::kDown); });
    connect(topButton, &QPushButton::clicked, this, [this] { Move(DllLineMove::kTop); });
    connect(changeRecordButton, &QPushButton::clicked, this, &SaveDllDialog::ChangeRecord);
    connect(levelList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        DllListLine& line = lines[static_cast<std::size_t>(levelList->row(item))];
        line.selected = !line.selected;
        ShowLines();
    });
    connect(okButton, &QPushButton::clicked, this, &SaveDllDialog::OnClickOk);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this,
            [this] { ShowHelp(main_.Platform(), "SaveAsDLL"); });
    resize(560, 420);
}

void SaveDllDialog::ShowLines() {
    const std::vector<bool> highlighted = Highlighted();
    levelList->clear();
    for (const DllListLine& line : lines)
        levelList->addItem(
            FromCp1252(DllListText(line, session_.Data().collection.Title(line.level))));
    Highlight(highlighted);
    const int count = DllSelectedCount(lines);
    selectedLabel->setText(FromCp1252(DllSelectedText(count)));
    okButton->setEnabled(DllSelectionWritable(count));
}

std::vector<bool> SaveDllDialog::Highlighted() const {
    std::vector<bool> highlighted(lines.size(), false);
    for (int i = 0; i < levelList->count() && i < static_cast<int>(lines.size()); ++i)
        highlighted[static_cast<std::size_t>(i)] = levelList->item(i)->isSelected();
    return highlighted;
}

void SaveDllDialog::Highlight(const std::vector<bool>& highlighted) {
    for (int i = 0; i < levelList->count() && i < static_cast<int>(highlighted.size()); ++i)
        levelList->item(i)->setSelected(highlighted[static_cast<std::size_t>(i)]);
}

void SaveDllDialog::SetSelected(bool selected) {
    const std::vector<bool> highlighted = Highlighted();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (highlighted[i]) lines[i].selected = selected;
    ShowLines();
}

void SaveDllDialog::Move(DllLineMove move) {
    std::vector<bool> highlighted = Highlighted();
    MoveDllLines(lines, highlighted, move);
    levelList->clearSelection();
    ShowLines();
    Highlight(highlighted);
}

void SaveDllDialog::ChangeRecord() {
    const std::vector<bool> highlighted = Highlighted();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (highlighted[i]) lines[i].record = static_cast<std::uint16_t>(recordField->value());
    ShowLines();
}

void SaveDllDialog::OnClickOk() {
    std::string name =
        main_.Memory().lastDllPath.empty() ? main_.FileName() : main_.Memory().lastDllPath;
    if (!ChooseFile(session_, main_, this, name, "Write as Bricks DLL", kChooseSaving)) return;
    if (!ExtensionAccepted(session_, main_, name, ".dll",
                           {"You requested to save the level in the DLL format.",
                            FormatOne(kDllMismatchLine, "not "), kWriteAnywayLine}))
        return;
    WriteTo(name);
    accept();
}

bool SaveDllDialog::WriteTo(const std::string& path) {
    DllChoice choice = ChooseDllLevels(session_.Data().collection, lines);
    if (!choice.skipped.empty()) {
        std::vector<std::string> message = {
            "Bricks finds levels by title: these levels have the title of a level chosen before "
            "them and are left out:"};
        for (const std::string& title : choice.skipped) message.push_back("\"" + title + "\"");
        main_.Platform().ShowInfo(message);
    }
    choice.contents.gameName = ToCp1252(gameNameEdit->text());
    choice.contents.savePrefix = ToCp1252(savePrefixEdit->text());
    choice.contents.introduction = SplitLines(ToCp1252(introductionEdit->toPlainText()));
    const std::vector<std::string> error =
        WriteBricksDll(session_.Data().collection, path, choice.contents);
    if (!error.empty()) {
        main_.Platform().ShowInfo(error);
        return false;
    }
    main_.Memory().lastDllPath = path;
    return true;
}

void ShowSaveDllDialog(GameSession& session, SaveDllHost& main) {
    SaveDllDialog dialog(session, main);
    dialog.exec();
}

} // namespace vorpel
