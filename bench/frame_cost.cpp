// What one whole frame costs (the rules and the painter), with every table of the game full and
// everything moving, and with an empty sea. Prints the median and the 99th percentile in
// microseconds and as a share of the 29 ms frame period, and the share of the field the window is
// asked to repaint per frame. Figures only; nothing is asserted.
//
//   frame_cost [frames] [full|empty|screen]   (a part alone, e.g. under a profiler)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "display/Form1Logic.h"
#include "fakes/GameHarness.h"

#if __has_include("display/qt/QtTextPrinter.h")
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>

#include "display/qt/BoardScaler.h"
#include "display/qt/Pictures.h"
#include "display/qt/QtTextPrinter.h"
#define KELVARN_BENCH_QT_TEXT 1
#endif

namespace {

using namespace kelvarn;
using namespace kelvarn::test;

// Prints nothing: stands in when the toolkit's text renderer is not there.
class SilentTextPrinter : public TextPrinter {
  public:
    void begin(Surface&, std::uint32_t) override {}
    void printLine(const std::string&) override {}
    void end() override {}
};

// Shifts every object of the tables `dx` pixels to the right.
void shiftEverything(GameEdit& g, int dx) {
    for (int i = 1; i <= 30; ++i) {
        g.subList[i].x += dx;
        g.shellList[i].x += dx;
        g.bombList[i].x += dx;
    }
    for (int i = 1; i <= 10; ++i) {
        g.planeList[i].x += dx;
        g.blastList[i].x += dx;
    }
    g.playerX += dx;
}

// A game on the fakes whose main-window procedures print through `text`, loaded and one frame in
// (past the first, skipped steering step).
struct Game {
    GameHarness harness;
    GameEdit& game = harness.game;
    FakeTicks& ticks = harness.ticks;
    FakeSound& sound = harness.sound;
    Form1Logic form;

    explicit Game(TextPrinter& text) : form(game, harness.layers, harness.sprites, text) {
        harness.random.push({0.25});
        form.Form_Load();
        form.loop.start(ticks.now);
        form.gameLoopFrame(ticks.now += 29);
    }
};

// Every table full: 25 cruising submarines and 5 wrecks, 10 planes in the middle of their bursts,
// 30 shells, 30 bombs, 10 explosions, 20 shells in stock.
void fillTheSea(GameEdit& g) {
    g.shells = 20;
    for (int i = 1; i <= 30; ++i) {
        const int row = (i - 1) % 10;
        if (i <= 25) {
            g.subList[i] =
                SubState{(i * 53) % 420 - 30, 130 + row * 20, true, 60, 1 + i % 2, 1 + i % 3, 0};
        } else {
            g.subList[i] =
                SubState{(i * 71) % 400 - 20, 150 + row * 15, true, 0, 1 + i % 2, 0, 1 + i % 8};
        }
        g.shellList[i] = ShellState{(i * 37) % 400, 120 + (i * 29) % 230, true};
        g.bombList[i] = BombState{(i * 13) % 400, 20 + (i * 7) % 90, true, (i % 9 - 4) * 1000};
    }
    for (int i = 1; i <= 10; ++i) {
        g.planeList[i] = PlaneState{i * 40 - 60, 5 + i * 3, true, 1 + i % 2, 4, 20, true};
        g.blastList[i] = BlastState{i * 35 - 30, 140 + i * 18, true, i % 11};
    }
    g.subCount = 25;
    g.planeCount = 10;
    g.shellsInFlight = 30;
}

struct Figures {
    double median = 0;
    double p99 = 0;
};

// The moving part of the sea, kept so that every measured frame starts from the same state.
struct SeaState {
    explicit SeaState(const GameEdit& game)
        : shells(game.shellList), subs(game.subList), planes(game.planeList), bombs(game.bombList),
          blasts(game.blastList), stock(game.shells), subCount(game.subCount),
          planeCount(game.planeCount), inFlight(game.shellsInFlight), playerX(game.playerX) {}

    void restore(GameEdit& game) const {
        game.shellList = shells;
        game.subList = subs;
        game.planeList = planes;
        game.bombList = bombs;
        game.blastList = blasts;
        game.shells = stock;
        game.subCount = subCount;
        game.planeCount = planeCount;
        game.shellsInFlight = inFlight;
        game.playerX = playerX;
        game.life = 20;
    }

