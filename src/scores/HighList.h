// The rules of the high-score window: the list text it shows and what its two buttons do. The
// window itself (scores/qt/High) shows the text and closes itself after a button.
#pragma once

#include <string>

#include "game/GameEdit.h"

namespace kelvarn {

// Twenty lines, two per place: "1: name" and "分数: 1234  日期 date", each ended by CR LF.
std::string heroListText(const SlotTable<HeroEntry, 10>& list);

class HighList {
  public:
    explicit HighList(GameEdit& game) : game(game) {}

    GameEdit& game;

    std::string text() const { return heroListText(game.heroList); }

    // "返回": the main window comes back and the game goes on.
    void Command2_Click();
    // "退出": a farewell, the closing sound, and the end of the program; the list is saved only
    // when a new record was entered (otherwise it has not changed since start-up).
    void Command1_Click();
};

} // namespace kelvarn
