#include "display/Form1Logic.h"

namespace kelvarn {

void Form1Logic::DoK() {}
void Form1Logic::Form_KeyDown() {}
void Form1Logic::Form_KeyUp(int) {}

} // namespace kelvarn
