#include "scores/win32/frmSplash.h"

#include "scores/WindowLayouts.h"

namespace kelvarn {

frmSplash::frmSplash(PictureLoader pictures)
    : SmallWindow(frmSplashLayout(), std::move(pictures)) {}

} // namespace kelvarn
