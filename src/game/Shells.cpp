#include "game/GameEdit.h"

namespace kelvarn {

void GameEdit::fireShell() {}
void GameEdit::moveProjectiles() {}
void GameEdit::testShellHit(int) {}
void GameEdit::startBlast(int, int) {}
void GameEdit::animateBlasts() {}

} // namespace kelvarn
