#include "display/Form1Logic.h"

namespace kelvarn {

void Form1Logic::menuTitle_Click() {}
void Form1Logic::restart_Click() {}
void Form1Logic::m3_Click() {}
void Form1Logic::picexit_Click() {}
void Form1Logic::mhero_Click() {}
void Form1Logic::h_Click() {}
void Form1Logic::fg_Click() {}
void Form1Logic::renew_Click() {}

} // namespace kelvarn
