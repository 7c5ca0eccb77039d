#include "display/Form1Logic.h"

namespace kelvarn {

void Form1Logic::pause() {}
void Form1Logic::unpause() {}
void Form1Logic::Timer2_Timer() {}
void Form1Logic::Timer3_Timer() {}

} // namespace kelvarn
