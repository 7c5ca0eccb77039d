// The game's pictures, compiled into the program as resources under ":/pictures/<name>.png".
#pragma once

#include <QImage>
#include <QString>

#include "display/Sprites.h"
#include "platform/Surface.h"

namespace kelvarn {

// Registers the picture resources. The program calls it once before loading any picture: the
// resources live in a static library, whose initialiser the linker would otherwise drop.
void initialiseResources();

// The picture named `name` ("sss", or "sss.png"); a null image when there is none.
QImage loadPicture(const QString& name);

// The picture as a surface: its colours, with any alpha dropped (a surface is opaque).
Surface surfaceFromImage(const QImage& image);

// Every sprite of the main window and the board's background. A picture that is missing, or
// that does not have the size the painter and the hit tests rely on, is replaced by the plain
// picture of the right size from Sprites::placeholders().
Sprites loadSprites();

} // namespace kelvarn
