// The update report on Windows: what changed since the previous version. It does not stop the
// game.
#pragma once

#include "scores/win32/SmallWindow.h"

namespace kelvarn {

class frmSplash : public SmallWindow {
  public:
    explicit frmSplash(PictureLoader pictures);

    void Command1_Click() { close(); }

  protected:
    void onClick(const LayoutRow& row) override {
        if (row.name == "Command1") {
            Command1_Click();
        }
    }
};

} // namespace kelvarn
