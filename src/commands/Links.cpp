#include "display/Form1Logic.h"

namespace kelvarn {

void Form1Logic::site_Click() { game.openLink(HomePageAddress); }
void Form1Logic::update_Click() { game.openLink(HomePageAddress); }
void Form1Logic::mail_Click() { game.openLink(HomePageAddress); }
void Form1Logic::Label1_Click() { game.openLink(HomePageAddress); }

} // namespace kelvarn
