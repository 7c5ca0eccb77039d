// How the X11 display repeats a held key. Without help it sends a release and a press for every
// repeat, and a release must wait to be told apart from a real one; the server can be asked
// (XKB's detectable auto-repeat) to repeat with presses alone.
#pragma once

namespace kelvarn {

// Whether key releases must be held back to be paired with a repeat's press: true on X11 (xcb)
// unless the server agrees, when asked here, to send only real releases (only a build with
// xcb-xkb can ask). Needs the application object.
bool keyReleasesNeedHoldingBack();

} // namespace kelvarn
