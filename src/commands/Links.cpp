#include "display/Form1Logic.h"
#include "scores/Maker.h"

namespace kelvarn {

void Form1Logic::site_Click() {
    game.openLink(maker::HomePage);
}
void Form1Logic::update_Click() {
    game.openLink(maker::HomePage);
}
void Form1Logic::mail_Click() {
    game.openLink(maker::HomePage);
}
void Form1Logic::Label1_Click() {
    game.openLink(maker::HomePage);
}

} // namespace kelvarn
