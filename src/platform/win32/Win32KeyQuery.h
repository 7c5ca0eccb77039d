// The keyboard on Windows: GetAsyncKeyState, whose "down now" and "pressed since the last query"
// bits are exactly the key query's contract. Windows repeats a held key with key-downs alone, so
// no release is ever held back here. The game's key codes are the virtual-key codes.
//
// Keys count only while a window of this program is in the foreground, as on Linux, where the
// game sees only the keys sent to it: typing elsewhere never steers the vessel. The query is
// made all the same, so that a press from then does not linger.
//
// The "pressed since" bit of GetAsyncKeyState is not to be relied on: it is one bit for the whole
// desktop, and any program that asks about the key clears it. A space bar held down and then let
// go is down no more when its release is handled, so that press would be lost with the bit. The
// key-downs that reach the program's own windows (a held key repeats them) are therefore noted
// here as well, and a press counts until the key is next asked about.
#pragma once

#include <array>

#include "platform/Services.h"

namespace kelvarn {

class Win32KeyQuery : public KeyQuery {
  public:
    bool keyPressed(int key) override;
    // A WM_KEYDOWN or WM_SYSKEYDOWN for one of the program's windows, with its virtual-key code.
    void keyWentDown(int key);

  private:
    std::array<bool, 256> pressedSince_{};
};

} // namespace kelvarn
