#include <gtest/gtest.h>

#include "platform/KeyTracker.h"

namespace kelvarn::test {
namespace {

KeyEvent press(int code, std::uint64_t timestamp = 0, bool repeat = false) {
    return {true, code, code, 0, timestamp, repeat};
}
KeyEvent release(int code, std::uint64_t timestamp = 0, bool repeat = false) {
    return {false, code, code, 0, timestamp, repeat};
}

TEST(KeyTracker, AKeyCountsWhileDownAndOnceAfterAShortPress) {
    KeyTracker keys;
    EXPECT_FALSE(keys.keyPressed(KeyLeft));

    keys.arrive(press(KeyLeft), 0);
    EXPECT_TRUE(keys.keyPressed(KeyLeft));
    EXPECT_TRUE(keys.keyPressed(KeyLeft)) << "still down";
    EXPECT_FALSE(keys.arrive(release(KeyLeft), 0).heldAs) << "nothing waits without hold-back";
    EXPECT_FALSE(keys.keyPressed(KeyLeft)) << "the press was already seen";

    keys.arrive(press(KeySpace), 0);
    keys.arrive(release(KeySpace), 0);
    EXPECT_TRUE(keys.keyPressed(KeySpace)) << "pressed since the last query";
    EXPECT_FALSE(keys.keyPressed(KeySpace));

    keys.arrive(press(KeyRight), 0);
    keys.arrive(release(KeyRight, 0, true), 0); // auto-repeat: the key is still held
    keys.arrive(press(KeyRight, 0, true), 0);
    EXPECT_TRUE(keys.keyPressed(KeyRight));
    EXPECT_TRUE(keys.keyPressed(KeyRight));
    keys.focusLost(); // released while another program had the keyboard
    EXPECT_FALSE(keys.keyPressed(KeyRight));
}

// Where the display repeats a held key as a release and a press with one timestamp, each release
// waits a moment for its press.
TEST(KeyTracker, HeldBackReleasesPairWithRepeatsOrGoOnInOrder) {
    KeyTracker keys(true);
    keys.arrive(press(KeySpace, 1000), 0);
    const auto repeat = keys.arrive(release(KeySpace, 1500), 100);
    ASSERT_TRUE(repeat.heldAs);
    EXPECT_FALSE(keys.arrive(press(KeySpace, 1500), 101).goesFirst) << "a repeat is no release";
    EXPECT_TRUE(keys.due(200).empty());
    EXPECT_FALSE(keys.nextDueIn(200));
    keys.keyPressed(KeySpace);
    EXPECT_TRUE(keys.keyPressed(KeySpace)) << "down all along";

    const int held = *keys.arrive(release(KeySpace, 2000), 300).heldAs;
    EXPECT_FALSE(keys.arrive(press(KeyLeft, 2005), 305).goesFirst) << "another key passes";
    EXPECT_EQ(keys.nextDueIn(310), 10U);
    const auto again = keys.arrive(press(KeySpace, 2010), 310); // tapped again at once
    EXPECT_EQ(again.goesFirst, held) << "the release goes on before the new press";
    EXPECT_FALSE(again.heldAs);
    EXPECT_TRUE(keys.keyPressed(KeySpace));
    EXPECT_TRUE(keys.keyPressed(KeySpace)) << "down again";

    const int last = *keys.arrive(release(KeySpace, 2100), 400).heldAs;
    EXPECT_TRUE(keys.due(419).empty());
    EXPECT_TRUE(keys.keyPressed(KeySpace)) << "down while the release waits";
    EXPECT_EQ(keys.due(420), std::vector<int>{last});
    EXPECT_FALSE(keys.keyPressed(KeySpace)) << "up once the wait is over";
    EXPECT_FALSE(keys.nextDueIn(420));
}

TEST(KeyTracker, ScanCodesTellKeysApartWhereTheyAreKnown) {
    KeyTracker keys(true);
    // One physical key, reported with a different toolkit key (a modifier changed it).
    ASSERT_TRUE(keys.arrive({false, KeyA, 'A', 38, 500, false}, 0).heldAs);
    EXPECT_TRUE(keys.arrive({true, 0, 'a', 38, 510, false}, 5).goesFirst);
    ASSERT_TRUE(keys.arrive({false, KeyA, 'A', 38, 600, false}, 10).heldAs);
    EXPECT_FALSE(keys.arrive({true, 0, 'A', 39, 610, false}, 15).goesFirst) << "another key";
}

} // namespace
} // namespace kelvarn::test
