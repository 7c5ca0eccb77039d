#include "display/Form1Logic.h"

namespace kelvarn {

void Form1Logic::black_Click() {}
void Form1Logic::blue_Click() {}
void Form1Logic::green_Click() {}
void Form1Logic::yellow_Click() {}
void Form1Logic::grey_Click() {}
void Form1Logic::wordblue_Click() {}
void Form1Logic::vv_Click() {}
void Form1Logic::fd_Click() {}
void Form1Logic::asghhj_Click() {}
void Form1Logic::addgf_Click() {}

} // namespace kelvarn
