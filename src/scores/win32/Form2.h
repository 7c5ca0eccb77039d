// The help window on Windows: a text area whose text four buttons replace, and an OK button that
// returns to the game. The game is paused and the main window disabled while it is open.
#pragma once

#include "scores/win32/SmallWindow.h"

namespace kelvarn {

class GameEdit;

class Form2 : public SmallWindow {
  public:
    Form2(GameEdit& game, PictureLoader pictures);

    void Command3_Click(); // rewards and penalties
    void Command6_Click(); // controls
    void Command8_Click(); // the maker's credits
    void Command2_Click(); // levels
    void Command1_Click(); // OK

  protected:
    void onClick(const LayoutRow& row) override;
    void onTitleBarClose() override { Command1_Click(); }
    void onDestroying() override { giveGameBack(); }

  private:
    // However the window closes, the game runs on behind an enabled main window. The main
    // window is enabled before this one goes, so that it is the one that becomes active.
    void giveGameBack();
    GameEdit& game_;
    bool givenBack_ = false;
};

} // namespace kelvarn
