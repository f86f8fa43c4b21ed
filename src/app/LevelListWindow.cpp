// The level list and scoreboard: every level with its best solution and record, sorted on any
// column, searched by title, browsed live on the main window and scored.
#include "app/LevelListWindow.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "app/CompanionFiles.h"
#include "app/Help.h"
#include "app/QtPlatform.h"
#include "app/RunMemory.h"
#include "app/SortArrow.h"
#include "files/BestSolutions.h"
#include "files/GameSession.h"
#include "model/Context.h"

namespace vorpel {

namespace {

constexpr std::array<const char*, kLevelColumnCount> kCaptions = {
    "Title", "Number", "Moves", "Record", "Difference", "Difference"};

bool IsScoreColumn(int column) {
    return column >= static_cast<int>(LevelColumn::Moves);
}

QPixmap Disc(const QColor& colour, const char* mark) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(160));
    p.setBrush(colour);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    if (*mark) {
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromLatin1(mark));
    }
    return pixmap;
}

} // namespace

// --- Model -----------------------------------------------------------------------------------

LevelListModel::LevelListModel(QObject* parent) : QAbstractTableModel(parent) {}

const std::array<QPixmap, 8>& LevelListModel::Pictures() {
    // From the record reached to far from it, then no record; the two sort arrows.
    static const std::array<QPixmap, 8> pictures = {
        Disc(QColor(0, 160, 60), ""),
        Disc(QColor(120, 190, 40), ""),
        Disc(QColor(230, 200, 0), ""),
        Disc(QColor(240, 130, 0), ""),
        Disc(QColor(210, 40, 30), ""),
        Disc(QColor(150, 150, 150), "?"),
        SortArrow(true),
        SortArrow(false),
    };
    return pictures;
}

int LevelListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int LevelListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kLevelColumnCount;
}

QVariant LevelListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const LevelRow& row = rows[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return FromCp1252(LevelCellText(row, LevelColumn(column), decimalSeparator));
    case Qt::DecorationRole:
        if (column == 0) return Pictures()[static_cast<std::size_t>(RowPicture(row))];
        return {};
    case Qt::TextAlignmentRole:
        return column == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter)
                           : int(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant LevelListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kLevelColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromLatin1(kCaptions[std::size_t(section)]);
    if (role == Qt::DecorationRole && section == sortColumn)
        return Pictures()[direction > 0 ? 6 : 7];
    return {};
}

void LevelListModel::SetRows(std::vector<LevelRow> newRows) {
    beginResetModel();
    rows = std::move(newRows);
    endResetModel();
}

void LevelListModel::Sort(int column, int newDirection) {
    Q_EMIT layoutAboutToBeChanged();
    sortColumn = column;
    direction = newDirection;
    SortLevelRows(rows, LevelColumn(column), direction);
    Q_EMIT layoutChanged();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kLevelColumnCount - 1);
}

int LevelListModel::RowOfNumber(int number) const {
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [number](const LevelRow& r) { return r.number == number; });
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

// --- Window ----------------------------------------------------------------------------------

