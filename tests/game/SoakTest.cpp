// A long game played at random on the fakes: keys pressed and released, purchases, pauses and
// resumes, restarts, secret codes, the timed effects running out, colours and difficulty, the
// secondary windows and the exits, with the tick counter wrapping around on the way. After every
// frame the tables and counters must agree and every value must be in its range; any slot index out
// of range throws and fails the test. A game that ends (its last life notch, an exit) is finished
// as the windows would finish it and a new game is loaded from the score file it left.
//
// The run is reproducible: the seed and the frame are printed with any failure, and the
// environment variable KELVARN_SOAK_SEED replays another seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "fakes/GameHarness.h"
#include "scores/HighList.h"

namespace kelvarn::test {
namespace {

constexpr std::uint32_t DefaultSeed = 11;
constexpr int SoakFrames = 100000;
constexpr std::uint32_t Timer2Interval = 12700;
constexpr std::uint32_t Timer3Interval = 20000;
constexpr std::uint32_t FramePeriod = 29;

// The whole-board comparison doubles the soak's painting; the sanitizer build, ten times slower,
// compares every KELVARN_SOAK_COMPARE_EVERY-th frame and every frame after a change of colour,
// a restart or a resume (the ordinary build compares them all).
int compareEvery() {
    const char* text = std::getenv("KELVARN_SOAK_COMPARE_EVERY");
    const long every = text != nullptr ? std::strtol(text, nullptr, 10) : 1;
    return every > 1 ? int(every) : 1;
}

std::uint32_t soakSeed() {
    if (const char* text = std::getenv("KELVARN_SOAK_SEED")) {
        return std::uint32_t(std::strtoul(text, nullptr, 10));
    }
    return DefaultSeed;
}

// A freed slot holds nothing but zeros; a used one is in its range. `fields` ties up a record's
// fields so that records can be compared.
template <typename Table, typename Fields, typename InRange>
std::string checkTable(const char* name, const Table& table, Fields fields, InRange inRange) {
    using Record = std::remove_cvref_t<decltype(table[1])>;
    const Record cleared{};
    for (int i = 1; i <= table.size; ++i) {
        const Record& r = table[i];
        if (r.active ? !inRange(r) : fields(r) != fields(cleared)) {
            std::ostringstream out;
            out << name << " slot " << i << " (active " << r.active << ", x " << r.x << ", y "
                << r.y << ") is out of its range or a freed slot kept a value";
            return out.str();
        }
    }
    return {};
}

// What must hold between any two steps of the game; empty when all is well.
std::string brokenInvariant(const GameHarness& h) {
    const GameEdit& g = h.game;
    std::ostringstream out;
    if (g.shellsInFlight != g.shellList.activeCount()) {
        out << "shellsInFlight " << g.shellsInFlight << " but " << g.shellList.activeCount()
            << " shells in the water";
    } else if (g.planeCount != g.planeList.activeCount()) {
        out << "planeCount " << g.planeCount << " but " << g.planeList.activeCount()
            << " planes flying";
    } else if (g.playerX < 0 || g.playerX > 359) {
        out << "playerX " << g.playerX;
    } else if (g.speedGauge < 0 || g.speedGauge > 100) {
        out << "speedGauge " << g.speedGauge;
    } else if (g.playerVelocity < -60000 || g.playerVelocity > 60000) {
        out << "playerVelocity " << g.playerVelocity;
    } else if (g.facing != 1 && g.facing != 2) {
        out << "facing " << g.facing;
    } else if (g.shells < 0 || g.life < 0 || g.level < 1 || g.level > 11) {
        out << "shells " << g.shells << ", life " << g.life << ", level " << g.level;
    } else if (g.shells > g.maxShells + (g.refillOn ? 0 : 20)) {
        // Only the 20 shells the shop sells go past the ceiling, and they switch the refill off.
        out << "shells " << g.shells << " above the ceiling " << g.maxShells;
    } else if (g.subCount > 25) {
        out << "subCount " << g.subCount;
    }
    if (!out.str().empty()) {
        return out.str();
    }
    std::string broken = checkTable(
        "shellList", g.shellList, [](const ShellState& s) { return std::tie(s.x, s.y, s.active); },
        [](const ShellState& s) { return s.y >= 118 && s.y < 362; });
    if (broken.empty()) {
        // Wrecks sink below the deepest cruising row, and one struck again sinks further.
        broken = checkTable(
            "subList", g.subList,
            [](const SubState& s) {
                return std::tie(s.x, s.y, s.active, s.points, s.direction, s.speed, s.sinkFrame);
            },
            [](const SubState& s) {
                const bool cruising = s.sinkFrame == 0;
                return s.x >= -37 && s.x <= 414 && s.y >= 130 && (!cruising || s.y <= 329) &&
                       (s.direction == 1 || s.direction == 2) && s.sinkFrame >= 0 &&
                       s.sinkFrame <= 9 && (!cruising || (s.speed >= 1 && s.speed <= 3));
            });
    }
    if (broken.empty()) {
        broken = checkTable(
            "planeList", g.planeList,
            [](const PlaneState& p) {
                return std::tie(p.x, p.y, p.active, p.direction, p.speed, p.bombsLeft, p.hasBombed);
            },
            [](const PlaneState& p) {
                return p.x >= -82 && p.x <= 414 && p.y >= 5 && p.y <= 39 &&
                       (p.direction == 1 || p.direction == 2) && p.speed == 4 && p.bombsLeft >= 0;
            });
    }
    if (broken.empty()) {
        // Bombs go no lower than the vessel's hull; those drifting past the sides fall on.
        broken = checkTable(
            "bombList", g.bombList,
            [](const BombState& b) { return std::tie(b.x, b.y, b.active, b.driftX); },
            [](const BombState& b) { return b.y >= 19 && b.y < 117; });
    }
    if (broken.empty()) {
        broken = checkTable(
            "blastList", g.blastList,
            [](const BlastState& b) { return std::tie(b.x, b.y, b.active, b.frame); },
            [](const BlastState& b) { return b.frame >= 0 && b.frame <= 11; });
    }
    return broken;
}

bool descending(const SlotTable<HeroEntry, 10>& list) {
    for (int i = 2; i <= list.size; ++i) {
        if (list[i].entryScore > list[i - 1].entryScore) {
            return false;
        }
    }
    return true;
}

// Plays one game after another until the frames are used up.
class SoakPlayer {
  public:
    explicit SoakPlayer(std::uint32_t seed) : seed_(seed), rng_(seed) {}