    decltype(GameEdit::shellList) shells;
    decltype(GameEdit::subList) subs;
    decltype(GameEdit::planeList) planes;
    decltype(GameEdit::bombList) bombs;
    decltype(GameEdit::blastList) blasts;
    int stock;
    int subCount;
    int planeCount;
    int inFlight;
    int playerX;
};

// Median and p99 of `rounds` runs of `measured`, each after `prepare`; 50 runs first warm the
// caches and are not counted.
template <typename Prepare, typename Measured>
Figures timeRounds(int rounds, Prepare prepare, Measured measured) {
    std::vector<double> micros;
    micros.reserve(std::size_t(rounds));
    for (int i = 0; i < rounds + 50; ++i) {
        prepare(i);
        const auto start = std::chrono::steady_clock::now();
        measured();
        const auto stop = std::chrono::steady_clock::now();
        if (i >= 50) {
            micros.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
        }
    }
    std::sort(micros.begin(), micros.end());
    return {micros[micros.size() / 2],
            micros[std::min(micros.size() - 1, micros.size() * 99 / 100)]};
}

// Times `rounds` frames, each started from the same state shifted by a pixel one way or the
// other when the sea is full (so every object moves, as in play), and adds up the share of the
// field each frame changed.
// The share of the field the window is asked to repaint per frame, and the smaller share the
// painter composes (row by row).
struct Shares {
    double repainted = -1;
    double composed = -1;
};

Figures timeFrames(Game& g, bool full, int rounds, Shares& shares) {
    GameEdit& game = g.game;
    if (full) {
        fillTheSea(game);
    }
    const SeaState first(game);
    double area = 0;
    double composed = 0;
    int frames = 0;
    const Figures f = timeRounds(
        rounds,
        [&](int i) {
            if (i > 50) {
                const BoardRegion& changed = g.form.painter.changed();
                area += changed.area();
                changed.forEachRun([&](int, int left, int right) { composed += right - left; });
                ++frames;
            }
            first.restore(game);
            if (full) {
                shiftEverything(game, i % 2);
            }
            g.sound.played.clear();
            g.ticks.now += 29;
        },
        [&] { g.form.gameLoopFrame(g.ticks.now); });
    const double field = double(BoardLayers::Width) * BoardLayers::Height;
    shares.repainted = frames > 0 ? area / frames / field : 0;
    shares.composed = frames > 0 ? composed / frames / field : 0;
    return f;
}

#ifdef KELVARN_BENCH_QT_TEXT
// What bringing the picture of a high-density screen up to date costs after each frame (the
// frame itself not counted), with the game's own pictures. Each frame starts from the same state
// shifted by a pixel one way or the other and with another score, so every sprite and one status
// line are worked out again, as in play.
Figures timeScreen(Game& g, bool full, double scale, QtTextPrinter& text, int rounds) {
    GameEdit& game = g.game;
    g.harness.sprites = loadSprites();
    if (full) {
        fillTheSea(game);
    }
    const SeaState first(game);

    Surface ground(BoardLayers::Width, BoardLayers::Height);
    ground.clearToPicture(g.harness.sprites.boardBackground, BoardLayers::Colour);
    BoardScaler scaler(g.harness.layers, ground, &text);
    scaler.setScale(scale);

    return timeRounds(
        rounds,
        [&](int i) {
            first.restore(game);
            shiftEverything(game, i % 2);
            game.score = i % 2 == 0 ? 120 : 4500;
            g.sound.played.clear();
            g.ticks.now += 29;
            g.form.gameLoopFrame(g.ticks.now);
        },
        [&] { scaler.update(g.form.painter.changed()); });
}
#endif

void report(const char* what, Figures f, Shares shares = {}) {
    constexpr double periodMicros = 29000.0;
    std::printf("%-44s median %8.1f us (%5.2f %%)   p99 %8.1f us (%5.2f %%)", what, f.median,
                100.0 * f.median / periodMicros, f.p99, 100.0 * f.p99 / periodMicros);
    if (shares.repainted >= 0) {
        std::printf("   repainted %5.1f %%, composed %5.1f %% of the field",
                    100.0 * shares.repainted, 100.0 * shares.composed);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;
    // A second argument runs one part alone (for a profiler): full, empty or screen.
    const std::string only = argc > 2 ? argv[2] : "";
    const auto runs = [&only](const char* part) { return only.empty() || only == part; };
#ifdef KELVARN_BENCH_QT_TEXT
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("AR PL UMing CN"),
                                                        QStringLiteral("AR PL UMing TW")});
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(9);
    QtTextPrinter printer(font);
    std::printf("status lines: printed by the Qt text printer (%s, 9 pt)\n",
                qPrintable(QFontInfo(font).family()));
#else
    SilentTextPrinter printer;
    std::printf("status lines: not printed (no Qt text printer in this build)\n");
#endif
    std::printf("%d frames each, 29 ms frame period; targets: median <= 60 us at empty sea, "
                "<= 120 us at full sea\n",
                rounds);
    Shares shares;
    if (runs("full")) {
        Game full(printer);
        const Figures f = timeFrames(full, true, rounds, shares);
        report("full sea (every table full, all moving)", f, shares);
    }
    if (runs("empty")) {
        Game empty(printer);
        const Figures f = timeFrames(empty, false, rounds, shares);
        report("empty sea", f, shares);
    }
#ifdef KELVARN_BENCH_QT_TEXT
    // The same without printing the status lines, to show what the text costs.
    SilentTextPrinter silent;
    if (runs("empty")) {
        Game empty(silent);
        const Figures f = timeFrames(empty, false, rounds, shares);
        report("empty sea, status lines not printed", f, shares);
    }
    // A screen with one device pixel per board pixel shows the board as it is: nothing to add.
    if (!runs("screen")) {
        return 0;
    }
    initialiseResources();
    std::printf("high-density screens: bringing the screen's picture up to date, per frame\n");
    for (const double scale : {1.25, 1.5, 2.0, 3.0}) {
        char what[64];
        Game full(printer);
        std::snprintf(what, sizeof what, "  at %.2fx, full sea, all moving", scale);
        report(what, timeScreen(full, true, scale, printer, rounds));
        Game empty(printer);
        std::snprintf(what, sizeof what, "  at %.2fx, empty sea", scale);
        report(what, timeScreen(empty, false, scale, printer, rounds));
    }
#endif
    return 0;
}
