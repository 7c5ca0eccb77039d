// Links open in the desktop's browser.
#pragma once

#include "platform/Services.h"

namespace kelvarn {

class QtLinkOpener : public LinkOpener {
  public:
    void openLink(const std::string& address) override;
};

} // namespace kelvarn
