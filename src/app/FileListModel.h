// The file chooser's entries as a table model shared by its list and details views.
#pragma once

#include <QAbstractTableModel>
#include <QFileIconProvider>
#include <QIcon>
#include <vector>

#include "app/FileListing.h"

namespace vorpel {

class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);

    // Replaces the entries; `driveList` names the date column "Free space".
    void SetEntries(std::vector<ChooserEntry> entries, bool driveList);
    const std::vector<ChooserEntry>& Entries() const { return entries_; }

    // The column and direction the header's arrow shows.
    void SetSortOrder(int order);
    // Attributes drawn as the font style of the name instead of in their columns.
    void SetAttributesAsFontStyle(bool on);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Captions of the details view's columns and their design widths.
    static QString ColumnCaption(int column, bool driveList);
    static int ColumnWidth(int column);

private:
    QIcon IconOf(int row) const;

    std::vector<ChooserEntry> entries_;
    bool driveList_ = false;
    int sortOrder_ = 0;
    bool attributesAsFontStyle_ = false;
    QFileIconProvider iconProvider_;
    mutable std::vector<QIcon> icons_; // looked up when first drawn: the lookup is slow
    QIcon ascending_, descending_, shortcutArrow_;
};

} // namespace vorpel
