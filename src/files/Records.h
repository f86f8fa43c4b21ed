// Records: the best known moves and steps of each level title, from the records file and DLLs.
#pragma once

#include <string>
#include <string_view>

#include "io/FileIO.h"
#include "model/Context.h"

namespace vorpel {

// The records file: the program's path with the extension ".rec"; empty when no program is named.
std::string RecordsPath(const Context& ctx);

// An entry: moves and steps as "moves,steps" padded with blanks or cut to 12 characters, then
// the title.
std::string RecordEntry(long long moves, long long steps, std::string_view title);
// The entry of one line of the records file; empty for a line without title.
std::string RecordEntryOfLine(std::string_view line);

// Rebuilds `recordList` from the file and the records set during the run; a read error is shown
// with the file's name when `showErrors`. A missing file reads as no records and is no error; an
// unreadable one leaves only the records set during the run.
FileResult ReadRecordsFile(Context& ctx, bool showErrors);
// The same for the records file at `path` (none when empty: FileError::kNotFound).
FileResult ReadRecordsFile(Context& ctx, const std::string& path, bool showErrors);

// The record of a title, found by halving the sorted list; both 0 (and false) when none.
bool LookUpRecord(const Context& ctx, std::string_view title, int& moves, int& steps);

// Sets a title's record for the rest of the run (`newRecords`, kept sorted by title) and in
// `recordList`, where it replaces every entry of that title.
void SetRecord(Context& ctx, std::string_view title, long long moves, long long steps);

// A record count as shown beside the play: its number, or "?" when it is not above 0.
std::string RecordText(int value);

} // namespace vorpel
