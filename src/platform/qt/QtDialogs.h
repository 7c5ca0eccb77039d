// Message and input boxes with the game's Chinese button captions.
#pragma once

#include <functional>

#include "platform/Services.h"

class QWidget;

namespace kelvarn {

// Message and input boxes, modal, over `parent()` (the main window while it lives). `onClosed`
// runs after each box, so that the frame driver can go on.
class QtDialogs : public Dialogs {
  public:
    std::function<QWidget*()> parent;
    std::function<void()> onClosed;
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& text = {}) override;
};

} // namespace kelvarn
