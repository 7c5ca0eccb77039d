#include "commands/MenuCommands.h"
#include "scores/Maker.h"

namespace kelvarn {

void MenuCommands::site_Click() {
    game.openLink(maker::HomePage);
}
void MenuCommands::update_Click() {
    game.openLink(maker::HomePage);
}
void MenuCommands::mail_Click() {
    game.openLink(maker::HomePage);
}
void MenuCommands::Label1_Click() {
    game.openLink(maker::HomePage);
}

} // namespace kelvarn
