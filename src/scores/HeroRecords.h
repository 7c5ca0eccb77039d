// The keeping of the high-score list: read from its store at start-up, written back whole as the
// program ends, and a score that makes the list offered its place.
#pragma once

#include "game/GameEdit.h"
#include "game/RecordKeeper.h"
#include "scores/ScoreStore.h"

namespace kelvarn {

class HeroRecords : public RecordKeeper {
  public:
    // `store` must outlive the keeper.
    explicit HeroRecords(ScoreStore& store) : store_(store) {}

    // The file is read whatever it holds; a file that cannot be read leaves the list empty, and
    // the player is told where records will be kept instead.
    void loadHeroList(GameEdit& game) override;
    // Replaces the file whole; a failure that loses a record is told.
    void saveHeroList(GameEdit& game) override;
    // Offers a score above one of the list's the place it earns, asks for a name and hands the
    // end to the list window.
    void checkNewRecord(GameEdit& game) override;

  private:
    ScoreStore& store_;
};

} // namespace kelvarn
