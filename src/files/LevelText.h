// The program's own level text format: reading, writing and recognising level texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileNames.h"
#include "io/FileIO.h"
#include "model/Context.h"

namespace vorpel {

// Splits a text into lines at CR, LF or CR LF; a final line end adds no empty line, and an
// empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// To be called once a read of `textBytes` of text has given its text and lines back. Megabytes
// of text leave free memory in small pieces between the levels read, which the process would
// otherwise keep for as long as it runs; handing it to the system (where the C library can)
// costs a walk of the heap, worth it only after a large read.
void ReleaseAfterRead(std::size_t textBytes);

// Whether a text's lines are to be read in this format (the other texts go to the SOK reader).
bool IsLevelText(const std::vector<std::string>& lines);

// Whether the lines are read in quoted mode: the first line begins with a double quote.
bool IsQuotedText(const std::vector<std::string>& lines);

// Mark characters of a board line: the nine basic marks, and in quoted mode also the
// alphanumeric and round marks.
bool IsTextMarkChar(Byte c, bool quoted);

// A double quote, the text and a double quote.
std::string QuoteTitle(const std::string& text);

// The two characters that label multi-cell block number `k` when a level is written.
std::string BlockLabel(int k);

// Reads the title line at `index` and the board lines after it into the current level, which
// the caller has just made with NewLevel. Leaves `index` on the first line after the board, where
// the move lines begin. Returns "" or the error message.
std::string ReadLevelText(Context& ctx, const std::vector<std::string>& lines, std::size_t& index,
                          bool quoted);

// The whole text of a level in quoted mode: title, stored board and every recorded step.
std::string LevelTextOf(const Level& level);

// What the level text of a level cannot give back, one short phrase each (a title with a line
// break or a zero byte). Empty when it reads back whole.
std::vector<std::string> LevelTextLosses(const Level& level);

// Writes the current level to `place`, a file or the clipboard.
FileResult WriteLevelText(Context& ctx, const LevelPlace& place, const WriteFaults& faults = {});

} // namespace vorpel
