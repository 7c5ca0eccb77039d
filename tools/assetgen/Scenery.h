// Whole pictures: the board's background, the list window's background, the about window's logo,
// the three menu pictures and the window icons.
#pragma once

#include "Pixmap.h"

namespace assetgen {

Pixmap boardBackground(); // 442 x 361: sky and clouds, the sea line at rows 115 to 118, the sea
Pixmap listBackground();  // 359 x 550: a submarine surfacing, seen from above, dark for the text
Pixmap aboutLogo();       // 65 x 27: the warship at sea
Pixmap pagePicture();     // 17 x 18: a yellow page with lines
Pixmap questionPicture(); // 12 x 15: a blue question mark
Pixmap arrowPicture();    // 15 x 11: a pink arrow pointing right
Pixmap warshipIcon(int size);   // 16 or 32: the main window's icon, also the desktop icon
Pixmap submarineIcon(int size); // 16 or 32: the help window's icon

} // namespace assetgen
