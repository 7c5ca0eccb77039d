#include "commands/MenuCommands.h"

namespace kelvarn {

// Every menu title clicks as its menu (or submenu) opens.
void MenuCommands::menuTitle_Click() {
    game.playSound("Bu");
}

// A restart only clears the counters of the run: the objects on the field, the stock, every
// power-up bought, greyed items, the settings and a pause all carry over.
void MenuCommands::restart_Click() {
    if (game.services.dialogs.messageBox("重新来?", "Kelvarn", Buttons::YesNo) != Answer::Yes) {
        return;
    }
    game.score = 0;
    game.life = 20;
    game.kills = 0;
    game.shellsUsed = 0;
    game.level = 1;
}

// The menu exit asks first, and plays "end" only when the list window stays open.
void MenuCommands::m3_Click() {
    if (game.services.dialogs.messageBox("不玩了?", "退出", Buttons::YesNo) != Answer::Yes) {
        return;
    }
    game.paused = true;
    game.finishGame(GameEdit::EndSound::IfListWindowTakesOver);
}

// The exit label never asks, and plays "end" before it knows how the game ends.
void MenuCommands::picexit_Click() {
    game.paused = true;
    game.finishGame(GameEdit::EndSound::AfterCheck);
}

// The windows that stop the game disable the main window and set `paused`; their own buttons undo
// both when they close.
void MenuCommands::mhero_Click() {
    WindowShell& shell = game.services.shell;
    shell.showWindow(WindowId::High);
    shell.setMainWindowEnabled(false);
    game.paused = true;
}

void MenuCommands::h_Click() {
    WindowShell& shell = game.services.shell;
    shell.setMainWindowEnabled(false);
    game.paused = true;
    shell.showWindow(WindowId::Form2);
}

void MenuCommands::fg_Click() {
    WindowShell& shell = game.services.shell;
    game.paused = true;
    shell.setMainWindowEnabled(false);
    shell.showWindow(WindowId::frmHelp);
}

// The update report is only something to read: the game goes on behind it.
void MenuCommands::renew_Click() {
    game.services.shell.showWindow(WindowId::frmSplash);
}

} // namespace kelvarn
