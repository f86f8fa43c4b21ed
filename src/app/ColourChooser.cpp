// The colour chooser of round blocks and marks.
#include "app/ColourChooser.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/QtPlatform.h"
#include "app/RunMemory.h"
#include "render/BoardDrawing.h"

namespace vorpel {

namespace {

constexpr int kGridColumns = 8;
constexpr int kGridRows = 4;
constexpr int kCellPixels = 32;

QColor RoundColour(int colour) {
    static const BoardPalette palette = [] {
        BoardPalette p;
        InitBoardPalette(p);
        return p;
    }();
    const PaletteColour c = palette.colours[static_cast<std::size_t>(kRoundPaletteBase + colour)];
    return QColor(c.red, c.green, c.blue);
}

// Each cell: its colour inset by 3 pixels, outlined with a white pen 2 pixels wide; the selected
// cell keeps the table's own highlight around it.
class ColourDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, option.palette.highlight());
        const int colour = index.row() * kGridColumns + index.column();
        const QRect inner = option.rect.adjusted(3, 3, -3, -3);
        painter->fillRect(inner, RoundColour(colour));
        QPen pen(Qt::white);
        pen.setWidth(2);
        painter->setPen(pen);
        painter->drawRect(inner.adjusted(1, 1, -1, -1));
    }
};

} // namespace

ColourChooser::ColourChooser(QWidget* parent, const QString& title, Byte roundChar,
                             RunMemory& memory)
    : QDialog(parent), chosen_(RoundCharacter(RoundColourOf(roundChar))), memory_(memory) {
    setObjectName(QStringLiteral("ColourChooser"));
    setWindowTitle(title);
    colourGrid = new QTableWidget(kGridRows, kGridColumns, this);
    colourGrid->setObjectName(QStringLiteral("colourGrid"));
    colourGrid->horizontalHeader()->hide();
    colourGrid->verticalHeader()->hide();
    colourGrid->horizontalHeader()->setMinimumSectionSize(kCellPixels);
    colourGrid->verticalHeader()->setMinimumSectionSize(kCellPixels);
    for (int c = 0; c < kGridColumns; ++c) colourGrid->setColumnWidth(c, kCellPixels);
    for (int r = 0; r < kGridRows; ++r) colourGrid->setRowHeight(r, kCellPixels);
    colourGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    colourGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    colourGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    colourGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    colourGrid->setItemDelegate(new ColourDelegate(colourGrid));
    colourGrid->setFixedSize(kGridColumns * kCellPixels + 2 * colourGrid->frameWidth(),
                             kGridRows * kCellPixels + 2 * colourGrid->frameWidth());
    for (int i = 0; i < kRoundColourCount; ++i) {
        auto* item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        colourGrid->setItem(i / kGridColumns, i % kGridColumns, item);
    }
    connect(colourGrid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && column >= 0) chosen_ = RoundCharacter(row * kGridColumns + column);
    });
    connect(colourGrid, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        chosen_ = RoundCharacter(row * kGridColumns + column);
        accept();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(colourGrid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    SelectColour(RoundColourOf(roundChar));
    MoveOntoScreen(*this, memory_.colourChooserPosition, memory_.frameMargins);
}

void ColourChooser::SelectColour(int colour) {
    colourGrid->setCurrentCell(colour / kGridColumns, colour % kGridColumns);
    chosen_ = RoundCharacter(colour);
}

void ColourChooser::done(int result) {
    memory_.colourChooserPosition = FrameRect(*this, memory_.frameMargins).topLeft();
    QDialog::done(result);
}

bool ChooseRoundColour(QWidget* parent, const QString& title, Byte& roundChar, RunMemory& memory) {
    ColourChooser chooser(parent, title, roundChar, memory);
    if (chooser.exec() != QDialog::Accepted) return false;
    roundChar = chooser.Chosen();
    return true;
}

} // namespace vorpel
