// The level list and scoreboard: every level with its best solution and record, sorted on any
// column, searched by title, browsed live on the main window and scored.
#include "app/LevelListWindow.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

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
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "app/BoardView.h"
#include "app/CompanionFiles.h"
#include "app/Help.h"
#include "app/QtPlatform.h"
#include "app/RunMemory.h"
#include "app/SortArrow.h"
#include "files/BestSolutions.h"
#include "files/GameSession.h"
#include "model/Context.h"
#include "render/BoardPalette.h"

namespace vorpel {

namespace {

constexpr std::array<const char*, kLevelColumnCount + 1> kCaptions = {
    "Title", "Number", "Moves", "Record", "Difference", "Difference", "Solved", "Picture"};
static_assert(std::tuple_size_v<decltype(LevelListState::columnWidths)> == kLevelColumnCount);
// The first picture of the Solved column's marks in Pictures().
constexpr std::size_t kSolvedMarks = 8;

bool IsScoreColumn(int column) {
    return column >= static_cast<int>(LevelColumn::Moves) &&
           column <= static_cast<int>(LevelColumn::Percentage);
}

// The board palette as Qt's colour table, for the renderer's pictures.
const QList<QRgb>& BoardColourTable() {
    static const QList<QRgb> table = ColourTable(kBoardPalette);
    return table;
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

// Unsolved: a hollow grey ring; solved: a green tick; beaten: a gold star.
QPixmap SolvedMark(LevelSolved solved) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (solved) {
    case LevelSolved::Unsolved:
        p.setPen(QPen(QColor(150, 150, 150), 1.5));
        p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
        break;
    case LevelSolved::Solved:
        p.setPen(QPen(QColor(0, 150, 60), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case LevelSolved::Beaten: {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double radius = i % 2 == 0 ? 7.5 : 3.2,
                         angle = std::numbers::pi * (i / 5.0 - 0.5);
            star << QPointF(8 + radius * std::cos(angle), 8.3 + radius * std::sin(angle));
        }
        p.setPen(QColor(170, 120, 0));
        p.setBrush(QColor(250, 200, 20));
        p.drawPolygon(star);
        break;
    }
    }
    return pixmap;
}

// Paints a level's picture centred in its cell over the row's background, shrunk to the box
// when the board is larger than the box at the smallest cell size.
class PictureDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);
        const QImage picture = index.data(Qt::DecorationRole).value<QImage>();
        if (picture.isNull()) return;
        QSize size = picture.size();
        if (size.width() > kPictureBox || size.height() > kPictureBox)
            size.scale(kPictureBox, kPictureBox, Qt::KeepAspectRatio);
        QRect target(QPoint(), size);
        target.moveCenter(option.rect.center());
        painter->drawImage(target, picture);
    }
};

} // namespace

// --- Model -----------------------------------------------------------------------------------

LevelListModel::LevelListModel(QObject* parent) : QAbstractTableModel(parent) {}

const std::array<QPixmap, 11>& LevelListModel::Pictures() {
    // From the record reached to far from it, then no record; the two sort arrows; the marks.
    static const std::array<QPixmap, 11> pictures = {
        Disc(QColor(0, 160, 60), ""),
        Disc(QColor(120, 190, 40), ""),
        Disc(QColor(230, 200, 0), ""),
        Disc(QColor(240, 130, 0), ""),
        Disc(QColor(210, 40, 30), ""),
        Disc(QColor(150, 150, 150), "?"),
        SortArrow(true),
        SortArrow(false),
        SolvedMark(LevelSolved::Unsolved),
        SolvedMark(LevelSolved::Solved),
        SolvedMark(LevelSolved::Beaten),
    };
    return pictures;
}

int LevelListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int LevelListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kLevelColumnCount + 1;
}

QVariant LevelListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const LevelRow& row = rows[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    if (column == kPictureColumn) {
        if (role == Qt::DecorationRole) return Picture(index.row());
        if (role == Qt::ToolTipRole) return FromCp1252(row.title);
        return {};
    }
    const bool solvedColumn = column == static_cast<int>(LevelColumn::Solved);
    switch (role) {
    case Qt::DisplayRole:
        return FromCp1252(LevelCellText(row, LevelColumn(column), decimalSeparator));
    case Qt::DecorationRole:
        if (column == 0) return Pictures()[static_cast<std::size_t>(RowPicture(row))];
        if (solvedColumn)
            return Pictures()[kSolvedMarks + static_cast<std::size_t>(SolvedState(row))];
        return {};
    case Qt::TextAlignmentRole:
        return column == 0 || solvedColumn ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                           : int(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

int LevelListModel::PictureCellSize(const Level& level) {
    return ThumbnailCellSize(level, kPictureBox, kPictureBox);
}

QImage LevelListModel::Picture(int row) const {
    if (!levels || row < 0 || row >= rowCount()) return {};
    const int level = rows[std::size_t(row)].number - 1;
    if (level < 0 || level >= static_cast<int>(levels->size())) return {};
    const Level& shown = (*levels)[std::size_t(level)];
    const Thumbnail& t = thumbnails.Get(shown, level, PictureCellSize(shown));
    QImage image(t.width, t.height, QImage::Format_Indexed8);
    image.setColorTable(BoardColourTable());
    for (int y = 0; y < t.height; ++y)
        std::memcpy(image.scanLine(y), t.pixels.data() + std::size_t(y) * std::size_t(t.width),
                    std::size_t(t.width));
    return image;
}

QVariant LevelListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section > kPictureColumn) return {};
    if (role == Qt::DisplayRole) return QString::fromLatin1(kCaptions[std::size_t(section)]);
    if (role == Qt::DecorationRole && section == sortColumn)
        return Pictures()[direction > 0 ? 6 : 7];
    return {};
}

void LevelListModel::SetRows(std::vector<LevelRow> newRows) {
    beginResetModel();
    rows = std::move(newRows);
    thumbnails.Clear();
    endResetModel();
}

void LevelListModel::Sort(int column, int newDirection) {
    Q_EMIT layoutAboutToBeChanged();
    sortColumn = column;
    direction = newDirection;
    SortLevelRows(rows, LevelColumn(column), direction);
    Q_EMIT layoutChanged();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kPictureColumn);
}

