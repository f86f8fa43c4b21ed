// The file chooser's listings: a folder's entries or the machine's drives, filtered and sorted.
#include "app/FileListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QStorageInfo>
#include <algorithm>
#include <array>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vorpel {

using namespace Qt::StringLiterals;

namespace {

// One filter compiled once for a whole listing.
class FilterMatcher {
public:
    FilterMatcher(int filter, const QString& customPattern) {
        if (filter == kFilterAll) return;
        const QString text = filter == kFilterCustom ? customPattern : FilterPattern(filter);
        static const QRegularExpression separators(u"[;\\s]+"_s);
        for (const QString& pattern : text.split(separators, Qt::SkipEmptyParts)) {
            // "*.*" means every file, whether its name has a full stop or not.
            if (pattern == u"*.*"_s || pattern == u"*"_s) {
                patterns_.clear();
                return;
            }
            patterns_.emplace_back(QRegularExpression::wildcardToRegularExpression(pattern),
                                   QRegularExpression::CaseInsensitiveOption);
        }
    }

    bool Matches(const QString& name) const {
        if (patterns_.empty()) return true;
        return std::any_of(patterns_.begin(), patterns_.end(),
                           [&](const QRegularExpression& re) { return re.match(name).hasMatch(); });
    }

private:
    std::vector<QRegularExpression> patterns_;
};

FileAttributes AttributesOf(const QFileInfo& info) {
    FileAttributes attributes;
#ifdef Q_OS_WIN
    const QString native = QDir::toNativeSeparators(info.absoluteFilePath());
    const DWORD bits = GetFileAttributesW(reinterpret_cast<LPCWSTR>(native.utf16()));
    if (bits != INVALID_FILE_ATTRIBUTES) {
        attributes.readOnly = (bits & FILE_ATTRIBUTE_READONLY) != 0;
        attributes.hidden = (bits & FILE_ATTRIBUTE_HIDDEN) != 0;
        attributes.system = (bits & FILE_ATTRIBUTE_SYSTEM) != 0;
        attributes.archive = (bits & FILE_ATTRIBUTE_ARCHIVE) != 0;
    }
#else
    // The owner's write bit, not access(): the superuser may write anything.
    attributes.readOnly = info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
    attributes.hidden = info.fileName().startsWith(u'.');
    // Devices, pipes and sockets stand in for system files.
    attributes.system = info.exists() && !info.isSymLink() && !info.isFile() && !info.isDir();
#endif
    return attributes;
}

bool IsShortcut(const QFileInfo& info) {
    return info.isSymLink() || info.suffix().compare(u"lnk"_s, Qt::CaseInsensitive) == 0;
}

QString TypeName(const QMimeDatabase& mime, const QFileInfo& info, bool folder, bool shortcut) {
    if (folder) return u"Folder"_s;
    if (shortcut && info.suffix().compare(u"lnk"_s, Qt::CaseInsensitive) == 0) return u"Shortcut"_s;
    // By name only: reading every file's contents would make large folders slow.
    for (const QMimeType& type : mime.mimeTypesForFileName(info.fileName()))
        if (!type.comment().isEmpty()) return type.comment();
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? u"File"_s : suffix.toUpper() + u" File"_s;
}

#ifndef Q_OS_WIN
bool IsRemovableDevice(const QByteArray& device) {
    if (!device.startsWith("/dev/")) return false;
    const QString name = QString::fromLocal8Bit(device.mid(5));
    // A partition's flag lies with its whole disk, one level up.
    for (const QString& flag : {u"/sys/class/block/"_s + name + u"/removable"_s,
                                u"/sys/class/block/"_s + name + u"/../removable"_s}) {
        QFile file(flag);
        if (file.open(QIODevice::ReadOnly)) return file.read(1) == "1";
    }
    return false;
}
#endif

int Compare(std::int64_t a, std::int64_t b) {
    return a < b ? -1 : a > b ? 1 : 0;
}

int CompareNames(const ChooserEntry& a, const ChooserEntry& b) {
    const int c = QString::compare(a.name, b.name, Qt::CaseInsensitive);
    return c != 0 ? c : QString::compare(a.name, b.name, Qt::CaseSensitive);
}

// Ascending on an attribute column puts the entries that have the attribute first.
int CompareFlags(bool a, bool b) {
    return Compare(b ? 1 : 0, a ? 1 : 0);
}

int CompareOn(int column, const ChooserEntry& a, const ChooserEntry& b) {
    switch (column) {
    case kColumnName:
        return CompareNames(a, b);
    case kColumnType:
        return QString::compare(a.type, b.type, Qt::CaseInsensitive);
    case kColumnSize:
        return Compare(a.size, b.size);
    case kColumnDate:
        if (a.drive || b.drive) return Compare(a.freeSpace, b.freeSpace);
        return a.modified < b.modified ? -1 : b.modified < a.modified ? 1 : 0;
    case kColumnReadOnly:
        return CompareFlags(a.attributes.readOnly, b.attributes.readOnly);
    case kColumnHidden:
        return CompareFlags(a.attributes.hidden, b.attributes.hidden);
    case kColumnSystem:
        return CompareFlags(a.attributes.system, b.attributes.system);
    default:
        return CompareFlags(a.attributes.archive, b.attributes.archive);
    }
}

} // namespace

