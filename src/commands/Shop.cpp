#include "display/Form1Logic.h"

namespace kelvarn {

void Form1Logic::ammo_Click() {}
void Form1Logic::bl_Click() {}
void Form1Logic::shirt_Click() {}
void Form1Logic::spee_Click() {}
void Form1Logic::speedsuper_Click() {}
void Form1Logic::shanbi_Click() {}
void Form1Logic::yuhui_Click() {}

} // namespace kelvarn
