// The file chooser's entries as a table model shared by its list and details views.
#include "app/FileListModel.h"

#include <QFileInfo>
#include <QFont>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <array>

#include "app/SortArrow.h"

namespace vorpel {

using namespace Qt::StringLiterals;

namespace {

// The small bent arrow that marks a shortcut, drawn over a corner of its file's icon.
QIcon WithShortcutArrow(const QIcon& base) {
    QIcon result;
    for (const int size : {16, 32}) {
        QPixmap pixmap = base.isNull() ? QPixmap(size, size) : base.pixmap(size, size);
        if (base.isNull()) pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        const int box = size / 2;
        const QRect corner(0, size - box, box, box);
        painter.fillRect(corner, Qt::white);
        painter.setPen(QPen(Qt::black, size / 16 + 1));
        painter.drawRect(corner.adjusted(0, 0, -1, -1));
        painter.drawLine(corner.left() + box / 4, corner.bottom() - box / 4,
                         corner.right() - box / 4, corner.top() + box / 4);
        painter.drawLine(corner.right() - box / 4, corner.top() + box / 4, corner.right() - box / 4,
                         corner.top() + box / 2);
        painter.drawLine(corner.right() - box / 4, corner.top() + box / 4, corner.right() - box / 2,
                         corner.top() + box / 4);
        result.addPixmap(pixmap);
    }
    return result;
}

} // namespace

FileListModel::FileListModel(QObject* parent)
    : QAbstractTableModel(parent), ascending_(SortArrow(true)), descending_(SortArrow(false)) {}

void FileListModel::SetEntries(std::vector<ChooserEntry> entries, bool driveList) {
    beginResetModel();
    entries_ = std::move(entries);
    icons_.assign(entries_.size(), QIcon());
    driveList_ = driveList;
    endResetModel();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void FileListModel::SetSortOrder(int order) {
    sortOrder_ = order;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void FileListModel::SetAttributesAsFontStyle(bool on) {
    if (on == attributesAsFontStyle_) return;
    attributesAsFontStyle_ = on;
    if (!entries_.empty())
        Q_EMIT dataChanged(index(0, kColumnName), index(rowCount() - 1, kColumnName),
                           {Qt::FontRole});
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QIcon FileListModel::IconOf(int row) const {
    QIcon& icon = icons_[row];
    if (icon.isNull()) {
        const ChooserEntry& entry = entries_[row];
        if (entry.drive)
            icon = iconProvider_.icon(QAbstractFileIconProvider::Drive);
        else
            icon = iconProvider_.icon(QFileInfo(entry.path));
        if (entry.shortcut) icon = WithShortcutArrow(icon);
    }
    return icon;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const ChooserEntry& entry = entries_[index.row()];
    const int column = index.column();
    if (role == Qt::DisplayRole) {
        const auto flag = [](bool on) { return on ? u"Yes"_s : QString(); };
        switch (column) {
        case kColumnName:
            return entry.name;
        case kColumnType:
            return entry.type;
        case kColumnSize:
            return entry.folder ? QString() : GroupedNumber(entry.size);
        case kColumnDate:
            if (entry.drive) return GroupedNumber(entry.freeSpace);
            return QLocale::system().toString(entry.modified, QLocale::ShortFormat);
        case kColumnReadOnly:
            return flag(entry.attributes.readOnly);
        case kColumnHidden:
            return flag(entry.attributes.hidden);
        case kColumnSystem:
            return flag(entry.attributes.system);
        case kColumnArchive:
            return flag(entry.attributes.archive);
        default:
            return {};
        }
    }
    if (role == Qt::DecorationRole && column == kColumnName) return IconOf(index.row());
    if (role == Qt::FontRole && column == kColumnName && attributesAsFontStyle_) {
        QFont font;
        font.setItalic(entry.attributes.readOnly);
        font.setStrikeOut(entry.attributes.hidden);
        font.setBold(entry.attributes.system);
        font.setUnderline(entry.attributes.archive);
        return font;
    }
    if (role == Qt::TextAlignmentRole &&
        (column == kColumnSize || (column == kColumnDate && entry.drive)))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    // The whole name, wherever a view has to cut it.
    if (role == Qt::ToolTipRole && column == kColumnName)
        return entry.shortcut ? entry.path : entry.name;
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return ColumnCaption(section, driveList_);
    if (role == Qt::DecorationRole && section == SortColumn(sortOrder_))
        return SortDescending(sortOrder_) ? descending_ : ascending_;
    return {};
}

QString FileListModel::ColumnCaption(int column, bool driveList) {
    static constexpr std::array<char16_t const*, kColumnCount> captions = {
        u"Name", u"Type", u"Size", u"Modified", u"Read only", u"Hidden", u"System", u"Archive"};
    if (column < 0 || column >= kColumnCount) return QString();
    if (column == kColumnDate && driveList) return u"Free space"_s;
    return QString::fromUtf16(captions[column]);
}

int FileListModel::ColumnWidth(int column) {
    static constexpr std::array<int, kColumnCount> widths = {200, 140, 100, 140, 90, 70, 70, 70};
    return column >= 0 && column < kColumnCount ? widths[column] : 0;
}

} // namespace vorpel
