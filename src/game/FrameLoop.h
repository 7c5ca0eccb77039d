// The frame loop's rhythm: which steps run in a frame and in what order, the refill and spawn
// counters, and when the next frame is due. The driver that sleeps between frames lives with the
// windows; this part decides.
#pragma once

#include <cstdint>

namespace kelvarn {

// The steps of one frame, called in this order by FrameLoop::runFrame.
class FrameSteps {
  public:
    virtual ~FrameSteps() = default;
    virtual void DoK() = 0;
    virtual void Addammo() = 0;
    virtual void spawnSubmarine() = 0;
    virtual void spawnPlane() = 0;
    virtual void moveProjectiles() = 0;
    virtual void moveSubmarines() = 0;
    virtual void movePlanes() = 0;
    virtual void animateBlasts() = 0;
    virtual void dropBombs() = 0;
    virtual void Pb() = 0;
    // True once the game has ended inside a step: the rest of the frame is skipped.
    virtual bool frameAborted() const = 0;
};

class FrameLoop {
  public:
    // A frame begins only when more than this many milliseconds have passed since the previous
    // frame began.
    static constexpr std::uint32_t MinimumGap = 28;

    // Entering the loop: the counters start at 0 and the previous frame "began" now.
    void start(std::uint32_t now);
    bool started() const { return started_; }

    // True when more than 28 ms (modulo 2^32) have passed since the previous frame began.
    bool frameDue(std::uint32_t now) const;
    // Milliseconds to wait from `now` until a frame is due (0 when it is due already).
    std::uint32_t msUntilDue(std::uint32_t now) const;

    // Runs one frame that began at `now`: steering, the refill counter, the spawn counter, the
    // projectile pass, submarines, planes, explosions, bombs dropped, and the painter.
    void runFrame(FrameSteps& steps, std::uint32_t now);

    // The pause. `paused` is looked at when the next frame begins its turn, that is when the loop
    // is entered, when a frame ends and when play resumes: a pause in force then holds the next
    // frame. A pause that arrives later, while that frame waits for its time, lets exactly that
    // one frame run and paint (this is how the status word "暂停" reaches the board); the frame
    // after it is held. Drivers call nextFrameWaits() at each of those three moments, with the
    // flag as it is then, and run a frame only when pauseLetsFrameRun() says so.
    void nextFrameWaits(bool paused) { frameWaiting_ = !paused; }
    bool pauseLetsFrameRun(bool paused) const { return frameWaiting_ || !paused; }

    int refillCounter() const { return refillCounter_; }
    int spawnCounter() const { return spawnCounter_; }
    std::uint32_t frameStart() const { return frameStart_; }

  private:
    bool started_ = false;
    int refillCounter_ = 0;
    int spawnCounter_ = 0;
    std::uint32_t frameStart_ = 0;
    bool frameWaiting_ = false; // the next frame began its turn while play was not paused
};

} // namespace kelvarn
