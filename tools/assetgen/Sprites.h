// The drawings of the main window's sprites, each on a transparent ground with its top-left corner
// where the painter puts the object's position. Catalogue.cpp turns each into its two pictures.
#pragma once

#include "Pixmap.h"

namespace assetgen {

Pixmap vesselFacingLeft();      // 49 x 15, hull on the sea line
Pixmap shellDrawing();          // 6 x 6, the drawing of both the sinking shell and the stock icon
Pixmap planeFlyingLeft();       // 40 x 19
Pixmap planeFlyingRight();      // 42 x 21
Pixmap submarineMovingLeft();   // 62 x 20, teal, tower forward
Pixmap submarineMovingRight();  // 63 x 19, grey, tower forward (on the right)
Pixmap wreckOfLeftSubmarine();  // 63 x 32
Pixmap wreckOfRightSubmarine(); // 67 x 36
// Explosion picture k (0 to 3) inside w x h, and the small fireball that is never shown.
Pixmap fireball(int k, int w, int h);
Pixmap smallFireball(int w, int h);

} // namespace assetgen
