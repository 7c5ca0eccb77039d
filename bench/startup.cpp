// How long the real game takes from process start to its first painted frame of play, against a
// minimal Qt Widgets window's first paint, on a virtual display of its own. Each is started
// several times, in turns; prints every time and the medians. Figures only; nothing is asserted.
//
//   startup [path of kelvarn] [runs]     (default: ../kelvarn beside this program, 7 runs)
//   startup --baseline-window            (the baseline window itself)
#include "RealProgram.h"

using namespace bench;

namespace {

// Milliseconds from starting the program to each line it prints at a first paint; empty when a
// line never came.
std::vector<double> timesToPaint(const std::vector<std::string>& argv,
                                 const std::vector<std::string>& env,
                                 const std::vector<std::string>& markers) {
    const auto start = Clock::now();
    Child child = spawn(argv, env, true);
    const auto painted = waitForLines(child, markers, std::chrono::seconds(30));
    stop(child);
    std::vector<double> ms;
    for (const auto& t : painted) {
        ms.push_back(std::chrono::duration<double, std::milli>(t - start).count());
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    if (isBaselineCall(argc, argv)) {
        return runBaselineWindow(argc, argv, true);
    }
    const fs::path game = builtGame(argc, argv);
    if (!fs::exists(game)) {
        std::fprintf(stderr, "startup: no game at %s (build the target kelvarn)\n", game.c_str());
        return 1;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;

    VirtualDisplay display;
    ProgramFolder folder(game);
    const std::vector<std::string> baselineCommand{fs::canonical("/proc/self/exe").string(),
                                                   "--baseline-window"};
    const std::vector<std::string> gameCommand{folder.program().string()};
    std::vector<std::string> gameEnv = folder.environment();
    gameEnv.push_back("KELVARN_REPORT_FIRST_FRAME=1");

    const std::vector<std::string> baselineMarkers{"baseline: first paint"};
    const std::vector<std::string> gameMarkers{"kelvarn: board painted",
                                               "kelvarn: first frame painted"};

    // One unmeasured start of each: the files come into the page cache.
    timesToPaint(baselineCommand, folder.environment(), baselineMarkers);
    timesToPaint(gameCommand, gameEnv, gameMarkers);

    std::vector<double> baseline, board, frame;
    std::printf("startup: process start to first paint, ms\n");
    for (int i = 0; i < runs; ++i) {
        const auto b = timesToPaint(baselineCommand, folder.environment(), baselineMarkers);
        const auto k = timesToPaint(gameCommand, gameEnv, gameMarkers);
        if (b.empty() || k.empty()) {
            std::fprintf(stderr, "startup: a program never reported its first paint\n");
            return 1;
        }
        std::printf("  run %d: kelvarn board %6.1f, first frame of play %6.1f   baseline %6.1f\n",
                    i + 1, k[0], k[1], b[0]);
        baseline.push_back(b[0]);
        board.push_back(k[0]);
        frame.push_back(k[1]);
    }
    const double b = median(baseline);
    std::printf("  median: baseline window %.1f ms\n", b);
    std::printf("          kelvarn board   %.1f ms = %.2f x the baseline   target: <= 1.50 x\n",
                median(board), median(board) / b);
    std::printf("          kelvarn first frame of play %.1f ms = %.2f x (the game loop starts "
                "50 ms after the window and waits 29 ms for its first frame)\n",
                median(frame), median(frame) / b);
    return 0;
}
