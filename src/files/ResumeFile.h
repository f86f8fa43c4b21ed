// The resume file: the whole collection with every level's history and position, written when
// the program closes and read back when it starts, so that play goes on where it was left.
#pragma once

#include <string>

#include "io/FileIO.h"
#include "model/Context.h"

namespace vorpel {

// The file's name in the per-user data folder.
inline constexpr const char* kResumeFileName = "resume.vorpel";

// Shown, after the file's name, when a resume file cannot be read back.
inline constexpr const char* kResumeDamaged =
    "The levels of the last session could not be read back; the file was set aside as";

// The text of the resume file: a header line, the current level, then for every level a line
// with its current step, zero-move-count reference and step count, followed by its level text
// (title, stored board and every recorded step); a closing line with the level count. With
// `editedLevel` that level is kept as the last one (the editor's level when it is open), and
// written once when it is one of the collection's own levels.
std::string ResumeText(const LevelCollection& collection, const Level* editedLevel = nullptr);

// Writes the resume file atomically.
FileResult WriteResumeFile(const std::string& path, const LevelCollection& collection,
                           const Level* editedLevel = nullptr, const WriteFaults& faults = {});

// Reads a resume text into a new collection that replaces `ctx.collection` only when the whole
// text was read; the moves are carried out with `ctx`'s options. Returns "" or the reason the
// text was refused (the collection is then unchanged).
std::string ReadResumeText(Context& ctx, const std::string& text);

// Reads the resume file at `path`: FileError::kNotFound when there is none, kFailed with the
// reason for an unreadable or damaged file.
FileResult ReadResumeFile(Context& ctx, const std::string& path);

// Renames a damaged resume file out of the way (never deleting it): its name with ".damaged",
// and a number when that is taken. Returns the new name, or "" when renaming failed.
std::string SetResumeFileAside(const std::string& path);

} // namespace vorpel
