// Plays the real game for 20 seconds on a virtual display of its own (steering left and right and
// firing while the sea fills up with submarines and planes) beside a minimal Qt Widgets window,
// and prints what each costs: CPU time as a share of one core, and peak resident memory (VmHWM),
// split into private memory and mapped files. A second window with one line of Chinese text
// shows what the text alone costs; a third repaints a board-sized image every 29 ms, the least a
// game repainting its whole board would cost, and the game's CPU is given as a share of it; a
// fourth repaints only a 20 x 20 part of its image, the least a new picture each frame costs. Then
// the game is paused, and its CPU and how often it wakes up are set beside the still window's.
// Figures only; nothing is asserted.
//
//   cpu_play [path of kelvarn] [seconds] [paused seconds]
//                                            (default: ../kelvarn beside this program, 20 s, 10 s)
//   cpu_play --baseline-window [text|repaint|corner] (a baseline window itself)
// KELVARN_BENCH_PLATFORM=wayland plays on a headless Wayland desktop instead of Xvfb;
// KELVARN_BENCH_PLATFORM=wine plays the cross-built Windows game under Wine (WineProgram.h;
// the path of kelvarn.exe may be given instead of the game's).
#include "Platform.h"
#include "WineProgram.h"

using namespace bench;

namespace {

struct Usage {
    double cpuPercent = 0;
    long peakKb = 0;
    long anonKb = 0; // private memory
    long fileKb = 0; // mapped files: libraries and fonts
};

// Watches one process from the start of play.
class Watched {
  public:
    explicit Watched(Child& child) : child_(child), cpuStart_(cpuSeconds(child.pid)) {}
    Usage usage(double wallSeconds) const {
        return {100 * (cpuSeconds(child_.pid) - cpuStart_) / wallSeconds,
                statusKb(child_.pid, "VmHWM"), statusKb(child_.pid, "RssAnon"),
                statusKb(child_.pid, "RssFile")};
    }

  private:
    Child& child_;
    double cpuStart_;
};

// `a` as a multiple of `b`, or why there is none: /proc counts CPU time in clock ticks, and a
// window that only waits may not use one tick in the whole run.
std::string times(double a, double b) {
    char text[96];
    const double tickMs = 1000.0 / double(sysconf(_SC_CLK_TCK));
    if (b > 0) {
        std::snprintf(text, sizeof text, "%.2f x", a / b);
    } else if (a > 0) {
        std::snprintf(text, sizeof text, "n/a (it used less than one %.0f ms clock tick)", tickMs);
    } else {
        std::snprintf(text, sizeof text, "n/a (neither used one %.0f ms clock tick)", tickMs);
    }
    return text;
}

// Wake-ups per second of a process over a stretch of time.
class WakeupRate {
  public:
    explicit WakeupRate(pid_t pid) : pid_(pid), start_(wakeups(pid)) {}
    double perSecond(double wallSeconds) const {
        return double(wakeups(pid_) - start_) / wallSeconds;
    }

