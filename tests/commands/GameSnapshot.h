// The game values a command may touch, taken at one moment, so that a test can say "nothing
// changed" in one comparison and still name what did.
#pragma once

#include <map>
#include <ostream>
#include <string>

#include "fakes/GameHarness.h"

namespace kelvarn::test {

struct GameSnapshot {
    bool refillOn, controlsEnabled, slowShells, planesMoving, paused, keyPreview;
    int shotCost, maxShells, shells, life, kills, shellsUsed, level, bombBurstBase, speedStep;
    std::int32_t score;
    double acceleration;
    std::string statusText;
    std::map<Control, bool> enabledControls;
    std::map<TimerId, bool> timers;
    bool mainWindowEnabled;

    static GameSnapshot of(const GameHarness& h) {
        const GameEdit& g = h.game;
        return {g.refillOn,      g.controlsEnabled, g.slowShells,
                g.planesMoving,  bool(g.paused),    h.form.keyPreview,
                g.shotCost,      g.maxShells,       g.shells,
                g.life,          g.kills,           g.shellsUsed,
                g.level,         g.bombBurstBase,   h.form.speedStep,
                g.score,         g.acceleration,    g.statusText,
                h.shell.enabled, h.shell.timers,    h.shell.mainWindowEnabled};
    }
    friend bool operator==(const GameSnapshot&, const GameSnapshot&) = default;
    friend std::ostream& operator<<(std::ostream& os, const GameSnapshot& s) {
        return os << "score " << s.score << ", life " << s.life << ", shells " << s.shells << "/"
                  << s.maxShells << ", status " << s.statusText << ", paused " << s.paused
                  << ", controls switched " << s.enabledControls.size() << ", timers switched "
                  << s.timers.size();
    }
};

} // namespace kelvarn::test
