// The high-score window on Windows: the ten places as one text over a picture, a button back to
// the game (Command2) and one out of the program (Command1). Opened from the menu it lets the game
// go on; opened after a new record it is all that is left of the program.
#pragma once

#include "scores/HighList.h"
#include "scores/win32/SmallWindow.h"

namespace kelvarn {

class High : public SmallWindow {
  public:
    // `afterRecord`: opened by the new-record flow, so Command2 is hidden and Command1 sits at
    // the bottom edge.
    High(GameEdit& game, bool afterRecord, PictureLoader pictures);

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();
    // Blinks every label tagged "1".
    void Timer1_Timer();

  protected:
    void onCreated() override;
    void onClick(const LayoutRow& row) override;
    void onActivate() override { Form_Activate(); }
    void onTimer(UINT_PTR id) override;
    // The title bar's close button: after a record it ends the program as Command1 does (saving
    // the list); opened from the menu it returns to the game as Command2 does.
    void onTitleBarClose() override;
    // Enter goes back to the game; after a record, with Command2 hidden, it ends the program.
    const char* defaultButton() const override { return "Command2"; }

  private:
    static constexpr UINT_PTR Timer1 = 1;
    HighList logic_;
    bool afterRecord_;
};

} // namespace kelvarn
