// Links open in the user's browser through the shell (ShellExecuteW "open"); a failure (no
// browser, no association) is silent.
#pragma once

#include "platform/Services.h"

namespace kelvarn {

class Win32LinkOpener : public LinkOpener {
  public:
    void openLink(const std::string& address) override;
};

} // namespace kelvarn