  private:
    pid_t pid_;
    long start_;
};

void print(const char* name, const Usage& u) {
    if (u.peakKb == 0) { // /proc no longer has it
        std::printf("  %-24s ended before the figures were read: none\n", name);
        return;
    }
    std::printf("  %-24s CPU %5.2f %% of one core   VmHWM %5.1f MB (private %4.1f, files %4.1f)\n",
                name, u.cpuPercent, u.peakKb / 1024.0, u.anonKb / 1024.0, u.fileKb / 1024.0);
}

// One round of play, about 1.8 seconds: right and fire, left and fire.
const char* const PlayRound = "xdotool keydown Right sleep 0.6 keyup Right key space sleep 0.3 "
                              "keydown Left sleep 0.6 keyup Left key space sleep 0.3";
const char* const PlayRoundWayland = "wtype -P Right -s 600 -p Right -k space -s 300 "
                                     "-P Left -s 600 -p Left -k space -s 300";

// The Windows game under Wine: the same rounds of play; CPU of kelvarn.exe, of the wine server
// that every Windows call of it goes through, and of the X server that shows it.
int playUnderWine(const fs::path& exe, double playSeconds) {
    if (!fs::exists(exe)) {
        std::fprintf(stderr, "cpu_play: no Windows game at %s (make windows)\n", exe.c_str());
        return 1;
    }
    const VirtualDisplay display;
    WineGame wine(exe);
    Child launcher = wine.start();
    if (!waitForWindowOn(Platform::X11, "Kelvarn", std::chrono::seconds(60))) {
        std::fprintf(stderr, "cpu_play: the game's window did not appear under Wine\n");
        stop(launcher);
        return 1;
    }
    focusWindow(Platform::X11, "Kelvarn");
    std::this_thread::sleep_for(std::chrono::milliseconds(1000)); // past start-up
    Child game{wine.find("kelvarn.exe"), -1};
    Child server{wine.find("wineserver"), -1};
    Child xvfb{display.serverPid(), -1};
    const Watched watchedGame(game), watchedServer(server), watchedX(xvfb);
    const auto start = Clock::now();
    int rounds = 0;
    while (secondsSince(start) < playSeconds - 1.8 && game.pid > 0 && kill(game.pid, 0) == 0) {
        run(PlayRound);
        ++rounds;
    }
    while (secondsSince(start) < playSeconds) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const double wall = secondsSince(start);
    const bool stillPlaying = game.pid > 0 && kill(game.pid, 0) == 0;
    const Usage played = watchedGame.usage(wall);
    const Usage served = watchedServer.usage(wall);
    const Usage shown = watchedX.usage(wall);
    stop(launcher);

    std::printf("cpu_play on %s: %.1f s of play (%d rounds of steering and firing)%s\n",
                platformTitle(Platform::Wine), wall, rounds,
                stillPlaying ? "" : " - THE GAME ENDED EARLY");
    print("kelvarn.exe", played);
    print("wine server", served);
    print("Xvfb", shown);
    std::printf("  CPU under Wine: kelvarn.exe %.2f %% of one core, with the wine server %.2f %%  "
                "(figures under Wine, not Windows)\n",
                played.cpuPercent, played.cpuPercent + served.cpuPercent);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (isBaselineCall(argc, argv)) {
        return runBaselineWindow(argc, argv, false);
    }
    if (requestedPlatform() == Platform::Wine) {
        return playUnderWine(argc > 1 ? fs::absolute(argv[1]) : windowsGame(),
                             argc > 2 ? std::atof(argv[2]) : 20.0);
    }
    const fs::path game = builtGame(argc, argv);
    if (!fs::exists(game)) {
        std::fprintf(stderr, "cpu_play: no game at %s (build the target kelvarn)\n", game.c_str());
        return 1;
    }
    const double playSeconds = argc > 2 ? std::atof(argv[2]) : 20.0;
    const double pauseSeconds = argc > 3 ? std::atof(argv[3]) : 10.0;
    const Platform platform =
        requestedPlatform() == Platform::Wayland ? Platform::Wayland : Platform::X11;
    if (platform == Platform::Wayland && !inWaylandSession()) {
        return rerunInWaylandSession(
            {game, game.parent_path() / "sound"},
            {"./kelvarn", std::to_string(playSeconds), std::to_string(pauseSeconds)});
    }

    const PlatformDisplay display(platform);
    ProgramFolder folder(game);
    const std::string self = fs::canonical("/proc/self/exe").string();
    Child baseline = spawn({self, "--baseline-window"}, folder.environment(), false);
    Child textBaseline = spawn({self, "--baseline-window", "text"}, folder.environment(), false);
    Child repaintBaseline =
        spawn({self, "--baseline-window", "repaint"}, folder.environment(), false);
    Child cornerBaseline =
        spawn({self, "--baseline-window", "corner"}, folder.environment(), false);
    Child kelvarn = spawn({folder.program().string()}, folder.environment(), false);
    const bool ready = waitForWindowOn(platform, "Kelvarn", std::chrono::seconds(30)) &&
                       waitForWindowOn(platform, "Baseline", std::chrono::seconds(30)) &&
                       waitForWindowOn(platform, "Baseline text", std::chrono::seconds(30)) &&
                       waitForWindowOn(platform, "Baseline repaint", std::chrono::seconds(30)) &&
                       waitForWindowOn(platform, "Baseline corner", std::chrono::seconds(30));
    if (!ready) {
        std::fprintf(stderr, "cpu_play: the windows did not appear\n");
        stop(kelvarn);
        stop(baseline);
        stop(textBaseline);
        stop(repaintBaseline);
        stop(cornerBaseline);
        return 1;
    }
    focusWindow(platform, "Kelvarn");
    std::this_thread::sleep_for(std::chrono::milliseconds(500)); // past start-up

    const Watched watchedGame(kelvarn), watchedBase(baseline), watchedText(textBaseline),
        watchedRepaint(repaintBaseline), watchedCorner(cornerBaseline);
    const auto start = Clock::now();
    int rounds = 0;
    while (secondsSince(start) < playSeconds - 1.8 && alive(kelvarn)) {
        run(platform == Platform::Wayland ? PlayRoundWayland : PlayRound);
        ++rounds;
    }
    while (secondsSince(start) < playSeconds) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const double wall = secondsSince(start);
    const bool stillPlaying = alive(kelvarn);
    const Usage played = watchedGame.usage(wall);
    const Usage base = watchedBase.usage(wall);
    const Usage text = watchedText.usage(wall);
    const Usage repaint = watchedRepaint.usage(wall);
    const Usage corner = watchedCorner.usage(wall);

    // Then the game paused (Ctrl+P), after a second to settle, beside the still window.
    run(platform == Platform::Wayland ? "wtype -M ctrl -k p -m ctrl" : "xdotool key ctrl+p");
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const Watched pausedGame(kelvarn), pausedBase(baseline);
    const WakeupRate gameWakes(kelvarn.pid), baseWakes(baseline.pid);
    const auto pauseStart = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(pauseSeconds));
    const double pauseWall = secondsSince(pauseStart);
    const Usage paused = pausedGame.usage(pauseWall);
    const Usage still = pausedBase.usage(pauseWall);
    const double pausedWakes = gameWakes.perSecond(pauseWall);
    const double stillWakes = baseWakes.perSecond(pauseWall);
    stop(kelvarn);
    stop(baseline);
    stop(textBaseline);
    stop(repaintBaseline);
    stop(cornerBaseline);

