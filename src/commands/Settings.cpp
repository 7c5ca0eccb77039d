// Colours and difficulty: one assignment per item, kept until the program ends.
#include "display/Form1Logic.h"

namespace kelvarn {

// ---- the main window's background ----
void Form1Logic::black_Click() {
    game.services.shell.setWindowColour({0, 0, 0});
}
void Form1Logic::blue_Click() {
    game.services.shell.setWindowColour({0, 0, 192});
}
void Form1Logic::green_Click() {
    game.services.shell.setWindowColour({0, 128, 0});
}
void Form1Logic::yellow_Click() {
    game.services.shell.setWindowColour({192, 192, 0});
}
void Form1Logic::grey_Click() {
    game.services.shell.setWindowColour({192, 0, 192});
}

// ---- the status panel's text; nothing brings back the starting colour ----
void Form1Logic::wordblue_Click() {
    boardTextColour = {0, 0, 192};
}
void Form1Logic::vv_Click() {
    boardTextColour = {192, 192, 192};
}
void Form1Logic::fd_Click() {
    boardTextColour = {0, 192, 0};
}

// ---- difficulty: the fewest bombs in a burst, until the level table sets it again ----
void Form1Logic::asghhj_Click() {
    game.bombBurstBase = 40;
}
void Form1Logic::addgf_Click() {
    game.bombBurstBase = 4;
}

} // namespace kelvarn
