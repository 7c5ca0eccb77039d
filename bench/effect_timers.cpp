// How precisely the timed effects end in the running game: the repair (Timer2, 12 700 ms) and the
// frozen planes (Timer3, 20 000 ms), bought in the game with real key events (the points come from
// a code of "秘技"; the repair with F2, the freeze from the menu "买卖"), with a pause taken and
// left while they run (they count wall-clock time). With KELVARN_REPORT_TIMERS=1 the game says on
// stderr how long after its start each timer went off, on its own steady clock; this prints those
// times and how far they are from 12 700 and 20 000 ms. Figures only; nothing is asserted.
//
//   effect_timers [path of kelvarn] [runs]      (default: ../kelvarn beside this program, 3 runs)
//
// KELVARN_BENCH_PLATFORM=wine runs the cross-built Windows game under Wine instead (figures under
// Wine, not Windows); x11 or unset, the Linux game on an Xvfb of its own.
#include <cmath>
#include <optional>

#include "Platform.h"
#include "WineProgram.h"

using namespace bench;

namespace {

constexpr const char* Title = "Kelvarn";

void pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// The keyboard to the main window (a box closing leaves no window focused without a window
// manager), then `keys`.
void keysToGame(const std::string& keys) {
    run("xdotool search --onlyvisible --name '^" + std::string(Title) +
        "$' windowfocus --sync 2>/dev/null");
    run("xdotool key --delay 120 " + keys);
}

// What the child wrote on stderr until `done` says it is enough or `timeout` passes.
template <typename Done>
std::string readStderr(Child& child, std::string& seen, Done done, std::chrono::seconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!done(seen) && Clock::now() < deadline) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(child.stderrPipe, &set);
        timeval wait{0, 100000};
        if (select(child.stderrPipe + 1, &set, nullptr, nullptr, &wait) > 0) {
            char buffer[512];
            const ssize_t n = read(child.stderrPipe, buffer, sizeof buffer);
            if (n <= 0) {
                break; // the game ended
            }
            seen.append(buffer, std::size_t(n));
        }
    }
    return seen;
}

std::optional<double> wentOff(const std::string& seen, const char* timer) {
    const std::string marker = std::string("kelvarn: ") + timer + " went off ";
    const std::size_t at = seen.find(marker);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    return std::strtod(seen.c_str() + at + marker.size(), nullptr);
}

struct Run {
    std::optional<double> repair, freeze;
};

// One game: the points, the repair, a pause and its end, the freeze; then the wait for both.
Run playOnce(Child child, Platform platform) {
    Run result;
    if (waitForWindow(Title, std::chrono::seconds(60)).empty()) {
        std::fprintf(stderr, "effect_timers: the game's window never showed\n");
        stop(child);
        return result;
    }
    pause(1.5);
    // The menu bar: Alt on Qt, F10 on Windows; then "功能" > "秘技", the code, and the box's OK.
    const std::string menuBar = platform == Platform::Wine ? "F10" : "alt";
    keysToGame(menuBar + " Right Down Return");
    pause(1.0);
    run("xdotool type --delay 60 15842");
    run("xdotool key Return");
    pause(1.0);
    run("xdotool key Return");
    pause(0.5);
    keysToGame("F2"); // "超级修理", and Yes
    pause(1.0);
    run("xdotool key Return");
    pause(1.0);
    keysToGame("ctrl+p"); // a pause does not hold the timers
    pause(2.0);
    keysToGame("ctrl+n");
    pause(0.5);
    keysToGame(menuBar + " Right Right Down Down Down Return"); // "买卖" > "定时机器", and Yes
    pause(1.0);
    run("xdotool key Return");

    std::string seen;
    readStderr(
        child, seen,
        [](const std::string& s) {
            return s.find("Timer2 went off") != std::string::npos &&
                   s.find("Timer3 went off") != std::string::npos;
        },
        std::chrono::seconds(40));
    result.repair = wentOff(seen, "Timer2");
    result.freeze = wentOff(seen, "Timer3");
    if (!result.repair || !result.freeze) {
        std::fprintf(stderr, "effect_timers: the game said only:\n%s\n", seen.c_str());
    }
    stop(child);
    return result;
}

void printFigures(const char* name, double interval, const std::vector<double>& times) {
    if (times.empty()) {
        std::printf("  %s: no figure\n", name);
        return;
    }
    std::vector<double> errors;
    double worst = 0;
    for (double t : times) {
        errors.push_back(t - interval);
        worst = std::max(worst, std::fabs(t - interval));
    }
    std::printf("  %s (%.0f ms): median error %+.2f ms, worst %.2f ms, over %zu runs\n", name,
                interval, median(errors), worst, times.size());
}

} // namespace

int main(int argc, char** argv) {
    const Platform requested = requestedPlatform();
    if (requested == Platform::Wayland) {
        std::fprintf(stderr, "effect_timers: runs on x11 (default) or wine\n");
        return 2;
    }
    const Platform platform = requested == Platform::Wine ? Platform::Wine : Platform::X11;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::printf("effect_timers on %s\n", platformTitle(platform));

    std::vector<double> repairs, freezes;
    auto note = [&](const Run& r, int i) {
        std::printf("  run %d: Timer2 went off %s ms, Timer3 %s ms after their starts\n", i + 1,
                    r.repair ? std::to_string(*r.repair).c_str() : "never",
                    r.freeze ? std::to_string(*r.freeze).c_str() : "never");
        if (r.repair) {
            repairs.push_back(*r.repair);
        }
        if (r.freeze) {
            freezes.push_back(*r.freeze);
        }
    };
    const std::vector<std::string> report{"KELVARN_REPORT_TIMERS=1"};
    if (platform == Platform::Wine) {
        const fs::path exe = argc > 1 && argv[1][0] != '-' ? fs::path(argv[1]) : windowsGame();
        if (!fs::exists(exe)) {
            std::fprintf(stderr, "effect_timers: no Windows game at %s (make windows)\n",
                         exe.c_str());
            return 1;
        }
        for (int i = 0; i < runs; ++i) {
            VirtualDisplay display;
            WineGame game(exe);
            note(playOnce(game.start(report, true), platform), i);
        }
    } else {
        const fs::path exe = builtGame(argc, argv);
        if (!fs::exists(exe)) {
            std::fprintf(stderr, "effect_timers: no game at %s (build the target kelvarn)\n",
                         exe.c_str());
            return 1;
        }
        VirtualDisplay display;
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        ProgramFolder folder(exe);
        for (int i = 0; i < runs; ++i) {
            std::vector<std::string> env = folder.environment();
            env.insert(env.end(), report.begin(), report.end());
            note(playOnce(spawn({folder.program().string()}, env, true), platform), i);
        }
    }
    std::printf("the time from each start to its timer going off, against its interval:\n");
    printFigures("Timer2, the repair", 12700, repairs);
    printFigures("Timer3, the frozen planes", 20000, freezes);
    return repairs.empty() || freezes.empty() ? 1 : 0;
}