    std::printf("cpu_play on %s: %.1f s of play (%d rounds of steering and firing)%s\n",
                platformTitle(platform), wall, rounds,
                stillPlaying ? "" : " - THE GAME ENDED EARLY");
    print("kelvarn", played);
    print("baseline window", base);
    print("baseline + Chinese text", text);
    print("baseline repainting", repaint);
    print("baseline, 20 x 20 part", corner);
    if (played.peakKb == 0) {
        return 1;
    }
    std::printf("  CPU:    kelvarn %s the window repainting its image every 29 ms   target: "
                "<= 0.75 x   (still window: %s)\n",
                times(played.cpuPercent, repaint.cpuPercent).c_str(),
                times(played.cpuPercent, base.cpuPercent).c_str());
    // The least any window that shows a new picture every 29 ms costs through the toolkit's
    // repaint: a game at or below it could only get there by leaving that path.
    std::printf(
        "          a window repainting a 20 x 20 part every 29 ms: %s the repainting window\n",
        times(corner.cpuPercent, repaint.cpuPercent).c_str());
    std::printf("  memory: kelvarn %.2f x the baseline window   target: <= 1.30 x   (%.2f x the "
                "window with Chinese text)\n",
                base.peakKb > 0 ? double(played.peakKb) / double(base.peakKb) : 0.0,
                text.peakKb > 0 ? double(played.peakKb) / double(text.peakKb) : 0.0);
    std::printf("paused (Ctrl+P), %.1f s:\n", pauseWall);
    if (paused.peakKb == 0) {
        std::printf("  kelvarn ended before the figures were read: none\n");
        return 0;
    }
    std::printf("  %-24s CPU %5.2f %% of one core   %6.1f wake-ups/s\n", "kelvarn",
                paused.cpuPercent, pausedWakes);
    std::printf("  %-24s CPU %5.2f %% of one core   %6.1f wake-ups/s\n", "baseline window",
                still.cpuPercent, stillWakes);
    std::printf("  CPU:    kelvarn paused against the still window: %s   target: <= 1 x\n",
                times(paused.cpuPercent, still.cpuPercent).c_str());
    return 0;
}