    bool keepEveryGameAlive = false;
    bool crowdEveryGame = false;

    std::unique_ptr<GameHarness> h;
    int framesRun = 0;
    int games = 0;
    // What the run went through, so that the test can tell it really played.
    int maxSubs = 0, maxPlanes = 0, maxBombs = 0, maxShellsInFlight = 0, maxBlasts = 0;
    int maxLevel = 1, minSubCountDrift = 1000, maxSubCountDrift = -1000, bombHits = 0,
        gameOvers = 0, records = 0, sales = 0;
    int codesAccepted = 0, timerTicks = 0, pauses = 0, restarts = 0, tickWraps = 0;
    long kills = 0;
    int lastSlotTakenOver = 0;
    std::int32_t maxScore = 0;

    // Adds up what the game that is ending went through.
    void countGame() {
        const GameHarness& g = *h;
        bombHits += g.sound.count("hit");
        for (const ShownBox& box : g.dialogs.shown) {
            gameOvers += box.text == "你死了,game over" ? 1 : 0;
        }
    }

    std::string where() const {
        std::ostringstream out;
        out << "seed " << seed_ << ", frame " << framesRun << ", game " << games << ": ";
        return out.str();
    }

    void startGame() {
        const std::uint32_t now = h ? h->ticks.now : 0xFFFFFFFFu - 1500000u; // wraps in game 1
        h = std::make_unique<GameHarness>(false);
        h->ticks.now = now;
        h->scores.bytes = savedBytes_;
        h->random.push({uniform()});
        h->form.Form_Load();
        h->form.loop.start(h->ticks.now);
        h->dialogs.whileOpen = [this] { answerRecordQuestions(); };
        h->text.draws = true;
        windowOpen_ = WindowId::frmSplash; // none of the windows that stop the game
        windowIterations_ = 0;
        timer2Due_ = timer3Due_ = 0;
        down_.clear();
        lastKills_ = 0;
        lastSlot_ = SubState{};
        ++games;
        guarded_ = keepEveryGameAlive || chance(0.6);
        crowded_ = crowdEveryGame || chance(0.3);
        skilled_ = chance(0.6);
        if (chance(0.5)) {
            // Some players open with the code for 2000 points and spend them on the timed
            // effects at once.
            h->dialogs.inputs = {"15842"};
            h->commands.miji_Click();
            ++codesAccepted;
            buy(&MenuCommands::shirt_Click, 600);
            buy(&MenuCommands::shanbi_Click, 400);
        }
    }