QString FilterPattern(int filter) {
    static constexpr std::array<char16_t const*, kFilterCount> patterns = {
        u"*.*", u"*.txt", u"*.nbl", u"*.gif", u"*.dll", u"*.sok", u"*.xsb", u"*.sok;*.xsb;*.txt",
        u""};
    return filter >= 0 && filter < kFilterCount ? QString::fromUtf16(patterns[filter]) : QString();
}

bool MatchesFilter(const QString& fileName, int filter, const QString& customPattern) {
    return FilterMatcher(filter, customPattern).Matches(fileName);
}

std::vector<ChooserEntry> ListFolder(const QString& folder, int filter,
                                     const QString& customPattern, ListingOptions options) {
    const FilterMatcher matcher(filter, customPattern);
    const QMimeDatabase mime;
    std::vector<ChooserEntry> entries;
    const QFileInfoList infos = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& info : infos) {
        const FileAttributes attributes = AttributesOf(info);
        if (attributes.hidden && !options.showHidden) continue;
        if (attributes.system && !options.showSystem) continue;
        const bool isFolder = info.isDir();
        if (!isFolder && !matcher.Matches(info.fileName())) continue;
        ChooserEntry entry;
        entry.name = info.fileName();
        entry.path = info.absoluteFilePath();
        entry.folder = isFolder;
        entry.shortcut = IsShortcut(info);
        entry.type = TypeName(mime, info, isFolder, entry.shortcut);
        entry.size = isFolder ? 0 : info.size();
        entry.modified = info.lastModified();
        entry.attributes = attributes;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<ChooserEntry> ListDrives() {
    std::vector<ChooserEntry> drives;
#ifdef Q_OS_WIN
    for (const QFileInfo& root : QDir::drives()) {
        ChooserEntry entry;
        entry.path = root.absoluteFilePath();
        entry.name = QDir::toNativeSeparators(entry.path);
        entry.drive = true;
        const QString native = QDir::toNativeSeparators(entry.path);
        DriveKind kind = kDriveUnknown;
        switch (GetDriveTypeW(reinterpret_cast<LPCWSTR>(native.utf16()))) {
        case DRIVE_REMOVABLE:
            kind = kDriveRemovable;
            break;
        case DRIVE_FIXED:
            kind = kDriveFixed;
            break;
        case DRIVE_REMOTE:
            kind = kDriveNetwork;
            break;
        case DRIVE_CDROM:
            kind = kDriveCdRom;
            break;
        case DRIVE_RAMDISK:
            kind = kDriveRam;
            break;
        default:
            break;
        }
        entry.type = DriveTypeText(kind);
        const QStorageInfo volume(entry.path);
        if (volume.isValid() && volume.isReady()) {
            entry.size = volume.bytesTotal();
            entry.freeSpace = volume.bytesAvailable();
        }
        drives.push_back(std::move(entry));
    }
#else
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        ChooserEntry entry;
        entry.path = volume.rootPath();
        entry.name = entry.path;
        entry.drive = true;
        entry.type = DriveTypeText(ClassifyVolume(volume.fileSystemType(), volume.device(),
                                                  IsRemovableDevice(volume.device())));
        entry.size = volume.bytesTotal();
        entry.freeSpace = volume.bytesAvailable();
        drives.push_back(std::move(entry));
    }
#endif
    return drives;
}

