// The menu table is what both desktops build their menu bars from: a line in the wrong place or a
// control listed twice would break both at once.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "commands/MenuTable.h"

namespace kelvarn::test {
namespace {

TEST(MenuTable, EveryLineSitsInAMenuAndRunsWhatItsKindAllows) {
    int depthOfOpenTitle[3] = {-1, -1, -1};
    std::set<std::string> names;
    int titles = 0, barTitles = 0;
    for (const MenuLine& line : menuTree()) {
        SCOPED_TRACE(line.name);
        EXPECT_TRUE(names.insert(line.name).second) << "control named twice";
        ASSERT_GE(line.depth, 0);
        ASSERT_LE(line.depth, 2);
        if (line.depth > 0) {
            EXPECT_EQ(depthOfOpenTitle[line.depth - 1], line.depth - 1) << "no menu to sit in";
        }
        switch (line.kind) {
        case MenuLineKind::Title:
            ++titles;
            barTitles += line.depth == 0 ? 1 : 0;
            EXPECT_EQ(line.click, nullptr);
            EXPECT_FALSE(line.shortcut.given());
            depthOfOpenTitle[line.depth] = line.depth;
            for (int deeper = line.depth + 1; deeper < 3; ++deeper) {
                depthOfOpenTitle[deeper] = -1;
            }
            break;
        case MenuLineKind::Item:
            EXPECT_GT(line.depth, 0);
            EXPECT_NE(line.click, nullptr);
            break;
        case MenuLineKind::Separator:
            EXPECT_STREQ(line.caption, "-");
            EXPECT_EQ(line.click, nullptr);
            EXPECT_FALSE(line.control.has_value());
            break;
        }
    }
    EXPECT_EQ(barTitles, 7);
    EXPECT_EQ(titles, 10);
}

TEST(MenuTable, EachSwitchedControlAndEachShortcutBelongsToOneLine) {
    std::map<Control, int> controls;
    std::map<std::string, std::string> shortcuts;
    for (const MenuLine& line : menuTree()) {
        if (line.control) {
            ++controls[*line.control];
        }
        if (line.shortcut.given()) {
            EXPECT_TRUE(shortcuts.emplace(line.shortcut.text(), line.name).second)
                << line.shortcut.text() << " on two lines";
        }
    }
    // Every switched control but the exit label below the board is on the menu bar, once.
    for (int c = int(Control::m1); c <= int(Control::yuhui); ++c) {
        const auto control = Control(c);
        EXPECT_EQ(controls[control], control == Control::picexit ? 0 : 1) << c;
    }
    const std::map<std::string, std::string> expected = {
        {"Ctrl+P", "m1"}, {"Ctrl+N", "m2"}, {"Del", "m3"},    {"F2", "shanbi"},
        {"F3", "yuhui"},  {"F1", "h"},      {"Ctrl+H", "fg"}, {"Ctrl+W", "site"},
    };
    EXPECT_EQ(shortcuts, expected);
}

TEST(MenuTable, MnemonicIsTheLetterAfterTheAmpersand) {
    const MenuCaption restart = splitMnemonic("重新开始 &R");
    EXPECT_EQ(restart.shown, "重新开始 R");
    EXPECT_EQ(restart.mnemonic, 'R');
    const MenuCaption plain = splitMnemonic("暂停");
    EXPECT_EQ(plain.shown, "暂停");
    EXPECT_EQ(plain.mnemonic, 0);
    const MenuCaption doubled = splitMnemonic("A&&B &C");
    EXPECT_EQ(doubled.shown, "A&B C");
    EXPECT_EQ(doubled.mnemonic, 'C');
}

} // namespace
} // namespace kelvarn::test
