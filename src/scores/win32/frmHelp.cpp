#include "scores/win32/frmHelp.h"

#include "game/GameEdit.h"
#include "scores/Maker.h"
#include "scores/WindowLayouts.h"

namespace kelvarn {

frmHelp::frmHelp(GameEdit& game, PictureLoader pictures)
    : SmallWindow(frmHelpLayout(), std::move(pictures)), game_(game) {}

void frmHelp::Command1_Click() {
    giveGameBack();
    close();
}

void frmHelp::Label4_Click() {
    game_.openLink(maker::HomePage);
}

void frmHelp::giveGameBack() {
    if (givenBack_) {
        return;
    }
    givenBack_ = true;
    game_.services.shell.setMainWindowEnabled(true);
    game_.paused = false;
}

void frmHelp::onClick(const LayoutRow& row) {
    if (row.name == "Command1") {
        Command1_Click();
    } else if (row.name == "Label4") {
        Label4_Click();
    }
}

} // namespace kelvarn