    // Everything that may happen between two frames.
    void betweenFrames() {
        GameHarness& g = *h;
        fireDueTimers();
        if (windowIterations_ > 0) {
            if (--windowIterations_ == 0) {
                closeWindow();
            }
            return;
        }
        if (!g.shell.mainWindowEnabled) {
            return;
        }
        const int keyEvents = chance(0.25) ? 1 + int(rng_() % 3) : 0;
        for (int i = 0; i < keyEvents; ++i) {
            keyEvent();
        }
        if (guarded_ && g.game.life <= 3) {
            keepAlive();
        }
        if (chance(g.game.paused ? 0.05 : 0.01)) {
            command();
        }
    }

    void playFrameOrIdle() {
        GameHarness& g = *h;
        if (g.game.paused) {
            g.ticks.now += FramePeriod; // the clock and the timers run on while paused
            return;
        }
        g.ticks.now += chance(0.02) ? std::uint32_t(rng_() % 200) : 0; // a slow frame now and then
        if (skilled_) {
            dodgeAndAim();
        }
        refillRandom();
        g.frame();
        ++framesRun;
        record();
    }

    // Counts the wrap-arounds of the tick counter since the last call.
    void noteTicks() {
        tickWraps += h->ticks.now < lastTicks_ ? 1 : 0;
        lastTicks_ = h->ticks.now;
    }

    // A game that has ended is finished as the windows finish it; the next one loads the list.
    bool finishIfEnded() {
        GameHarness& g = *h;
        if (!g.game.gameEnded) {
            return false;
        }
        if (g.game.recordShown && !g.shell.ended) {
            ++records;
            HighList(g.game).Command1_Click(); // "退出" of the list window after the record
        }
        EXPECT_TRUE(g.shell.ended) << where() << "an ended game did not end the program";
        EXPECT_TRUE(descending(g.game.heroList)) << where() << "the list is out of order";
        countGame();
        savedBytes_ = g.scores.bytes;
        const SlotTable<HeroEntry, 10> list = g.game.heroList;
        startGame();
        for (int i = 1; i <= list.size; ++i) {
            EXPECT_EQ(h->game.heroList[i], list[i]) << where() << "place " << i << " not kept";
        }
        return true;
    }

  private:
    std::uint32_t seed_;
    std::mt19937 rng_;
    std::vector<std::uint8_t> savedBytes_;
    bool guarded_ = false; // this game is kept alive so that it reaches the high levels
    bool crowded_ = false; // this game's draws favour starting submarines and planes
    WindowId windowOpen_ = WindowId::frmSplash;
    int windowIterations_ = 0;
    std::uint32_t timer2Due_ = 0, timer3Due_ = 0;
    bool skilled_ = false; // this game's player dodges bombs and fires over submarines
    std::set<int> down_;
    int lastKills_ = 0;
    std::uint32_t lastTicks_ = 0;
    SubState lastSlot_;

