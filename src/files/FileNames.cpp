// File names: checks and messages around whole-file reading and writing, and path helpers.
#include "files/FileNames.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace vorpel {

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

std::string NotFoundMessage(const std::string& name) {
    return name + "\r\n" + kFileNotFound;
}

// The folder part without its first folder: "\a\b\" gives "\...\b\". An ellipsis left by an
// earlier cut goes with the folder after it.
std::string CutFirstFolder(const std::string& folder, char separator) {
    if (folder.size() == 1 && IsSeparator(folder[0])) return {};
    const bool leading = !folder.empty() && IsSeparator(folder[0]);
    std::size_t start = leading ? 1 : 0;
    if (folder.compare(start, 3, "...") == 0 && start + 3 < folder.size() &&
        IsSeparator(folder[start + 3]))
        start += 4;
    const std::size_t cut = folder.find_first_of("/\\", start);
    std::string result;
    if (leading) result.push_back(separator);
    if (cut == std::string::npos) return result;
    result.append("...");
    result.push_back(separator);
    result.append(folder, cut + 1, std::string::npos);
    return result;
}

} // namespace

std::string NameTooLongMessage(const std::string& name) {
    return std::string(kNameTooLongIntro) + "\r\n" + name;
}

FileResult CreateForWriting(const std::string& name) {
    if (name.size() > kMaxFileName) return FileResult::Failed(NameTooLongMessage(name));
    if (name.empty()) return FileResult::Failed(kErrorOpening);
    return {};
}

FileResult ReadFileChecked(const std::string& name, std::string& bytes) {
    bytes.clear();
    if (name.size() > kMaxFileName) return FileResult::Failed(NameTooLongMessage(name));
    FileResult read = ReadWholeFile(name, bytes);
    if (read.code == FileError::kNotFound) read.message = NotFoundMessage(name);
    return read;
}

FileResult WriteFileChecked(const std::string& name, const std::string& bytes,
                            const WriteFaults& faults) {
    if (FileResult check = CreateForWriting(name); !check.Ok()) return check;
    return WriteFileAtomic(name, bytes, faults);
}

FileResult WriteToPlace(Platform* platform, const LevelPlace& place,
                        const std::function<std::string(std::string& bytes)>& make,
                        const WriteFaults& faults) {
    const bool clipboard = place.IsClipboard() && platform != nullptr;
    if (!clipboard)
        if (FileResult check = CreateForWriting(place.FileName()); !check.Ok()) return check;
    std::string bytes;
    try {
        if (std::string error = make(bytes); !error.empty())
            return FileResult::Failed(std::move(error));
    } catch (const std::bad_alloc&) {
        return FileResult::Failed(kNotEnoughMemory);
    }
    if (clipboard)
        return platform->SetClipboardText(bytes) ? FileResult{} : FileResult::Failed(kErrorWriting);
    return WriteFileAtomic(place.FileName(), bytes, faults);
}

bool HasExtension(std::string_view extension, std::string_view name) {
    if (name.size() < extension.size()) return false;
    const std::string_view end = name.substr(name.size() - extension.size());
    for (std::size_t i = 0; i < end.size(); ++i)
        if (Lower(end[i]) != Lower(extension[i])) return false;
    return true;
}

bool ResolveShortcut(Platform& platform, std::string& name) {
    if (!HasExtension(".lnk", name)) return false;
    std::string resolved = name;
    if (platform.ResolveShortcut(resolved)) return true;
    name = std::move(resolved);
    return false;
}

std::string LongPathName(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path p(path);
    std::error_code ec;
    if (!p.has_filename() || !fs::exists(fs::symlink_status(p, ec))) return path;
    const std::string folder = p.parent_path().string();
    const std::string entry = p.filename().string();
    if (folder.empty()) return entry;
    std::string result = folder == path ? folder : LongPathName(folder);
    if (result.empty() || !IsSeparator(result.back())) result += fs::path::preferred_separator;
    return result + entry;
}

std::string ShortenPath(const std::string& path, int width,
                        const std::function<int(const std::string&)>& textWidth) {
    std::size_t firstSeparator = 0;
    while (firstSeparator < path.size() && !IsSeparator(path[firstSeparator])) ++firstSeparator;
    const char separator = firstSeparator < path.size() ? path[firstSeparator] : '/';

    std::string drive, folder, file = path;
    if (path.size() >= 2 && path[1] == ':') drive = path.substr(0, 2);
    std::size_t lastSeparator = path.size();
    while (lastSeparator > drive.size() && !IsSeparator(path[lastSeparator - 1])) --lastSeparator;
    folder = path.substr(drive.size(), lastSeparator - drive.size());
    file = path.substr(lastSeparator);

    const std::string lone = std::string(1, separator) + "..." + separator;
    while (textWidth(drive + folder + file) > width && (!drive.empty() || !folder.empty())) {
        if (folder == lone) {
            drive.clear();
            folder = lone.substr(1);
        } else if (!folder.empty()) {
            folder = CutFirstFolder(std::move(folder), separator);
        } else {
            drive.clear();
        }
    }
    return drive + folder + file;
}

} // namespace vorpel
