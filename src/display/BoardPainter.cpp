#include "display/Form1Logic.h"

namespace kelvarn {

void Form1Logic::Pb() {}

} // namespace kelvarn
