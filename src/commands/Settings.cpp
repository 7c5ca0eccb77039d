// Colours and difficulty: one assignment per item, kept until the program ends.
#include "commands/MenuCommands.h"

namespace kelvarn {

// ---- the main window's background ----
void MenuCommands::black_Click() {
    game.services.shell.setWindowColour({0, 0, 0});
}
void MenuCommands::blue_Click() {
    game.services.shell.setWindowColour({0, 0, 192});
}
void MenuCommands::green_Click() {
    game.services.shell.setWindowColour({0, 128, 0});
}
void MenuCommands::yellow_Click() {
    game.services.shell.setWindowColour({192, 192, 0});
}
void MenuCommands::grey_Click() {
    game.services.shell.setWindowColour({192, 0, 192});
}

// ---- the status panel's text; nothing brings back the starting colour ----
void MenuCommands::wordblue_Click() {
    form.boardTextColour = {0, 0, 192};
}
void MenuCommands::vv_Click() {
    form.boardTextColour = {192, 192, 192};
}
void MenuCommands::fd_Click() {
    form.boardTextColour = {0, 192, 0};
}

// ---- difficulty: the fewest bombs in a burst, until the level table sets it again ----
void MenuCommands::asghhj_Click() {
    game.bombBurstBase = 40;
}
void MenuCommands::addgf_Click() {
    game.bombBurstBase = 4;
}

} // namespace kelvarn
