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
// waits a moment for its press. `fired` plays the key handler's part: on each release that goes
// on it asks for the space bar, as the release handler does before it fires.
struct HeldBack : ::testing::Test {
    KeyTracker keys{true};
    std::vector<int> wentOn;
    int fired = 0;
    KeyTracker::GoOn handler = [this](int id) {
        wentOn.push_back(id);
        fired += keys.keyPressed(KeySpace) ? 1 : 0;
    };
    KeyTracker::Outcome arrive(const KeyEvent& e, std::uint32_t now) {
        return keys.arrive(e, now, handler);
    }
};

TEST_F(HeldBack, RepeatsPairUpAndRealReleasesGoOnWhenDue) {
    arrive(press(KeySpace, 1000), 0);
    const auto repeat = arrive(release(KeySpace, 1500), 100);
    ASSERT_TRUE(repeat.heldAs);
    EXPECT_EQ(arrive(press(KeySpace, 1500), 101).dropped, repeat.heldAs) << "a repeat, no release";
    keys.due(200, handler);
    EXPECT_TRUE(wentOn.empty());
    EXPECT_FALSE(keys.nextDueIn(200));
    EXPECT_EQ(keys.heldCount(), 0U);
    keys.keyPressed(KeySpace);
    EXPECT_TRUE(keys.keyPressed(KeySpace)) << "down all along";

    const int last = *arrive(release(KeySpace, 2100), 400).heldAs;
    EXPECT_EQ(keys.nextDueIn(410), 10U);
    keys.due(419, handler);
    EXPECT_TRUE(wentOn.empty()) << "still waiting";
    keys.due(420, handler);
    EXPECT_EQ(wentOn, std::vector<int>{last});
    EXPECT_FALSE(keys.keyPressed(KeySpace)) << "up once the wait is over";
    EXPECT_FALSE(keys.nextDueIn(420));
}

TEST_F(HeldBack, ATapThenAHoldFiresOnBothReleases) {
    arrive(press(KeySpace, 1000), 0);
    const int tap = *arrive(release(KeySpace, 1050), 50).heldAs;
    arrive(press(KeySpace, 1060), 60); // pressed again at once, and held
    EXPECT_EQ(wentOn, std::vector<int>{tap}) << "the tap's release went on before the press";
    EXPECT_EQ(fired, 1);
    for (std::uint64_t t = 1600; t < 3000; t += 33) { // the display repeats the held key
        arrive(release(KeySpace, t), std::uint32_t(t));
        arrive(press(KeySpace, t), std::uint32_t(t));
    }
    EXPECT_EQ(fired, 1) << "holding fires nothing";
    arrive(release(KeySpace, 3100), 3100);
    keys.due(3120, handler);
    EXPECT_EQ(fired, 2) << "the final release fires";
}

TEST_F(HeldBack, EventsOfDifferentKeysKeepTheirOrder) {
    arrive(press(KeySpace, 1000), 0);
    const int space = *arrive(release(KeySpace, 2000), 300).heldAs;
    bool spaceSeenEarly = true;
    arrive(press(KeyLeft, 2005), 305);
    EXPECT_EQ(wentOn, std::vector<int>{space}) << "the release goes on before the other press";
    wentOn.clear();

    const int left = *arrive(release(KeyLeft, 2100), 400).heldAs;
    keys.arrive(press(KeySpace, 2105), 405, [&](int id) {
        wentOn.push_back(id);
        spaceSeenEarly = keys.keyPressed(KeySpace);
    });
    EXPECT_EQ(wentOn, std::vector<int>{left});
    EXPECT_FALSE(spaceSeenEarly) << "the space bar's press comes after the release";
    EXPECT_TRUE(keys.keyPressed(KeySpace));
}

TEST(KeyTracker, ScanCodesTellKeysApartWhereTheyAreKnown) {
    KeyTracker keys(true);
    // One physical key, reported with a different toolkit key (a modifier changed it).
    ASSERT_TRUE(keys.arrive({false, KeyA, 'A', 38, 500, false}, 0).heldAs);
    EXPECT_TRUE(keys.arrive({true, 0, 'a', 38, 500, false}, 5).dropped);
    ASSERT_TRUE(keys.arrive({false, KeyA, 'A', 38, 600, false}, 10).heldAs);
    EXPECT_FALSE(keys.arrive({true, 0, 'A', 39, 600, false}, 15).dropped) << "another key";
}

} // namespace
} // namespace kelvarn::test
