#include "game/FrameLoop.h"

namespace kelvarn {

void FrameLoop::start(std::uint32_t now) {
    started_ = true;
    refillCounter_ = 0;
    spawnCounter_ = 0;
    frameStart_ = now;
    frameWaiting_ = true; // the loop is entered while play runs
}

bool FrameLoop::frameDue(std::uint32_t now) const {
    return std::uint32_t(now - frameStart_) > MinimumGap;
}

std::uint32_t FrameLoop::msUntilDue(std::uint32_t now) const {
    const std::uint32_t elapsed = now - frameStart_;
    return elapsed > MinimumGap ? 0 : MinimumGap + 1 - elapsed;
}

void FrameLoop::runFrame(FrameSteps& steps, std::uint32_t now) {
    frameStart_ = now;
    frameWaiting_ = false; // this frame is the one that waited; the next decides when it ends
    steps.DoK();
    if (steps.frameAborted()) {
        return;
    }
    if (refillCounter_ == 40) {
        steps.Addammo();
        refillCounter_ = 0;
    } else {
        ++refillCounter_;
    }
    if (spawnCounter_ == 15) {
        steps.spawnSubmarine();
        steps.spawnPlane();
        spawnCounter_ = 0;
    } else {
        ++spawnCounter_;
    }
    // Each step may end the game (a bomb takes the last life notch); nothing after that runs.
    using Step = void (FrameSteps::*)();
    static constexpr Step rules[] = {&FrameSteps::moveProjectiles, &FrameSteps::moveSubmarines,
                                     &FrameSteps::movePlanes,      &FrameSteps::animateBlasts,
                                     &FrameSteps::dropBombs,       &FrameSteps::Pb};
    for (Step step : rules) {
        if (steps.frameAborted()) {
            return;
        }
        (steps.*step)();
    }
}

} // namespace kelvarn
