// Every picture and sound of the game, in a fixed order, with the names the program loads them by.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Pixmap.h"

namespace assetgen {

enum class Ground {
    White,       // sprite picture on exact white: AND-ed into a white layer
    Black,       // sprite picture on exact black: OR-ed into the black sprite layer
    Opaque,      // a whole picture (backgrounds, the logo), stored as 24-bit RGB
    Transparent, // menu pictures and icons, stored with an alpha channel
};

struct Picture {
    std::string name; // file name without ".png"
    Ground ground;
    Pixmap pixels;
};

struct Sound {
    std::string name;                  // file name without ".wav"
    std::vector<std::int16_t> samples; // mono, 22050 Hz
};

inline constexpr int SampleRate = 22050;

// Builds every picture; throws std::runtime_error when a sprite breaks the two-background form
// (a drawing pixel outside the area both pictures of its pair share, near-white or near-black
// drawing colours, or a drawing larger than the cell it is shown in).
std::vector<Picture> makePictures();
// The desktop icon (the main window's warship) at the hicolor sizes 16, 32, 48, 64, 128 and 256,
// named "kelvarn<size>". The larger ones are the 16 or 32 pixel drawing enlarged by a whole
// factor with nearest neighbour, so the pixel art stays crisp.
std::vector<Picture> makeDesktopIcons();
std::vector<Sound> makeSounds();

// The pair rule every sprite obeys: a drawing colour is exact white, exact black, or clearly
// apart from both (some channel at most 223 and some channel at least 32), so that nothing in a
// white-background picture looks like background but is solid to the hit tests, and nothing in a
// black-background picture looks like background but adds colour.
bool isClearDrawingColour(std::uint32_t rgb);

} // namespace assetgen