DriveKind ClassifyVolume(const QByteArray& fileSystemType, const QByteArray& device,
                         bool removableDevice) {
    static constexpr std::array<const char*, 14> network = {
        "nfs", "nfs4", "cifs",  "smb3",  "smbfs",      "ncpfs",       "afs",
        "9p",  "ceph", "sshfs", "davfs", "fuse.sshfs", "fuse.davfs2", "glusterfs"};
    static constexpr std::array<const char*, 3> optical = {"iso9660", "udf", "cd9660"};
    static constexpr std::array<const char*, 2> memory = {"tmpfs", "ramfs"};
    static constexpr std::array<const char*, 13> disk = {
        "ext2", "ext3",    "ext4",  "xfs",     "btrfs", "zfs",     "f2fs",
        "jfs",  "overlay", "ntfs3", "hfsplus", "apfs",  "reiserfs"};
    const auto among = [&](const auto& names) {
        return std::any_of(names.begin(), names.end(),
                           [&](const char* name) { return fileSystemType == name; });
    };
    if (among(network)) return kDriveNetwork;
    if (among(optical)) return kDriveCdRom;
    if (among(memory)) return kDriveRam;
    if (removableDevice) return kDriveRemovable;
    if (among(disk) || device.startsWith("/dev/")) return kDriveFixed;
    return kDriveUnknown;
}

QString DriveTypeText(DriveKind kind) {
    switch (kind) {
    case kDriveRemovable:
        return u"Removable disk"_s;
    case kDriveFixed:
        return u"Fixed disk"_s;
    case kDriveNetwork:
        return u"Network disk"_s;
    case kDriveCdRom:
        return u"CD-ROM"_s;
    case kDriveRam:
        return u"RAM disk"_s;
    default:
        return u"Unknown type"_s;
    }
}

void SortEntries(std::vector<ChooserEntry>& entries, int order) {
    const int column = SortColumn(order);
    const bool descending = SortDescending(order);
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const ChooserEntry& a, const ChooserEntry& b) {
                         if (a.folder != b.folder) return a.folder;
                         int c = CompareOn(column, a, b);
                         if (descending) c = -c;
                         return c != 0 ? c < 0 : CompareNames(a, b) < 0;
                     });
}

QString SortCaption(int order, bool driveList) {
    static constexpr std::array<char16_t const*, kSortOrderCount> captions = {
        u"Sort on name A ... Z",        u"Sort on name Z ... A",
        u"Sort on type A ... Z",        u"Sort on type Z ... A",
        u"Sort on increasing size",     u"Sort on decreasing size",
        u"Sort on date old ... new",    u"Sort on date new ... old",
        u"Sort on read only attribute", u"Sort on not read only attribute",
        u"Sort on hidden attribute",    u"Sort on not hidden attribute",
        u"Sort on system attribute",    u"Sort on not system attribute",
        u"Sort on archive attribute",   u"Sort on not archive attribute",
    };
    if (order < 0 || order >= kSortOrderCount) return QString();
    if (driveList && SortColumn(order) == kColumnDate)
        return SortDescending(order) ? u"Sort on decreasing free space"_s
                                     : u"Sort on increasing free space"_s;
    return QString::fromUtf16(captions[order]);
}

int NextEntryStartingWith(const std::vector<ChooserEntry>& entries, int current, QChar letter) {
    const int count = static_cast<int>(entries.size());
    const QString wanted = QString(letter).toCaseFolded();
    if (current < -1 || current >= count) current = -1;
    for (int k = 1; k <= count; ++k) {
        const int i = (current + k) % count;
        if (entries[i].name.left(1).toCaseFolded() == wanted) return i;
    }
    return -1;
}

QString GroupedNumber(std::int64_t value) {
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, u',');
    return value < 0 ? u'-' + digits : digits;
}

QStringList OverwriteQuestion(const QString& path) {
    QString date = u"?"_s, time = u"?"_s, size = u"?"_s;
    const QFileInfo info(path);
    if (info.exists()) {
        const QDateTime modified = info.lastModified();
        if (modified.isValid()) {
            date = QLocale::system().toString(modified.date(), QLocale::ShortFormat);
            time = modified.time().toString(u"hh:mm:ss"_s);
        }
        size = GroupedNumber(info.size());
    }
    return {u"The file"_s, QDir::toNativeSeparators(path), u"(modified on "_s + date + u","_s,
            u"at "_s + time + u", size "_s + size + u" bytes)"_s, u"already exists.  Overwrite?"_s};
}

} // namespace vorpel
