// The about window on Windows: title, version, credits and contact. Clicking the address opens the
// home page. The game is paused and the main window disabled while it is open.
#pragma once

#include "scores/win32/SmallWindow.h"

namespace kelvarn {

class GameEdit;

class frmHelp : public SmallWindow {
  public:
    frmHelp(GameEdit& game, PictureLoader pictures);

    void Command1_Click(); // OK
    void Label4_Click();   // the web address

  protected:
    void onClick(const LayoutRow& row) override;
    void onTitleBarClose() override { Command1_Click(); }
    void onDestroying() override { giveGameBack(); }

  private:
    // However the window closes, the game runs on behind an enabled main window.
    void giveGameBack();
    GameEdit& game_;
    bool givenBack_ = false;
};

} // namespace kelvarn
