// The file chooser's listings: a folder's entries or the machine's drives, filtered and sorted.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace vorpel {

// Filters, numbered as the ids of their radio buttons.
enum ChooserFilter : int {
    kFilterAll = 0,
    kFilterTxt,
    kFilterNbl,
    kFilterGif,
    kFilterDll,
    kFilterSok,
    kFilterXsb,
    kFilterLevels, // every level text: SOK, XSB and the own text
    kFilterCustom,
    kFilterCount
};

// Columns of the details view, in order.
enum ChooserColumn : int {
    kColumnName = 0,
    kColumnType,
    kColumnSize,
    kColumnDate,
    kColumnReadOnly,
    kColumnHidden,
    kColumnSystem,
    kColumnArchive,
    kColumnCount
};

// A sort order is the column times two, plus one when descending.
inline constexpr int kSortOrderCount = 2 * kColumnCount;
inline constexpr int SortColumn(int order) {
    return order / 2;
}
inline constexpr bool SortDescending(int order) {
    return order % 2 != 0;
}
inline constexpr int SortOrderOf(int column, bool descending) {
    return 2 * column + (descending ? 1 : 0);
}

// Drive types, each shown with its own text.
enum DriveKind : int {
    kDriveUnknown = 0,
    kDriveRemovable,
    kDriveFixed,
    kDriveNetwork,
    kDriveCdRom,
    kDriveRam
};

struct FileAttributes {
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
    bool archive = false;
};

struct ChooserEntry {
    QString name; // as listed: the file's name, or a drive's root
    QString path; // absolute, with '/' separators
    QString type;
    bool folder = false;
    bool drive = false;
    bool shortcut = false;
    std::int64_t size = 0; // a drive's capacity
    QDateTime modified;    // files and folders
    std::int64_t freeSpace = 0;
    FileAttributes attributes;
};

struct ListingOptions {
    bool showHidden = false;
    bool showSystem = false;
};

// "*.*", "*.txt", "*.nbl", "*.gif", "*.dll", "*.sok" for the fixed filters; "" for the custom one.
QString FilterPattern(int filter);

// Whether a file of this name passes the filter. The custom pattern holds wildcards separated by
// ';' or blanks; "*.*" and an empty pattern let every file pass, as the fixed "*.*" does.
bool MatchesFilter(const QString& fileName, int filter, const QString& customPattern);

// Every entry of `folder` except "." and "..": folders always, files that pass the filter, and
// hidden and system entries only when asked for. Unsorted.
std::vector<ChooserEntry> ListFolder(const QString& folder, int filter,
                                     const QString& customPattern, ListingOptions options);

// The machine's drives: on Windows its logical drives, elsewhere its mounted volumes.
std::vector<ChooserEntry> ListDrives();

// The kind of a mounted volume from its file system type and device; `removableDevice` when the
// device says it can be taken out.
DriveKind ClassifyVolume(const QByteArray& fileSystemType, const QByteArray& device,
                         bool removableDevice);
QString DriveTypeText(DriveKind kind);

// Sorts by `order` (see SortOrderOf): folders before files, ties by name.
void SortEntries(std::vector<ChooserEntry>& entries, int order);

// The pop-up menu's caption of a sort order; the date pair speaks of free space in the drive
// list.
QString SortCaption(int order, bool driveList);

// The next entry after `current`, wrapping to the top, whose name begins with `letter`, letter
// case ignored; -1 when none does.
int NextEntryStartingWith(const std::vector<ChooserEntry>& entries, int current, QChar letter);

// A number of bytes with its thousands grouped by commas: "1,234,567".
QString GroupedNumber(std::int64_t value);

// The lines of the question before overwriting `path`; date, time and size are "?" when the
// file's data cannot be read.
QStringList OverwriteQuestion(const QString& path);

} // namespace vorpel