    void pressKey(int key) {
        if (down_.insert(key).second) {
            h->keys.press(key);
            h->form.Form_KeyDown();
        }
    }
    void releaseKey(int key) {
        if (down_.erase(key) != 0) {
            h->keys.release(key);
            h->form.Form_KeyUp(key);
        }
    }

    // Steers away from a bomb falling onto the vessel, and taps the space bar over a submarine.
    void dodgeAndAim() {
        const GameEdit& g = h->game;
        if (!h->shell.mainWindowEnabled) {
            return;
        }
        for (int i = 1; i <= g.bombList.size; ++i) {
            const BombState& b = g.bombList[i];
            if (b.active && b.y > 30 && b.x >= g.playerX - 30 && b.x <= g.playerX + 80) {
                int away = b.x < g.playerX + 25 ? KeyRight : KeyLeft;
                if ((away == KeyRight && g.playerX > 320) || (away == KeyLeft && g.playerX < 30)) {
                    away = away == KeyRight ? KeyLeft : KeyRight;
                }
                releaseKey(away == KeyRight ? KeyLeft : KeyRight);
                pressKey(away);
                return;
            }
        }
        const int shellX = g.playerX + 27;
        for (int i = 1; i <= g.subList.size; ++i) {
            const SubState& s = g.subList[i];
            if (s.active && s.sinkFrame == 0 && s.x <= shellX && shellX + 6 <= s.x + 35 &&
                chance(0.3)) {
                releaseKey(KeySpace);
                pressKey(KeySpace);
                releaseKey(KeySpace);
                return;
            }
        }
    }

    double uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); }
    bool chance(double p) { return uniform() < p; }
    template <typename T> const T& pick(const std::vector<T>& from) {
        return from[rng_() % from.size()];
    }

    void refillRandom() {
        FakeRandom& random = h->random;
        while (random.queue.size() < 64) {
            const double r = uniform();
            random.queue.push_back(crowded_ && chance(0.9) ? r * 0.05 : r);
        }
    }

    void record() {
        const GameEdit& g = h->game;
        maxSubs = std::max(maxSubs, g.subList.activeCount());
        maxPlanes = std::max(maxPlanes, g.planeList.activeCount());
        maxBombs = std::max(maxBombs, g.bombList.activeCount());
        maxShellsInFlight = std::max(maxShellsInFlight, g.shellsInFlight);
        maxBlasts = std::max(maxBlasts, g.blastList.activeCount());
        maxLevel = std::max(maxLevel, g.level);
        maxScore = std::max(maxScore, g.score);
        int cruising = 0;
        for (int i = 1; i <= g.subList.size; ++i) {
            cruising += g.subList[i].active && g.subList[i].sinkFrame == 0 ? 1 : 0;
        }
        minSubCountDrift = std::min(minSubCountDrift, g.subCount - cruising);
        // The movement pass never reaches the last slot, so a change there while it stays in use
        // is a new submarine taking it over.
        const SubState& last = g.subList[g.subList.size];
        if (last.active && lastSlot_.active &&
            (last.x != lastSlot_.x || last.y != lastSlot_.y || last.speed != lastSlot_.speed)) {
            ++lastSlotTakenOver;
        }
        lastSlot_ = last;
        maxSubCountDrift = std::max(maxSubCountDrift, g.subCount - cruising);
        kills += std::max(0, g.kills - lastKills_); // a restart sets kills back to 0
        lastKills_ = g.kills;
    }

    void keyEvent() {
        GameHarness& g = *h;
        // The letter A gives up all but one life notch, so it is pressed only now and then.
        const int key = chance(0.002)
                            ? int(KeyA)
                            : pick<int>({KeyLeft, KeyRight, KeySpace, KeySpace, KeyUp, 66});
        if (down_.count(key) != 0) {
            releaseKey(key);
        } else if (key != KeyA || chance(0.5)) {
            pressKey(key);
        }
        if (!down_.empty() && chance(0.3)) {
            g.form.Form_KeyDown(); // the keyboard repeats a held key
        }
    }

