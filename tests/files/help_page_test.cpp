// The help page data/Vorpel.htm: every topic the windows open is an anchor, every block kind is
// described, and the markup is balanced.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

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
    for (const char* topic : {"Start", "Options", "FileRead", "FileSave", "LevelEdit", "MoveList",
                              "ChangeTitle", "WriteGIF", "GotoMove", "BestSolution", "LevelChoice",
                              "SavingAsDLL", "WriteBricksMoves", "ReadBricksMoves"}) {
        EXPECT_EQ(Count(page, "id=\"" + std::string(topic) + "\""), 1u) << topic;
        EXPECT_EQ(Count(page, "name=\"" + std::string(topic) + "\""), 1u) << topic;
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
