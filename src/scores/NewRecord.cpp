#include "game/GameEdit.h"

namespace kelvarn {

void GameEdit::checkNewRecord() {}
void GameEdit::finishGame(EndSound) {}

} // namespace kelvarn