    // The player buys life, or types the code for it, or (failing both) the test tops it up, so
    // that a guarded game goes on to the high levels.
    void keepAlive() {
        GameHarness& g = *h;
        if (g.game.paused) {
            return;
        }
        if (g.game.score > 1 && g.shell.isEnabled(Control::buy)) {
            buy(&MenuCommands::bl_Click, 1);
        } else if (g.shell.isEnabled(Control::menu) && g.shell.isEnabled(Control::miji)) {
            g.dialogs.inputs = {"48213"};
            g.commands.miji_Click();
            ++codesAccepted;
        } else {
            g.game.life += 20;
        }
    }

    void buy(void (MenuCommands::*click)(), std::int32_t scoreAbove) {
        GameHarness& g = *h;
        const bool yes = chance(0.85);
        const bool sold = yes && g.game.score > scoreAbove;
        g.dialogs.answers = {yes ? Answer::Yes : Answer::No};
        (g.commands.*click)();
        sales += sold ? 1 : 0;
        if (sold && click == &MenuCommands::shanbi_Click) {
            timer2Due_ = g.ticks.now + Timer2Interval; // enabling starts the interval again
        }
        if (sold && click == &MenuCommands::shirt_Click) {
            timer3Due_ = g.ticks.now + Timer3Interval;
        }
    }

    bool due(std::uint32_t at) const { return std::int32_t(h->ticks.now - at) >= 0; }

    void fireDueTimers() {
        GameHarness& g = *h;
        if (g.shell.timers[TimerId::Timer2] && due(timer2Due_)) {
            g.form.Timer2_Timer();
            ++timerTicks;
        }
        if (g.shell.timers[TimerId::Timer3] && due(timer3Due_)) {
            g.form.Timer3_Timer();
            ++timerTicks;
        }
    }

    // The game-over path and the exits ask about a new record; the player answers at random and
    // sometimes types a name that cannot be stored first.
    void answerRecordQuestions() {
        GameHarness& g = *h;
        const ShownBox& box = g.dialogs.shown.back();
        if (!box.input && box.title.rfind("新的最高分", 0) == 0 && g.dialogs.answers.empty()) {
            g.dialogs.answers.push_back(chance(0.7) ? Answer::Yes : Answer::No);
        }
        if (box.input && box.text == "请输入姓名：" && g.dialogs.inputs.empty()) {
            g.dialogs.inputs.push_back(
                chance(0.6) ? pick<std::string>({"舰长", "Kelvarn", "水手 7", "一二三四五六七八"})
                            : pick<std::string>({"", "一二三四五六七八九", "abcdefghijklmnopq",
                                                 "\xF0\x9F\x98\x80"}));
        }
    }

    void openWindow(WindowId window, void (MenuCommands::*click)()) {
        (h->commands.*click)();
        windowOpen_ = window;
        windowIterations_ = 1 + int(rng_() % 100);
    }

    void closeWindow() {
        GameHarness& g = *h;
        if (windowOpen_ == WindowId::High) {
            HighList list(g.game);
            if (chance(0.05)) {
                list.Command1_Click(); // "退出": the end of the program
            } else {
                list.Command2_Click(); // "返回"
            }
            return;
        }
        // The button "确定" of the quick start and the about window.
        g.shell.setMainWindowEnabled(true);
        g.game.paused = false;
    }

