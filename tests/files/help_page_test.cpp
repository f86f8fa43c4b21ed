// The help page data/Vorpel.htm: every topic the windows open is an anchor, every block kind is
// described, and the markup is balanced.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "files/HelpTopics.h"

namespace {

using vorpel::HelpTopic;
using vorpel::IsHelpTopic;
using vorpel::kHelpTopics;

std::string ReadPage() {
    std::ifstream in(VORPEL_SOURCE_DIR "/data/Vorpel.htm", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(HelpPage, HasEveryTopicAnchor) {
    const std::string page = ReadPage();
    ASSERT_FALSE(page.empty());
    for (const HelpTopic& topic : kHelpTopics) {
        const std::string name(topic.name);
        EXPECT_EQ(Count(page, "id=\"" + name + "\""), 1u) << name;
        EXPECT_EQ(Count(page, "name=\"" + name + "\""), 1u) << name;
    }
    EXPECT_TRUE(IsHelpTopic("GotoMove"));
    EXPECT_FALSE(IsHelpTopic("gotomove"));
}

// Every row of the tables of kinds and marks shows its picture, and the pictures are exactly the
// levels of the text they are drawn from at build time, each once.
TEST(HelpPage, ShowsEveryKindAndMarkAsDrawn) {
    std::ifstream in(VORPEL_SOURCE_DIR "/data/help-pictures.txt", std::ios::binary);
    std::vector<std::string> levels;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] == '"')
            levels.push_back(line.substr(1, line.find('"', 1) - 1));
    ASSERT_EQ(levels.size(), 42u); // 31 block kinds, 11 marks

    const std::string page = ReadPage();
    std::vector<std::string> pictures;
    const std::string prefix = "<img src=\"help-pictures/";
    for (auto at = page.find(prefix); at != std::string::npos; at = page.find(prefix, at + 1)) {
        const auto start = at + prefix.size();
        pictures.push_back(page.substr(start, page.find(".png\"", start) - start));
    }
    std::vector<std::string> sortedLevels = levels;
    std::sort(sortedLevels.begin(), sortedLevels.end());
    std::sort(pictures.begin(), pictures.end());
    EXPECT_EQ(pictures, sortedLevels);

    // Each table row of a kind or mark starts with its picture.
    for (const char* table : {"id=\"Blocks\"", "id=\"Marks\""}) {
        const auto begin = page.find("<table>", page.find(table));
        const auto end = page.find("</table>", begin);
        const std::string rows = page.substr(begin, end - begin);
        EXPECT_EQ(Count(rows, "<tr><td"), Count(rows, "<tr><td class=\"p\"><img ")) << table;
    }
}

TEST(HelpPage, DescribesEveryBlockKind) {
    struct Kind {
        const char* code; // the block-layer character as written in the page
        const char* name;
    };
    const Kind kinds[] = {
        {".", "empty cell"},
        {"#", "wall"},
        {"%", "keyhole"},
        {"[", "normal block"},
        {"@", "master block"},
        {"x", "tire cell"},
        {"X", "tire cell"},
        {"{", "magnet"},
        {"?", "master magnet"},
        {"}", "antimagnet"},
        {"z", "master antimagnet"},
        {"|", "vertical block"},
        {"&quot;", "master vertical block"},
        {"-", "horizontal block"},
        {"=", "master horizontal block"},
        {"v", "box"},
        {"V", "master box"},
        {"&amp;", "keystone"},
        {"w", "master keystone"},
        {"$", "eliminator"},
        {"Y", "master eliminator"},
        {";", "hover block"},
        {"Z", "master hover block"},
        {"&gt;", "cover"},
        {"y", "master cover"},
        {"]", "magic block"},
        {"*", "strong barrier"},
        {"!", "weak barrier"},
        {"(", "blockade"},
        {"~", "teleporter"},
    };
    const std::string page = ReadPage();
    const std::string lower = Lower(page);
    for (const Kind& k : kinds) {
        EXPECT_NE(page.find("<code>" + std::string(k.code) + "</code>"), std::string::npos)
            << k.code;
        EXPECT_NE(lower.find(k.name), std::string::npos) << k.name;
    }
    EXPECT_NE(lower.find("round block"), std::string::npos);
}

// Start and end tags pair up like brackets; void elements, comments and the doctype stand alone.
TEST(HelpPage, IsWellFormed) {
    const std::string page = ReadPage();
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(Lower(page).find("<script"), std::string::npos);
    EXPECT_EQ(Count(page, "<html"), 1u);
    EXPECT_EQ(Count(page, "</html>"), 1u);
    EXPECT_LT(page.find("<html"), page.find("</html>"));

    const std::vector<std::string> voids = {"meta", "br",    "hr",  "img",
                                            "link", "input", "col", "wbr"};
    std::vector<std::string> open;
    for (auto at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
        if (page.compare(at, 4, "<!--") == 0) {
            at = page.find("-->", at);
            ASSERT_NE(at, std::string::npos) << "unterminated comment";
            continue;
        }
        const auto end = page.find('>', at);
        ASSERT_NE(end, std::string::npos) << "unterminated tag at " << at;
        if (page[at + 1] == '!') continue;
        const bool closing = page[at + 1] == '/';
        const auto nameStart = at + (closing ? 2 : 1);
        const auto nameEnd = page.find_first_of(" \t\r\n>", nameStart);
        const std::string name = Lower(page.substr(nameStart, nameEnd - nameStart));
        if (closing) {
            ASSERT_FALSE(open.empty()) << "</" << name << "> without start tag at " << at;
            ASSERT_EQ(open.back(), name) << "mismatched </" << name << "> at " << at;
            open.pop_back();
        } else if (std::find(voids.begin(), voids.end(), name) == voids.end()) {
            open.push_back(name);
        }
    }
    EXPECT_TRUE(open.empty()) << "unclosed <" << (open.empty() ? "" : open.back()) << ">";
}

} // namespace
