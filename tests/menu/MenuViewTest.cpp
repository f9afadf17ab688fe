#include "menu/MenuView.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

std::string utf8(const std::u32string& line) {
    return std::string(line.begin(), line.end()); // the tests use ASCII only
}

TEST(MenuViewTest, ValuesLineUpAfterTheLongestLabelAndTheChosenChangeableLineShowsArrows) {
    MenuItem volume{"Music volume", [] { return std::string("80"); }, [](int) {}};
    MenuItem fixed{"Endless", [] { return std::string("1234"); }};
    MenuPage page("SOUND", {volume, fixed, {"Back"}});
    const MenuView::Body body = MenuView::body(page);
    ASSERT_EQ(body.lines.size(), 3u);
    EXPECT_EQ(utf8(body.lines[0]), "Music volume   < 80 >");
    EXPECT_EQ(utf8(body.lines[1]), "Endless        1234");
    EXPECT_EQ(utf8(body.lines[2]), "Back");
    EXPECT_EQ(body.highlighted, 0u);
}

// A page longer than the screen shows a window of its lines that keeps the chosen one in sight.
TEST(MenuViewTest, ALongPageScrollsToKeepTheChosenLineInSight) {
    std::vector<MenuItem> items;
    for (int i = 0; i < 20; ++i)
        items.push_back({"Line " + std::to_string(i)});
    struct Case {
        size_t chosen;
        const char* top;
        const char* bottom;
    };
    for (const Case& c : {Case{0, "Line 0", "  v 6 more"}, Case{9, "  ^ 2 more", "  v 4 more"},
                          Case{19, "  ^ 6 more", "Line 19"}}) {
        MenuPage page("LONG", items, c.chosen);
        const MenuView::Body body = MenuView::body(page);
        ASSERT_LT(body.highlighted, body.lines.size());
        EXPECT_EQ(utf8(body.lines[body.highlighted]), "Line " + std::to_string(c.chosen));
        EXPECT_EQ(utf8(body.lines.front()), c.top);
        EXPECT_EQ(utf8(body.lines.back()), c.bottom);
    }
}

TEST(MenuViewTest, LongNotesBreakBetweenWordsAndAWordLongerThanALineIsCut) {
    const auto lines = MenuView::wrapped(U"Not saved: cannot write /a/very/long/path; it is left", 20);
    std::vector<std::string> got;
    for (const auto& line : lines)
        got.push_back(utf8(line));
    const std::vector<std::string> expected{"Not saved: cannot", "write", "/a/very/long/path;", "it is left"};
    EXPECT_EQ(got, expected);
    EXPECT_EQ(MenuView::wrapped(U"abcdefghij", 4).size(), 3u);
    EXPECT_TRUE(MenuView::wrapped(U"", 4).empty());
}

} // namespace
} // namespace qv
