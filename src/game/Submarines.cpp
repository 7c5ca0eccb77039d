#include "game/GameEdit.h"

namespace kelvarn {

void GameEdit::spawnSubmarine() {}
void GameEdit::moveSubmarines() {}
void GameEdit::destroySubmarine(int) {}

} // namespace kelvarn