    void command() {
        GameHarness& g = *h;
        FakeShell& shell = g.shell;
        const bool buyOpen = shell.isEnabled(Control::buy);
        const bool functionsOpen = shell.isEnabled(Control::menu);
        switch (rng_() % 23) {
        case 0:
            if (buyOpen && shell.isEnabled(Control::ammo)) {
                buy(&MenuCommands::ammo_Click, 500);
            }
            break;
        case 1:
            if (buyOpen) {
                buy(&MenuCommands::bl_Click, 1);
            }
            break;
        case 2:
        case 21:
            if (buyOpen) {
                buy(&MenuCommands::shirt_Click, 600);
            }
            break;
        case 3:
            if (buyOpen && shell.isEnabled(Control::spee)) {
                buy(&MenuCommands::spee_Click, 950);
            }
            break;
        case 4:
            if (buyOpen && shell.isEnabled(Control::speedsuper)) {
                buy(&MenuCommands::speedsuper_Click, 900);
            }
            break;
        case 5:
        case 22:
            if (shell.isEnabled(Control::shanbi)) {
                buy(&MenuCommands::shanbi_Click, 400);
            }
            break;
        case 6:
            if (shell.isEnabled(Control::yuhui)) {
                buy(&MenuCommands::yuhui_Click, 1250);
            }
            break;
        case 7: {
            const bool yes = chance(0.1);
            g.dialogs.answers = {yes ? Answer::Yes : Answer::No};
            g.commands.restart_Click();
            restarts += yes ? 1 : 0;
            break;
        }
        case 8:
        case 9:
            if (shell.isEnabled(Control::m1)) {
                g.commands.m1_Click();
                ++pauses;
            } else if (shell.isEnabled(Control::m2)) {
                g.commands.m2_Click();
            }
            break;
        case 10:
            if (functionsOpen && shell.isEnabled(Control::miji)) {
                const std::string answer = pick<std::string>(
                    {"48213", "90576", "15842", " 48213", "15842 ", "", "12345", "４８２１３"});
                g.dialogs.inputs = {answer};
                g.commands.miji_Click();
                codesAccepted += shell.isEnabled(Control::miji) ? 0 : 1;
            }
            break;
        case 11: {
            using Click = void (MenuCommands::*)();
            const Click settings[] = {&MenuCommands::black_Click,  &MenuCommands::blue_Click,
                                      &MenuCommands::green_Click,  &MenuCommands::yellow_Click,
                                      &MenuCommands::grey_Click,   &MenuCommands::wordblue_Click,
                                      &MenuCommands::vv_Click,     &MenuCommands::fd_Click,
                                      &MenuCommands::asghhj_Click, &MenuCommands::addgf_Click,
                                      &MenuCommands::site_Click,   &MenuCommands::update_Click,
                                      &MenuCommands::mail_Click,   &MenuCommands::Label1_Click};
            (g.commands.*settings[rng_() % std::size(settings)])();
            break;
        }
        case 12:
            g.commands.menuTitle_Click();
            break;
        case 13:
            if (functionsOpen && shell.isEnabled(Control::mhero)) {
                openWindow(WindowId::High, &MenuCommands::mhero_Click);
            }
            break;
        case 14:
            if (shell.isEnabled(Control::h)) {
                openWindow(WindowId::Form2, &MenuCommands::h_Click);
            }
            break;
        case 15:
            if (shell.isEnabled(Control::fg)) {
                openWindow(WindowId::frmHelp, &MenuCommands::fg_Click);
            }
            break;
        case 16:
            g.commands.renew_Click();
            break;
        case 17:
            if (shell.isEnabled(Control::m3)) {
                g.dialogs.answers = {chance(0.02) ? Answer::Yes : Answer::No};
                g.commands.m3_Click();
            }
            break;
        case 18:
            if (shell.isEnabled(Control::picexit) && chance(0.02)) {
                g.commands.picexit_Click();
            }
            break;
        case 19:
            if (chance(0.02)) {
                g.form.closeFromTitleBar();
            }
            break;
        default:
            if (!shell.isEnabled(Control::m1) && shell.isEnabled(Control::m2)) {
                g.commands.m2_Click();
            }
            break;
        }
        // Each question was answered by exactly the answer given for it.
        EXPECT_TRUE(g.dialogs.answers.empty() && g.dialogs.inputs.empty())
            << where() << "a command left an answer unasked";
    }
};