LevelListWindow::LevelListWindow(LevelListHost& main)
    : QDialog(&main.Widget()), searchLabel(new QLabel(QStringLiteral("Search title &with:"), this)),
      searchEdit(new QLineEdit(this)),
      searchUpButton(new QPushButton(QStringLiteral("Search &up"), this)),
      searchDownButton(new QPushButton(QStringLiteral("Search &down"), this)),
      levelTable(new QTableView(this)),
      currentLevelButton(new QPushButton(QStringLiteral("Current &level"), this)),
      helpButton(new QPushButton(QStringLiteral("&Help"), this)),
      cancelButton(new QPushButton(QStringLiteral("&Cancel"), this)),
      keepSelectedCheckBox(new QCheckBox(QStringLiteral("&Keep selected level"), this)),
      scoreCheckBox(new QCheckBox(QStringLiteral("&Score"), this)),
      goButton(new QPushButton(QStringLiteral("&Go to selected level"), this)),
      levelsToScoreLabel(new QLabel(QStringLiteral("Levels to score:"), this)),
      levelsToScoreEdit(new QSpinBox(this)), scoreLabel(new QLabel(this)), main_(main),
      model_(new LevelListModel(this)) {
    setObjectName(QStringLiteral("LevelListWindow"));
    setWindowTitle(QStringLiteral("Level list - Scoreboard"));
    setSizeGripEnabled(true);
    LevelListState& state = main.Memory().navigation.levelList;
    Context& ctx = main.Ctx();

    // 1. The starting level and the title to show.
    starting_ = ctx.collection.currentLevel;
    if (state.lastTitle.empty()) state.lastTitle = ctx.CurrentLevel().title;

    // 2. The controls, at the remembered placement.
    searchLabel->setBuddy(searchEdit);
    levelsToScoreLabel->setBuddy(levelsToScoreEdit);
    levelsToScoreEdit->setRange(0, 2147483647);
    for (QPushButton* b :
         {searchUpButton, searchDownButton, currentLevelButton, helpButton, cancelButton, goButton})
        b->setAutoDefault(false);
    levelTable->setModel(model_);
    levelTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    levelTable->setSelectionMode(QAbstractItemView::SingleSelection);
    levelTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    levelTable->setWordWrap(false);
    levelTable->setShowGrid(false);
    levelTable->setTabKeyNavigation(false);
    levelTable->verticalHeader()->hide();
    levelTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    levelTable->verticalHeader()->setDefaultSectionSize(levelTable->fontMetrics().height() + 4);
    levelTable->horizontalHeader()->setSectionsClickable(true);
    levelTable->horizontalHeader()->setSortIndicatorShown(false);
    levelTable->horizontalHeader()->setHighlightSections(false);
    levelTable->horizontalHeader()->setStretchLastSection(false);
    levelTable->setIconSize(QSize(16, 16));

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(searchEdit, 1);
    searchRow->addWidget(searchUpButton);
    searchRow->addWidget(searchDownButton);
    auto* buttons = new QGridLayout;
    buttons->addWidget(currentLevelButton, 0, 0);
    buttons->addWidget(keepSelectedCheckBox, 0, 1);
    buttons->addWidget(goButton, 0, 2);
    buttons->addWidget(helpButton, 1, 0);
    buttons->addWidget(scoreCheckBox, 1, 1);
    auto* scoreRow = new QHBoxLayout;
    scoreRow->addWidget(levelsToScoreLabel);
    scoreRow->addWidget(levelsToScoreEdit);
    buttons->addLayout(scoreRow, 1, 2);
    buttons->addWidget(cancelButton, 2, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(levelTable, 1);
    layout->addLayout(buttons);
    layout->addWidget(scoreLabel);

    if (state.normalRect.isEmpty()) {
        resize(620, 480);
        MoveOntoScreen(*this, main.Widget().frameGeometry().topLeft() + QPoint(40, 40),
                       main.Memory().frameMargins);
    } else {
        PlaceFrame(*this, state.normalRect, main.Memory().frameMargins);
    }
    if (state.maximised) setWindowState(windowState() | Qt::WindowMaximized);

    // 3. The rows, from the best-solutions file and the records file as they are now.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    main.Session().ReadRecords(RecordsFile(main.Companions()), true);
    std::vector<LevelRow> rows;
    if (const std::string error = BuildLevelRows(ctx, rows); !error.empty())
        main.Platform().ShowInfo({"File " + BestSolutionsPath(ctx) + ".", error});
    model_->decimalSeparator = ToCp1252(QLocale().decimalPoint());
    model_->SetRows(std::move(rows));
    QApplication::restoreOverrideCursor();

    // 4. Sorted, the first row selected, the remembered settings.
    connect(levelTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { OnRowSelected(current.row()); });
    model_->Sort(state.sortColumn, state.direction);
    if (model_->rowCount() > 0) levelTable->setCurrentIndex(model_->index(0, 0));
    OnRowSelected(SelectedRow());
    searchEdit->setText(state.searchText);
    for (int c = 0; c < kLevelColumnCount; ++c)
        levelTable->setColumnWidth(c, state.columnWidths[std::size_t(c)]);
    keepSelectedCheckBox->setChecked(state.keepSelected);
    scoreCheckBox->setChecked(state.score);
    SetScoreColumns(state.score);
    levelsToScoreEdit->setValue(state.levelsToScore);

    // 5. The level gone to last time.
    for (std::size_t r = 0; r < model_->rows.size(); ++r)
        if (model_->rows[r].title == state.lastTitle) {
            SelectRow(static_cast<int>(r));
            break;
        }

    connect(levelTable->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &LevelListWindow::SortOn);
    connect(levelTable->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                if (width > 0)
                    main_.Memory().navigation.levelList.columnWidths[std::size_t(column)] = width;
            });
    connect(searchUpButton, &QPushButton::clicked, this, [this] { Search(false); });
    connect(searchDownButton, &QPushButton::clicked, this, [this] { Search(true); });
    connect(currentLevelButton, &QPushButton::clicked, this, &LevelListWindow::SelectStartingLevel);
    connect(helpButton, &QPushButton::clicked, this,
            [this] { ShowHelp(main_.Platform(), "LevelChoice"); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(goButton, &QPushButton::clicked, this, &LevelListWindow::GoToSelectedLevel);
    connect(levelTable, &QTableView::doubleClicked, this, [this] {
        if (goButton->isEnabled()) GoToSelectedLevel();
    });
    connect(scoreCheckBox, &QCheckBox::toggled, this, &LevelListWindow::SetScoreColumns);
    connect(levelsToScoreEdit, &QSpinBox::valueChanged, this, &LevelListWindow::UpdateScore);
    UpdateScore();
    searchEdit->installEventFilter(this);
    levelTable->installEventFilter(this);
    levelTable->viewport()->installEventFilter(this);
    searchEdit->setFocus();
}

int LevelListWindow::SelectedRow() const {
    const QModelIndex current = levelTable->selectionModel()->currentIndex();
    return current.isValid() && levelTable->selectionModel()->isRowSelected(current.row())
               ? current.row()
               : -1;
}

void LevelListWindow::SelectRow(int row) {
    const int count = model_->rowCount();
    if (row < 0 || row >= count) return;
    // Passing by the far end first leaves the target near the top once scrolled into view.
    live_ = false;
    const int far = row == count - 1 ? 0 : count - 1;
    levelTable->setCurrentIndex(model_->index(far, 0));
    levelTable->scrollTo(model_->index(far, 0));
    live_ = true;
    levelTable->setCurrentIndex(model_->index(row, 0));
    levelTable->scrollTo(model_->index(row, 0));
}

void LevelListWindow::OnRowSelected(int row) {
    goButton->setEnabled(row >= 0);
    if (live_ && row >= 0) {
        const int index = model_->rows[static_cast<std::size_t>(row)].number - 1;
        if (index != main_.Ctx().collection.currentLevel) main_.ChooseLevel(index);
    }
    if (live_) UpdateScore();
}

void LevelListWindow::UpdateScore() {
    const Score score = ScoreLevelRows(model_->rows, SelectedRow(), levelsToScoreEdit->value());
    scoreLabel->setText(QString::fromStdString(ScoreLine(score)));
}

void LevelListWindow::Sort(int column, int direction) {
    const int selected = SelectedRow();
    const int number = selected >= 0 ? model_->rows[std::size_t(selected)].number : -1;
    model_->Sort(column, direction);
    const int row = keepSelectedCheckBox->isChecked() ? model_->RowOfNumber(number) : 0;
    if (row >= 0 && row < model_->rowCount()) SelectRow(row);
    UpdateScore();
}

void LevelListWindow::SortOn(int column) {
    if (column < 0 || column >= kLevelColumnCount) return;
    Sort(column, column == model_->sortColumn ? -model_->direction : 1);
}

void LevelListWindow::Search(bool down) {
    const int found =
        SearchLevelRows(model_->rows, ToCp1252(searchEdit->text()), SelectedRow(), down);
    if (found >= 0) SelectRow(found);
}

void LevelListWindow::GoToSelectedLevel() {
    const int row = SelectedRow();
    chosen_ = row >= 0 ? model_->rows[std::size_t(row)].number - 1 : -1;
    if (row >= 0)
        main_.Memory().navigation.levelList.lastTitle = model_->rows[std::size_t(row)].title;
    accept();
}

void LevelListWindow::SelectStartingLevel() {
    SelectRow(model_->RowOfNumber(starting_ + 1));
}

void LevelListWindow::SetScoreColumns(bool on) {
    const LevelListState& state = main_.Memory().navigation.levelList;
    for (int c = static_cast<int>(LevelColumn::Moves); c < kLevelColumnCount; ++c) {
        levelTable->setColumnHidden(c, !on);
        if (on) levelTable->setColumnWidth(c, state.columnWidths[std::size_t(c)]);
    }
    if (!on && IsScoreColumn(model_->sortColumn)) Sort(static_cast<int>(LevelColumn::Number), 1);
}

bool LevelListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == searchEdit &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            Search(true);
            return true;
        }
        // The accelerator letter of "Search title &with:" typed elsewhere goes to the search.
        if (watched == levelTable && key->modifiers() == Qt::NoModifier &&
            key->text().compare(QLatin1String("w"), Qt::CaseInsensitive) == 0) {
            searchEdit->setFocus();
            return true;
        }
    }
    if (watched == levelTable->viewport() && event->type() == QEvent::Wheel) {
        // One row per notch, forward moving up.
        wheelRest_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
        const int notches = wheelRest_ / 120;
        wheelRest_ -= notches * 120;
        const int count = model_->rowCount();
        if (notches != 0 && count > 0) {
            const int row = std::clamp(std::max(SelectedRow(), 0) - notches, 0, count - 1);
            levelTable->setCurrentIndex(model_->index(row, 0));
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void LevelListWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier &&
        event->text().compare(QLatin1String("w"), Qt::CaseInsensitive) == 0 &&
        !searchEdit->hasFocus()) {
        searchEdit->setFocus();
        return;
    }
    QDialog::keyPressEvent(event);
}

void LevelListWindow::done(int result) {
    LevelListState& state = main_.Memory().navigation.levelList;
    state.sortColumn = model_->sortColumn;
    state.direction = model_->direction;
    state.searchText = searchEdit->text();
    state.keepSelected = keepSelectedCheckBox->isChecked();
    state.score = scoreCheckBox->isChecked();
    state.levelsToScore = levelsToScoreEdit->value();
    state.maximised = isMaximized();
    state.normalRect = FrameRect(*this, main_.Memory().frameMargins);
    if (result != QDialog::Accepted) chosen_ = -1;
    QDialog::done(result);
}

int ChooseLevelFromList(LevelListHost& main) {
    LevelListWindow window(main);
    window.exec();
    return window.Result();
}

} // namespace vorpel
