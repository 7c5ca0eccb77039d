// Runs the real frame driver for ten seconds (offscreen, the rules and the painter as they are,
// an empty sea filling up) and prints how regular the frames are and what the loop costs. With
// KELVARN_BENCH_PLATFORM=x11 or wayland the board is also shown in the main window on that
// platform and repainted after every frame, as in the game. With KELVARN_BENCH_PLATFORM=wine it
// runs the cross-built Windows game under Wine instead and times the frames as they reach the X
// server (WineProgram.h), while the vessel steers left and right.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <vector>

#include "Platform.h"
#include "WineProgram.h"
#include "display/qt/Form1.h"
#include "display/qt/FrameDriver.h"
#include "display/qt/QtTextPrinter.h"
#include "fakes/GameHarness.h"
#include "platform/qt/QtTickCounter.h"

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto index = std::size_t(p * double(values.size() - 1));
    return values[index];
}

// The main window's procedures with every frame step doing nothing: what the loop itself costs.
struct IdleSteps : kelvarn::Form1Logic {
    using Form1Logic::Form1Logic;
    void DoK() override {}
    void Addammo() override {}
    void spawnSubmarine() override {}
    void spawnPlane() override {}
    void moveProjectiles() override {}
    void moveSubmarines() override {}
    void movePlanes() override {}
    void animateBlasts() override {}
    void dropBombs() override {}
    void Pb() override {}
};

enum class Sea { Idle, Empty, Busy };

struct Figures {
    double seconds = 0, fps = 0, median = 0, p99 = 0, maximum = 0, cpuPercent = 0;
};