int LevelListModel::RowOfNumber(int number) const {
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [number](const LevelRow& r) { return r.number == number; });
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

// --- Window ----------------------------------------------------------------------------------

LevelListWindow::LevelListWindow(GameSession& session, LevelListHost& main)
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
      levelsToScoreEdit(new QSpinBox(this)), scoreLabel(new QLabel(this)), session_(session),
      main_(main), model_(new LevelListModel(this)) {
    setObjectName(QStringLiteral("LevelListWindow"));
    setWindowTitle(QStringLiteral("Level list - Scoreboard"));
    setSizeGripEnabled(true);
    LevelListState& state = main.Memory().navigation.levelList;
    Context& ctx = session.Data();

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
    // One fixed height for every row, so the view never asks a row its size.
    levelTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    levelTable->verticalHeader()->setDefaultSectionSize(
        std::max(levelTable->fontMetrics().height(), kPictureBox) + 4);
    levelTable->horizontalHeader()->setSectionsClickable(true);
    levelTable->horizontalHeader()->setSortIndicatorShown(false);
    levelTable->horizontalHeader()->setHighlightSections(false);
    levelTable->horizontalHeader()->setStretchLastSection(false);
    levelTable->setIconSize(QSize(16, 16));
    // The picture first, the solved mark after the number; the model keeps its column numbers.
    levelTable->setItemDelegateForColumn(kPictureColumn, new PictureDelegate(levelTable));
    QHeaderView& header = *levelTable->horizontalHeader();
    header.moveSection(header.visualIndex(kPictureColumn), 0);
    header.moveSection(header.visualIndex(static_cast<int>(LevelColumn::Solved)), 3);
    header.setSectionResizeMode(kPictureColumn, QHeaderView::Fixed);

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
        resize(720, 480);
        MoveOntoScreen(*this, main.Widget().frameGeometry().topLeft() + QPoint(40, 40),
                       main.Memory().frameMargins);
    } else {
        PlaceFrame(*this, state.normalRect, main.Memory().frameMargins);
    }
    if (state.maximised) setWindowState(windowState() | Qt::WindowMaximized);

    // 3. The rows, from the best-solutions file and the records file as they are now.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    session_.ReadRecords(RecordsFile(main.Companions()), true);
    std::vector<LevelRow> rows;
    if (const std::string error = BuildLevelRows(ctx, rows); !error.empty())
        main.Platform().ShowInfo({"File " + BestSolutionsPath(ctx) + ".", error});
    model_->decimalSeparator = ToCp1252(QLocale().decimalPoint());
    model_->levels = &ctx.collection.levels;
    model_->SetRows(std::move(rows));
    QApplication::restoreOverrideCursor();

    // 4. Sorted, the first row selected, the remembered settings.
    connect(levelTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { OnRowSelected(current.row()); });
    model_->Sort(state.sortColumn, state.direction);
    if (model_->rowCount() > 0) levelTable->setCurrentIndex(RowIndex(0));
    OnRowSelected(SelectedRow());
    searchEdit->setText(state.searchText);
    for (int c = 0; c < kLevelColumnCount; ++c)
        levelTable->setColumnWidth(c, state.columnWidths[std::size_t(c)]);
    levelTable->setColumnWidth(kPictureColumn, kPictureBox + 8);
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
                if (width > 0 && column < kLevelColumnCount)
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

QModelIndex LevelListWindow::RowIndex(int row) const {
    // The picture's cell, the first in view: selecting a row then never scrolls the view sideways
    // past the pictures.
    return model_->index(row, kPictureColumn);
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
    levelTable->setCurrentIndex(RowIndex(far));
    levelTable->scrollTo(RowIndex(far));
    live_ = true;
    levelTable->setCurrentIndex(RowIndex(row));
    levelTable->scrollTo(RowIndex(row));
}

void LevelListWindow::OnRowSelected(int row) {
    goButton->setEnabled(row >= 0);
    if (live_ && row >= 0) {
        const int index = model_->rows[static_cast<std::size_t>(row)].number - 1;
        if (index != session_.Data().collection.currentLevel) main_.ChooseLevel(index);
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
    for (int c = static_cast<int>(LevelColumn::Moves); IsScoreColumn(c); ++c) {
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
            levelTable->setCurrentIndex(RowIndex(row));
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

int ChooseLevelFromList(GameSession& session, LevelListHost& main) {
    LevelListWindow window(session, main);
    window.exec();
    return window.Result();
}

} // namespace vorpel
