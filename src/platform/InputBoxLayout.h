// The input box as data, the same box on every desktop that builds its own: the prompt at the
// top left, "确定" and "取消" one above the other at the right, and the text field along the
// bottom. Places are in twips within the box's inner area (15 twips to a pixel at 96 dpi).
#pragma once

#include "platform/WindowLayout.h"

namespace kelvarn {

struct InputBoxLayout {
    int width = 0, height = 0; // the inner area
    TwipsRect prompt;          // wraps within its width
    TwipsRect ok;              // the default button: Enter presses it
    TwipsRect cancel;          // Esc and the title bar's close button press it
    TwipsRect field;
    FontSpec font;
    const char* okText = nullptr;
    const char* cancelText = nullptr;
};

const InputBoxLayout& inputBoxLayout();

} // namespace kelvarn
