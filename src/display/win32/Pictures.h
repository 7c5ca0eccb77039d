// The game's pictures, compiled into the program as resources: every picture of assets/pictures
// is a PNG stored as RCDATA under its file name without ".png" ("sss", "MainBoard", ...), decoded
// with the Windows Imaging Component.
#pragma once

#include <windows.h>

#include "display/Sprites.h"
#include "platform/Surface.h"

namespace kelvarn {

// The picture resource named `name` ("sss") as a surface; an empty surface when there is none or
// it cannot be decoded. COM must be initialised on the calling thread.
Surface loadPicture(const wchar_t* name);

// Every sprite of the main window and the board's background. A picture that is missing, or that
// does not have the size the painter and the hit tests rely on, is replaced by the plain picture
// of the right size from Sprites::placeholders().
Sprites loadSprites();

// A device-independent bitmap holding `picture` (for menu item pictures); null when `picture` is
// empty. The caller deletes it.
HBITMAP bitmapFromSurface(const Surface& picture);

} // namespace kelvarn
