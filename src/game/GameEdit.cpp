#include "game/GameEdit.h"

namespace kelvarn {

GameEdit::GameEdit(Services s, const Surface& hitLayer) : services(s), hitLayer_(hitLayer) {}

void GameEdit::playSound(const std::string& name) {
    services.sound.playSound(name);
}

void GameEdit::openLink(const std::string& address) {
    services.links.openLink(address);
}

void GameEdit::endProgram() {
    gameEnded = true;
    services.shell.endProgram();
}

void GameEdit::finishGame(EndSound endSound) {
    if (recordShown) {
        return;
    }
    checkNewRecord();
    if (endSound == EndSound::AfterCheck ||
        (endSound == EndSound::IfListWindowTakesOver && recordShown)) {
        playSound("end");
    }
    if (!recordShown) {
        saveHeroList();
        endProgram();
        return;
    }
    // The main window is gone and the list window owns the end: no frame runs again.
    gameEnded = true;
}

} // namespace kelvarn
