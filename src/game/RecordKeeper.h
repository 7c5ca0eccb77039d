// How the rules reach the keeping of the high-score list: loading it at start-up, saving it as the
// program ends, and offering a score its place. The list itself is GameEdit::heroList; the
// keeper (scores/HeroRecords.h) knows the file and the new-record boxes.
#pragma once

namespace kelvarn {

class GameEdit;

class RecordKeeper {
  public:
    virtual ~RecordKeeper() = default;
    virtual void loadHeroList(GameEdit& game) = 0;
    virtual void saveHeroList(GameEdit& game) = 0;
    virtual void checkNewRecord(GameEdit& game) = 0;
};

} // namespace kelvarn
