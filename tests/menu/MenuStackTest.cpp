#include "menu/MenuStack.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

using C = MenuCommand;

MenuItem shown(std::string label) {
    return {std::move(label)};
}

TEST(MenuPageTest, UpAndDownGoRoundLeftAndRightChangeAndEnterActivatesOrSteps) {
    int value = 0;
    int activated = 0;
    MenuItem stepper{"Volume", [&] { return std::to_string(value); }, [&](int step) { value += step; }};
    MenuItem button{"Go", {}, {}, [&] { ++activated; }};
    MenuPage page("T", {stepper, button, shown("Text")});
    EXPECT_EQ(page.selected(), 0u);
    EXPECT_FALSE(page.handle(C::Up));
    EXPECT_EQ(page.selected(), 2u);
    page.handle(C::Down);
    EXPECT_EQ(page.selected(), 0u);
    page.handle(C::Right);
    page.handle(C::Right);
    page.handle(C::Left);
    page.handle(C::Confirm); // a line with nothing to activate steps up
    EXPECT_EQ(value, 2);
    page.handle(C::Down);
    page.handle(C::Left); // nothing to change
    page.handle(C::Confirm);
    EXPECT_EQ(activated, 1);
    page.handle(C::Down);
    page.handle(C::Confirm); // only shown
    EXPECT_EQ(value, 2);
    EXPECT_TRUE(page.handle(C::Back));
    EXPECT_TRUE(MenuPage("Empty", {}).handle(C::Back));
    EXPECT_FALSE(MenuPage("Empty", {}).handle(C::Down));
}

// A page's line may open a page or close its own; that happens once the command is done.
TEST(MenuStackTest, PagesOpenAndCloseFromTheirOwnLinesAndBackClosesTheTop) {
    MenuStack stack;
    auto sub = [&] { return MenuPage("Sub", {{"Close", {}, {}, [&] { stack.pop(); }}, shown("x")}); };
    stack.open(MenuPage(
        "Main", {{"Open", {}, {}, [&] { stack.push(sub()); }}, {"All", {}, {}, [&] { stack.clear(); }}}));
    const uint32_t opened = stack.revision();
    stack.handle(C::Confirm);
    ASSERT_EQ(stack.depth(), 2u);
    EXPECT_EQ(stack.top().title(), "Sub");
    EXPECT_GT(stack.revision(), opened);
    stack.handle(C::Confirm);
    ASSERT_EQ(stack.depth(), 1u);
    EXPECT_EQ(stack.top().title(), "Main");
    stack.handle(C::Confirm);
    stack.handle(C::Back);
    EXPECT_EQ(stack.depth(), 1u);
    stack.handle(C::Down);
    stack.handle(C::Confirm); // "All": closes everything, even with a page waiting to open
    EXPECT_TRUE(stack.empty());
    stack.handle(C::Confirm); // nothing open: nothing happens
    EXPECT_TRUE(stack.empty());
}

TEST(MenuStackTest, TheStatusLastsUntilTheNextCommand) {
    MenuStack stack;
    stack.open(MenuPage("Main", {{"Say", {}, {}, [&] { stack.setStatus("said"); }}, shown("y")}));
    stack.handle(C::Confirm);
    EXPECT_EQ(stack.status(), "said");
    const uint32_t revision = stack.revision();
    stack.handle(C::None);
    EXPECT_EQ(stack.status(), "said");
    EXPECT_EQ(stack.revision(), revision) << "nothing changed";
    stack.handle(C::Down);
    EXPECT_EQ(stack.status(), "");
}

} // namespace
} // namespace qv
