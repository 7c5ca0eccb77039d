#include "game/GameEdit.h"
#include "scores/ScoreStore.h"

namespace kelvarn {

void GameEdit::loadHeroList() {}
void GameEdit::saveHeroList() {}

} // namespace kelvarn
