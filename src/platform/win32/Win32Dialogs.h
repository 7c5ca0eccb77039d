// Message and input boxes on Windows, modal over the main window while it lives. The message box
// is the system's own (MessageBoxW) with the game's button captions; the input box is ours,
// built from the toolkit-free input box layout. `onClosed` runs after each box, so that the frame
// driver can go on.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/Services.h"

namespace kelvarn {

class Win32Dialogs : public Dialogs {
  public:
    std::function<HWND()> owner;
    std::function<void()> onClosed;
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& text = {}) override;

    // The input box's control identifiers besides IDOK and IDCANCEL.
    static constexpr int PromptId = 100;
    static constexpr int FieldId = 101;
};

// Dots per inch of the monitor a window is on (96 where the system cannot say); defined with the
// layout builder.
int windowDpi(HWND window);

} // namespace kelvarn
