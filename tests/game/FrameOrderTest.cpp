#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/GameHarness.h"
#include "game/FrameLoop.h"

namespace kelvarn::test {
namespace {

struct RecordingSteps : FrameSteps {
    std::vector<std::string> calls;
    std::string abortAfter; // ends the game inside this step
    bool aborted = false;
    void step(const char* name) {
        calls.emplace_back(name);
        aborted = aborted || abortAfter == name;
    }
    void DoK() override { step("DoK"); }
    void Addammo() override { step("Addammo"); }
    void spawnSubmarine() override { step("spawnSubmarine"); }
    void spawnPlane() override { step("spawnPlane"); }
    void moveProjectiles() override { step("moveProjectiles"); }
    void moveSubmarines() override { step("moveSubmarines"); }
    void movePlanes() override { step("movePlanes"); }
    void animateBlasts() override { step("animateBlasts"); }
    void dropBombs() override { step("dropBombs"); }
    void Pb() override { step("Pb"); }
    bool frameAborted() const override { return aborted; }
};

using Calls = std::vector<std::string>;
const Calls Rules = {"moveProjectiles", "moveSubmarines", "movePlanes",
                     "animateBlasts",   "dropBombs",      "Pb"};

Calls with(Calls head) {
    head.insert(head.end(), Rules.begin(), Rules.end());
    return head;
}

TEST(FrameOrder, SpawnsEverySixteenthFrameAndRefillsEveryFortyFirst) {
    FrameLoop loop;
    RecordingSteps steps;
    loop.start(0);
    std::vector<Calls> frames;
    for (int f = 1; f <= 82; ++f) {
        steps.calls.clear();
        loop.runFrame(steps, std::uint32_t(29 * f));
        frames.push_back(steps.calls);
    }
    EXPECT_EQ(frames[0], with({"DoK"}));
    EXPECT_EQ(frames[14], with({"DoK"}));
    EXPECT_EQ(frames[15], with({"DoK", "spawnSubmarine", "spawnPlane"}));
    EXPECT_EQ(frames[31], with({"DoK", "spawnSubmarine", "spawnPlane"}));
    EXPECT_EQ(frames[39], with({"DoK"}));
    EXPECT_EQ(frames[40], with({"DoK", "Addammo"}));
    EXPECT_EQ(frames[47], with({"DoK", "spawnSubmarine", "spawnPlane"}));
    EXPECT_EQ(frames[81], with({"DoK", "Addammo"}));
}

TEST(FrameOrder, NothingRunsAfterTheStepThatEndsTheGame) {
    FrameLoop loop;
    RecordingSteps steps;
    loop.start(0);
    steps.abortAfter = "moveProjectiles";
    loop.runFrame(steps, 29);
    EXPECT_EQ(steps.calls, (Calls{"DoK", "moveProjectiles"}));
}

// One shell every 41st frame, only while the refill is on and the stock is not at the ceiling.
TEST(FrameOrder, FirstRefillComesInFrame41AndOnlyWhileSwitchedOn) {
    GameHarness h;
    h.keys.tap(KeySpace);
    h.form.Form_KeyUp(KeySpace);
    ASSERT_EQ(h.game.shells, 5);
    h.frames(40);
    EXPECT_EQ(h.game.shells, 5);
    h.frame();
    EXPECT_EQ(h.game.shells, 6);
    h.frames(41);
    EXPECT_EQ(h.game.shells, 6) << "the refill stops at the ceiling";

    for (const int stock : {2, 26}) {
        h.game.refillOn = false;
        h.game.shells = stock;
        h.frames(82);
        EXPECT_EQ(h.game.shells, stock) << "switched off, the refill adds nothing";
    }
}

} // namespace
} // namespace kelvarn::test
