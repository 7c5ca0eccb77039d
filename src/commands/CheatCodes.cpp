#include "display/Form1Logic.h"

namespace kelvarn {

void Form1Logic::miji_Click() {}

} // namespace kelvarn
