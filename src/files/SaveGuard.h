// Whether a save that replaces an existing file would lose levels the file holds, and the
// question that says so.
#pragma once

#include <string>
#include <vector>

#include "files/SaveOffer.h"

namespace vorpel {

// What an existing file holds, as the loader reads it.
struct FileLevels {
    bool exists = false;
    // The format of its bytes: own level text, NBL, SOK; `otherFormat` for what none of the
    // save commands writes (a DLL, ...).
    SaveFormat format = SaveFormat::kOwnText;
    bool otherFormat = false;
    std::vector<std::string> titles; // its levels in file order
};

// Reads `path` without asking anything: titles are made where missing and kept when taken.
// A missing file gives `exists` false; a file without levels gives no titles.
FileLevels ReadFileLevels(const std::string& path);

// The titles of the levels of `file` that a save of the levels titled `written` in `format`
// would not write back: every level whose title is not written and, when the file is in another
// format and `formatLoses` (the format cannot keep all of what is written) or is in a format no
// save writes, every level it holds.
std::vector<std::string> LevelsLostBySave(const FileLevels& file,
                                          const std::vector<std::string>& written,
                                          SaveFormat format, bool formatLoses);

// The question asked before such a save replaces `path`; its last line is the question.
std::vector<std::string> ReplaceQuestion(const std::string& path,
                                         const std::vector<std::string>& lost);

} // namespace vorpel