// Shows the main window around the board and waits until it is on the screen.
std::unique_ptr<kelvarn::Form1> showBoard(kelvarn::Form1Logic& form) {
    auto window = std::make_unique<kelvarn::Form1>(form);
    window->show();
    QElapsedTimer waited;
    waited.start();
    while (!(window->windowHandle() != nullptr && window->windowHandle()->isExposed()) &&
           waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    return window;
}

// Runs the driver for `seconds`: with no frame steps at all, or on a sea that stays empty or
// fills up; with the board shown in a window or not.
Figures run(int seconds, Sea sea, bool shown) {
    kelvarn::test::GameHarness harness;
    harness.random.fallback = sea == Sea::Busy ? 0.1 : 0.99; // low draws start enemies
    kelvarn::QtTextPrinter printer(QFont(QStringLiteral("AR PL UMing CN"), 9));
    IdleSteps idle(harness.game, harness.layers, harness.sprites, printer);
    kelvarn::Form1Logic real(harness.game, harness.layers, harness.sprites, printer);
    kelvarn::Form1Logic& form = sea == Sea::Idle ? idle : real;
    form.Form_Load();
    kelvarn::QtTickCounter clock;
    kelvarn::FrameDriver driver(form, clock);
    const std::unique_ptr<kelvarn::Form1> window = shown ? showBoard(form) : nullptr;

    QElapsedTimer wall;
    std::vector<double> frameEnds; // ms
    driver.onFramePainted = [&] {
        frameEnds.push_back(double(wall.nsecsElapsed()) / 1e6);
        if (window) {
            window->MainBoard->update();
        }
        harness.game.life = 20; // the bombs must not end the run
    };
    wall.start();
    const double cpuBefore = cpuSeconds();
    driver.startAfterLoad(0);
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    driver.stop();

    Figures f;
    f.seconds = double(wall.nsecsElapsed()) / 1e9;
    f.cpuPercent = 100.0 * (cpuSeconds() - cpuBefore) / f.seconds;
    std::vector<double> intervals;
    for (std::size_t i = 1; i < frameEnds.size(); ++i) {
        intervals.push_back(frameEnds[i] - frameEnds[i - 1]);
    }
    if (!intervals.empty()) {
        f.fps = double(frameEnds.size()) / f.seconds;
        f.median = percentile(intervals, 0.5);
        f.p99 = percentile(intervals, 0.99);
        f.maximum = percentile(intervals, 1.0);
    }
    return f;
}

void print(const char* title, const Figures& f) {
    std::printf("%s (%.1f s)\n", title, f.seconds);
    std::printf("  frames per second : %.1f\n", f.fps);
    std::printf("  interval median   : %.2f ms   (target 29-30 ms)\n", f.median);
    std::printf("  interval p99      : %.2f ms   (target at most 32 ms)\n", f.p99);
    std::printf("  interval maximum  : %.2f ms\n", f.maximum);
    std::printf("  CPU time          : %.2f %% of one core   (target at most 2 %%)\n",
                f.cpuPercent);
}

Figures figuresOf(const std::vector<double>& frameEnds, double seconds, double cpuSeconds) {
    Figures f;
    f.seconds = seconds;
    f.cpuPercent = 100.0 * cpuSeconds / seconds;
    std::vector<double> intervals;
    for (std::size_t i = 1; i < frameEnds.size(); ++i) {
        intervals.push_back(frameEnds[i] - frameEnds[i - 1]);
    }
    if (!intervals.empty()) {
        f.fps = double(frameEnds.size()) / seconds;
        f.median = percentile(intervals, 0.5);
        f.p99 = percentile(intervals, 0.99);
        f.maximum = percentile(intervals, 1.0);
    }
    return f;
}

// The Windows game under Wine: `seconds` of play while the vessel steers, the frames seen as
// flushes of the main window. CPU: kelvarn.exe alone, and with the wine server.
int runUnderWine(int seconds) {
#ifndef KELVARN_BENCH_XDAMAGE
    (void)seconds;
    std::fprintf(stderr, "frame_pacing: built without the X Damage headers (libxdamage-dev)\n");
    return 1;
#else
    const bench::fs::path exe = bench::windowsGame();
    if (!bench::fs::exists(exe)) {
        std::fprintf(stderr,
                     "frame_pacing: no Windows game at %s (make windows, or set "
                     "KELVARN_WINDOWS_EXE)\n",
                     exe.c_str());
        return 1;
    }
    const bench::VirtualDisplay display;
    bench::WineGame wine(exe);
    bench::Child launcher = wine.start();
    if (!bench::waitForWindowOn(bench::Platform::X11, "Kelvarn", std::chrono::seconds(60))) {
        std::fprintf(stderr, "frame_pacing: the game's window did not appear under Wine\n");
        bench::stop(launcher);
        return 1;
    }
    bench::focusWindow(bench::Platform::X11, "Kelvarn");
    std::this_thread::sleep_for(std::chrono::seconds(1)); // past start-up
    const pid_t game = wine.find("kelvarn.exe");
    const pid_t server = wine.find("wineserver");
    bench::FlushWatch watch(bench::windowId("Kelvarn"));
    // Steering keeps the board changing: right and left in turns, without firing.
    bench::Child keys =
        bench::spawn({"sh", "-c",
                      "while :; do xdotool keydown Right sleep 1 keyup Right keydown Left sleep 1 "
                      "keyup Left; done"},
                     {}, false);
    const double gameBefore = bench::cpuSeconds(game), serverBefore = bench::cpuSeconds(server);
    const auto start = bench::Clock::now();
    const std::vector<double> flushes = watch.collect(seconds);
    const double wall = bench::secondsSince(start);
    const double gameCpu = bench::cpuSeconds(game) - gameBefore;
    const double serverCpu = bench::cpuSeconds(server) - serverBefore;
    bench::stop(keys);
    bench::run("xdotool keyup Right keyup Left");
    bench::stop(launcher);

    std::printf(
        "The Windows program under Wine 8 on Xvfb, frames timed as they reach the X server\n");
    print("steering left and right (figures under Wine, not Windows)",
          figuresOf(flushes, wall, gameCpu));
    std::printf("  CPU with the wine server: %.2f %% of one core\n",
                100.0 * (gameCpu + serverCpu) / wall);
    return 0;
#endif
}

} // namespace

// Usage: frame_pacing [seconds per run, default 10]
int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const bench::Platform platform = bench::requestedPlatform();
    if (platform == bench::Platform::Wine) {
        return runUnderWine(seconds);
    }
    if (platform == bench::Platform::Wayland && !bench::inWaylandSession()) {
        return bench::rerunInWaylandSession({}, {std::to_string(seconds)});
    }
    std::optional<bench::PlatformDisplay> display;
    if (platform == bench::Platform::Unset) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else {
        display.emplace(platform);
    }
    QApplication app(argc, argv);
    const bool shown = platform != bench::Platform::Unset;
    if (shown) {
        std::printf("The real frame driver, the board shown on %s\n",
                    bench::platformTitle(platform));
    } else {
        std::printf("The real frame driver, offscreen\n");
    }
    print("the loop alone (every step empty)", run(seconds, Sea::Idle, shown));
    print("empty sea", run(seconds, Sea::Empty, shown));
    print("sea filling up (submarines, planes, bombs)", run(seconds, Sea::Busy, shown));
    return 0;
}
