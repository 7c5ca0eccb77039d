// The keyboard on Windows: GetAsyncKeyState, whose "down now" and "pressed since the last query"
// bits are exactly the key query's contract. Windows repeats a held key with key-downs alone, so
// no release is ever held back here. The game's key codes are the virtual-key codes.
//
// Keys count only while a window of this program is in the foreground, as on Linux, where the
// game sees only the keys sent to it: typing elsewhere never steers the vessel. The query is
// made all the same, so that a press from then does not linger.
#pragma once

#include "platform/Services.h"

namespace kelvarn {

class Win32KeyQuery : public KeyQuery {
  public:
    bool keyPressed(int key) override;
};

} // namespace kelvarn
