// The main window as data: its caption, size and place, the board and the three labels below it,
// the underline of the address label, the exit label's colours and the board's text font. The Qt
// and the Win32 main window are both built from these.
#pragma once

#include "platform/WindowLayout.h"

namespace kelvarn {

// Form1: "MainBoard" (the play field in its sunken border), "Label1" (the home page address),
// "TXT" (the studio's name), "picexit" (the exit label) and "Shape1" (the red underline of the
// address, hidden at start).
const WindowLayout& form1Layout();

// The exit label's text colours, as the pointer moves over it and presses it.
struct ExitLabelColours {
    static constexpr Rgb rest{255, 128, 128};    // after loading, and over the background or board
    static constexpr Rgb hover{255, 255, 192};   // while the pointer moves over the label
    static constexpr Rgb pressed{128, 255, 128}; // when a button goes down on it, and comes up
};

// The font of the status lines printed on the board.
const FontSpec& boardTextFont();

} // namespace kelvarn