// ---- The board painted only where it changed, against the board painted whole ----------------
// After every frame of the soak the same game is painted a second time, whole, into layers of its
// own; the painter, which clears and composes only where something was or is and prints only
// the status lines that changed, must have left all four layers the same, byte for byte. The
// frames right after a colour change, a restart and a pause with its resume are counted, so
// that the test can tell those were compared too.
class WholePaintCheck {
  public:
    int frames = 0, afterTextColour = 0, afterWindowColour = 0, afterRestart = 0, afterResume = 0;
    int every() const { return every_; }

    // Empty when the two boards agree. A frame that ended the game stops before the painter.
    std::string compare(const SoakPlayer& player) {
        const GameHarness& h = *player.h;
        if (h.game.gameEnded) {
            return {};
        }
        if (&h != harness_) { // a new game: its first frame is painted whole anyway
            harness_ = &h;
            seen_ = {player.restarts, player.pauses, h.form.boardTextColour, h.shell.windowColour};
        }
        const Seen now{player.restarts, player.pauses, h.form.boardTextColour,
                       h.shell.windowColour};
        const bool changed = now.restarts != seen_.restarts || now.pauses != seen_.pauses ||
                             now.text != seen_.text || now.window != seen_.window;
        if (!changed && player.framesRun % every_ != 0) {
            return {};
        }
        afterRestart += now.restarts != seen_.restarts;
        afterResume += now.pauses != seen_.pauses;
        afterTextColour += now.text != seen_.text;
        afterWindowColour += now.window != seen_.window;
        seen_ = now;
        ++frames;

        text_.draws = true;
        whole_.paintWhole(h.game, layers_, h.sprites, text_, h.form.boardTextColour.value());
        const std::pair<const char*, std::pair<const Surface*, const Surface*>> pairs[] = {
            {"MainBoard", {&h.layers.MainBoard, &layers_.MainBoard}},
            {"Pic1", {&h.layers.Pic1, &layers_.Pic1}},
            {"Pic2", {&h.layers.Pic2, &layers_.Pic2}},
            {"Pic3", {&h.layers.Pic3, &layers_.Pic3}}};
        for (const auto& [name, surfaces] : pairs) {
            const Surface& drawn = *surfaces.first;
            const Surface& whole = *surfaces.second;
            if (drawn == whole) {
                continue;
            }
            for (int y = 0; y < whole.height(); ++y) {
                for (int x = 0; x < whole.width(); ++x) {
                    if (drawn.pixel(x, y) != whole.pixel(x, y)) {
                        std::ostringstream out;
                        out << name << " differs at " << x << "," << y << ": " << std::hex
                            << drawn.pixel(x, y) << " instead of " << whole.pixel(x, y);
                        return out.str();
                    }
                }
            }
            return std::string(name) + " differs in size";
        }
        return {};
    }

  private:
    struct Seen {
        int restarts = 0, pauses = 0;
        Rgb text, window;
    };
    const int every_ = compareEvery();
    const GameHarness* harness_ = nullptr;
    Seen seen_;
    FakeTextPrinter text_;
    BoardLayers layers_;
    BoardPainter whole_;
};
// ---- end of the board check -------------------------------------------------------------------

// Plays until `frames` frames have run, checking after every one.
void play(SoakPlayer& player, int frames, WholePaintCheck* board = nullptr) {
    int idle = 0;
    try {
        while (player.framesRun < frames) {
            player.betweenFrames();
            if (player.finishIfEnded()) {
                continue;
            }
            const int before = player.framesRun;
            player.playFrameOrIdle();
            player.noteTicks();
            idle = player.framesRun == before ? idle + 1 : 0;
            ASSERT_LT(idle, 20000) << player.where() << "the game stays paused";
            const std::string broken = brokenInvariant(*player.h);
            ASSERT_EQ(broken, "") << player.where();
            if (board != nullptr && player.framesRun != before) {
                ASSERT_EQ(board->compare(player), "") << player.where();
            }
            player.finishIfEnded();
            if (::testing::Test::HasFailure()) {
                FAIL() << player.where() << "stopped at the first failure";
            }
        }
    } catch (const std::exception& e) {
        FAIL() << player.where() << e.what();
    }
    player.countGame();
}

