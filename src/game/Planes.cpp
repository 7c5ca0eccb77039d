#include "game/GameEdit.h"

namespace kelvarn {

void GameEdit::spawnPlane() {}
void GameEdit::movePlanes() {}
void GameEdit::dropBombs() {}
void GameEdit::bombStep(int) {}
void GameEdit::testBombHit(int) {}

} // namespace kelvarn
