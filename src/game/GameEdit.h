// The game's state and its rule procedures. Every frame step, key handler, menu command and the
// high-score flow reads and writes these variables directly, by these names.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "game/Numbers.h"
#include "game/RecordKeeper.h"
#include "platform/Services.h"
#include "platform/Surface.h"

namespace kelvarn {

// A table indexed from 1, as every table of the game is: slot 0 does not exist. firstFree and
// activeCount apply to records with an active flag.
template <typename Record, int Slots> class SlotTable {
  public:
    static constexpr int size = Slots;
    Record& operator[](int slot) { return slots_.at(std::size_t(slot - 1)); }
    const Record& operator[](int slot) const { return slots_.at(std::size_t(slot - 1)); }
    // The first slot from 1 upward whose active flag is false, or 0 when all are in use.
    int firstFree() const {
        for (int i = 1; i <= Slots; ++i) {
            if (!(*this)[i].active) {
                return i;
            }
        }
        return 0;
    }
    int activeCount() const {
        int n = 0;
        for (const Record& r : slots_) {
            n += r.active ? 1 : 0;
        }
        return n;
    }
    void free(int slot) { (*this)[slot] = Record{}; }

  private:
    std::array<Record, Slots> slots_{};
};

// A shell sinking from the vessel: the 7 x 7 test square at (x, y).
struct ShellState {
    int x = 0;
    int y = 0;
    bool active = false;
};

// A submarine: the top-left corner of its picture; a wreck while sinkFrame is not 0.
struct SubState {
    int x = 0;
    int y = 0;
    bool active = false;
    int points = 0;
    int direction = 0; // 1 = moving left, 2 = moving right
    int speed = 0;
    int sinkFrame = 0;
};

struct PlaneState {
    int x = 0;
    int y = 0;
    bool active = false;
    int direction = 0; // 1 = flying left, 2 = flying right
    int speed = 0;
    int bombsLeft = 0;
    bool hasBombed = false;
};

// A bomb is the single pixel (x, y).
struct BombState {
    int x = 0;
    int y = 0;
    bool active = false;
    Fixed driftX = 0;
};

struct BlastState {
    int x = 0;
    int y = 0;
    bool active = false;
    int frame = 0;
};

// One place of the high-score list. Texts are UTF-8 in memory; GBK only in the file.
struct HeroEntry {
    std::string entryName;
    std::int32_t entryScore = 0;
    std::string entryDate;
    friend bool operator==(const HeroEntry&, const HeroEntry&) = default;
};

// A flag that tells a listener when it is cleared, so that the frame driver can wake up when the
// game is resumed instead of polling while paused.
class PausedFlag {
  public:
    PausedFlag& operator=(bool value) {
        const bool resumed = value_ && !value;
        value_ = value;
        if (resumed && onResume_) {
            onResume_();
        }
        return *this;
    }
    operator bool() const { return value_; }
    void setOnResume(std::function<void()> callback) { onResume_ = std::move(callback); }

  private:
    bool value_ = false;
    std::function<void()> onResume_;
};

// Everything the rules reach outside the game state.
struct Services {
    TickCounter& ticks;
    KeyQuery& keys;
    RandomSource& random;
    SoundPlayer& sound;
    LinkOpener& links;
    Dialogs& dialogs;
    WindowShell& shell;
    RecordKeeper& records;
};

class GameEdit {
  public:
    // `hitLayer` is the layer the painter leaves the vessel, the stock icons and the cruising
    // submarines in; the hit tests of the next frame read it.
    GameEdit(Services services, const Surface& hitLayer);

    // ---- game state ----
    bool refillOn = false;
    int shotCost = 0;
    bool controlsEnabled = false;
    bool slowShells = false;
    bool planesMoving = false;
    int maxShells = 0;
    int playerX = 0;
    int playerY = 0;
    int shells = 0;
    int facing = 0; // 1 = facing left, 2 = facing right
    int life = 0;
    std::int32_t score = 0;
    Fixed playerVelocity = 0;
    Fixed lastShotTime = 0; // a tick count, in whole milliseconds as ten-thousandths
    int kills = 0;
    int lastKillPoints = 0;
    int speedGauge = 0;
    int shellsUsed = 0;
    std::string statusText;
    int level = 0;
    double acceleration = 0.0;
    double shellSinkStep = 0.0;
    int bombBurstBase = 0;
    int bombBurstRange = 0;
    int planeCount = 0;
    int subCount = 0;
    int shellsInFlight = 0;
    bool recordShown = false;
    PausedFlag paused;

    SlotTable<ShellState, 30> shellList;
    SlotTable<SubState, 30> subList;
    SlotTable<PlaneState, 10> planeList;
    SlotTable<BombState, 30> bombList;
    SlotTable<BlastState, 10> blastList;

    // The high-score list, place 1 the best; an empty place has an empty name, 0 and no date.
    SlotTable<HeroEntry, 10> heroList;
    // The list as loaded: a save that fails loses nothing while the list still equals it.
    SlotTable<HeroEntry, 10> heroListAsLoaded;

    // True once the game is over or the program is ending: the rest of the frame is skipped and
    // no later frame runs.
    bool gameEnded = false;

    // ---- submarines ----
    void spawnSubmarine();
    void moveSubmarines();
    void destroySubmarine(int slot);

    // ---- shells and explosions ----
    void fireShell();
    void moveProjectiles();
    void testShellHit(int slot);
    void startBlast(int x, int y);
    void animateBlasts();

    // ---- planes, bombs and game over ----
    void spawnPlane();
    void movePlanes();
    void dropBombs();
    void bombStep(int slot); // the bomb half of the projectile pass
    void testBombHit(int slot);

    // ---- high scores ----
    void loadHeroList() { services.records.loadHeroList(*this); }
    void saveHeroList() { services.records.saveHeroList(*this); }
    void checkNewRecord() { services.records.checkNewRecord(*this); }
    // The hand-off shared by the game-over path and the two exit commands: with `paused`
    // already set, run the new-record check unless the list window owns the end, then either save
    // the list and end the program or leave the end to the list window. The exit paths differ only
    // in when they play "end".
    enum class EndSound { Never, AfterCheck, IfListWindowTakesOver };
    void finishGame(EndSound endSound);

    // ---- sound and links ----
    void playSound(const std::string& name);
    void openLink(const std::string& address);

    // Ends the program at once.
    void endProgram();

    Services services;

  private:
    const Surface& hitLayer_;
};

} // namespace kelvarn
