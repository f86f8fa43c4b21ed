// Level texts from little board pictures, one character a cell, for the Qt tests.
#pragma once

#include <string>
#include <vector>

namespace vorpel::test {

// One board row from a picture: "#" wall, "@" master block, "[" normal block, "+" destination,
// ":" ice, anything else floor; each becomes its four-character cell group.
inline std::string PictureRow(const std::string& picture) {
    std::string row;
    for (const char c : picture) {
        switch (c) {
        case '#':
        case '@':
        case '[':
            row += std::string{'.', c, '.', '.'};
            break;
        case '+':
        case ':':
            row += std::string{c, '.', '.', '.'};
            break;
        default:
            row += "....";
            break;
        }
    }
    return row;
}

// A level text: the quoted title, the picture's rows and the move lines `moves`.
inline std::string PictureLevelText(const std::string& title,
                                    const std::vector<std::string>& picture,
                                    const std::string& moves = {}) {
    std::string text = "\"" + title + "\"\r\n";
    for (const std::string& line : picture) text += PictureRow(line) + "\r\n";
    return text + moves;
}

} // namespace vorpel::test