void report(const SoakPlayer& p) {
    std::cout << "soak: " << p.where() << p.games << " games (" << p.gameOvers << " game overs, "
              << p.records << " records), kills " << p.kills << ", level up to " << p.maxLevel
              << ", bomb hits " << p.bombHits << ", best score " << p.maxScore
              << "; most at once: " << p.maxSubs << " submarines, " << p.maxPlanes << " planes, "
              << p.maxBombs << " bombs, " << p.maxShellsInFlight << " shells, " << p.maxBlasts
              << " explosions; subCount off the cruising submarines by " << p.minSubCountDrift
              << " to " << p.maxSubCountDrift << ", the last slot taken over "
              << p.lastSlotTakenOver << " times; " << p.sales << " sales, " << p.codesAccepted
              << " codes, " << p.timerTicks << " timer ticks, " << p.pauses << " pauses, "
              << p.restarts << " restarts, " << p.tickWraps << " tick wraps\n";
}

TEST(Soak, HundredThousandRandomFramesKeepEveryTableAndCounterConsistent) {
    SoakPlayer player(soakSeed());
    player.startGame();
    WholePaintCheck board;
    play(player, SoakFrames, &board);
    report(player);
    std::cout << "soak: " << board.frames << " frames painted both ways; compared after "
              << board.afterTextColour << " text and " << board.afterWindowColour
              << " window colour changes, " << board.afterRestart << " restarts, "
              << board.afterResume << " resumes\n";
    if (::testing::Test::HasFailure()) {
        return;
    }
    // The run really played: the draws started submarines and planes, shells met submarines,
    // bombs met the vessel, and the shop, the timers, the games' ends and the clock's wrap were
    // reached.
    EXPECT_GT(player.kills, 100);
    EXPECT_GT(player.bombHits, 100);
    EXPECT_GE(player.maxSubs, 5);
    EXPECT_GE(player.maxPlanes, 5);
    EXPECT_GT(player.sales, 0);
    EXPECT_GT(player.timerTicks, 0);
    EXPECT_GE(player.games, 2);
    EXPECT_EQ(player.tickWraps, 1);
    EXPECT_GE(board.frames, SoakFrames / board.every() - player.games);
    EXPECT_GT(board.afterTextColour, 0);
    EXPECT_GT(board.afterWindowColour, 0);
    EXPECT_GT(board.afterRestart, 0);
    EXPECT_GT(board.afterResume, 0);
}

// subCount is only a gate for spawning: when it has drifted far from the submarines really
// cruising, the sea fills every slot, the last one is taken over again and again (a wreck there
// stays a wreck), and the slots the movement pass never reaches keep what they hold; none of that
// may break the tables.
TEST(Soak, SubmarineCountDriftedFarBelowZeroBreaksNothing) {
    SoakPlayer player(soakSeed() + 1);
    player.keepEveryGameAlive = true;
    player.crowdEveryGame = true;
    player.startGame();
    GameEdit& g = player.h->game;
    for (int i = 1; i <= g.subList.size; ++i) {
        const int direction = i % 2 + 1;
        const int x = i <= 25 ? 20 + 12 * i : direction == 2 ? -37 : 414;
        g.subList[i] = SubState{x, 130 + 6 * i, true, 40, direction, 1, 0};
    }
    g.subList[30].sinkFrame = 1; // a wreck the movement pass never sinks
    g.subList[30].speed = 0;
    g.subList[30].points = 0;
    g.subCount = -60; // nearly every spawn attempt starts a submarine
    play(player, 10000);
    report(player);
    EXPECT_GT(player.lastSlotTakenOver, 0);
}

} // namespace
} // namespace kelvarn::test
