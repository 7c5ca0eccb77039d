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

} // namespace kelvarn
