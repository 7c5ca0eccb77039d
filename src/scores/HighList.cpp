#include "scores/HighList.h"

namespace kelvarn {

std::string heroListText(const SlotTable<HeroEntry, 10>& list) {
    std::string text;
    for (int i = 1; i <= list.size; ++i) {
        const HeroEntry& entry = list[i];
        text += std::to_string(i) + ": " + entry.entryName + "\r\n";
        text += "分数: " + std::to_string(entry.entryScore) + "  日期 " + entry.entryDate + "\r\n";
    }
    return text;
}

void HighList::Command2_Click() {
    game.services.shell.showMainWindow();
    game.services.shell.setMainWindowEnabled(true);
    game.paused = false;
}

void HighList::Command1_Click() {
    game.services.dialogs.messageBox("感谢您使用本游戏！谢谢！", "退出", Buttons::Ok);
    game.playSound("end");
    if (game.recordShown) {
        game.saveHeroList();
    }
    game.endProgram();
}

} // namespace kelvarn
