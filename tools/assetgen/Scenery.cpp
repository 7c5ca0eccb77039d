#include "Scenery.h"

#include <algorithm>
#include <cmath>

#include "PixelArt.h"
#include "Sprites.h"

namespace assetgen {

namespace {

// Colours as doubles 0..255 while a picture is being worked out.
struct Rgb {
    double r = 0, g = 0, b = 0;
};
Rgb rgbOf(std::uint32_t hex) {
    return {double((hex >> 16) & 0xFF), double((hex >> 8) & 0xFF), double(hex & 0xFF)};
}
Rgb lerp(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Argb toArgb(Rgb c) {
    return rgba(c.r / 255.0, c.g / 255.0, c.b / 255.0);
}
double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}
double smoothstep(double a, double b, double v) {
    const double t = clamp01((v - a) / (b - a));
    return t * t * (3.0 - 2.0 * t);
}

// ---- the board ----

constexpr int SeaLine = 115; // first row of the change from sky to sea
constexpr int SeaTop = 119;  // first row of open water

Rgb skyColour(double x, double y) {
    const Rgb top = rgbOf(0x4AA6E6), horizon = rgbOf(0xA6EEF6);
    Rgb c = lerp(top, horizon, std::pow(clamp01(y / double(SeaLine)), 0.8));
    // A warm glow where the sun stands, top right.
    const double dx = x - 370.0, dy = y - 18.0;
    const double glow = std::exp(-(dx * dx + dy * dy) / (2.0 * 60.0 * 60.0));
    c = lerp(c, rgbOf(0xFFF6D8), glow * 0.55);
    return c;
}

// How much cloud covers a point of the sky, 0..1.
double cloudCover(double x, double y) {
    // Two layers of cumulus, flattened along the horizon, thinning toward the sea.
    const double n = fractalNoise(x / 64.0, y / 20.0, 5, 901u);
    const double band = smoothstep(4.0, 26.0, y) * (1.0 - smoothstep(70.0, 104.0, y));
    return smoothstep(0.50, 0.62, n * (0.55 + 0.55 * band));
}

Rgb seaColour(double x, double y) {
    const double depth = clamp01((y - SeaTop) / double(361 - SeaTop));
    const Rgb top = rgbOf(0xB094E2), mid = rgbOf(0x7048B0), deep = rgbOf(0x24104C);
    Rgb c = depth < 0.45 ? lerp(top, mid, depth / 0.45) : lerp(mid, deep, (depth - 0.45) / 0.55);
    // Slanting light rays from the surface, fading with depth.
    const double ray = valueNoise((x + y * 0.42) / 23.0, 3.0, 77u);
    c = lerp(c, rgbOf(0xE0D0FF), std::pow(ray, 4.0) * 0.22 * (1.0 - depth));
    // Long low swells near the surface.
    const double swell = fractalNoise(x / 48.0, y / 3.2, 3, 313u);
    const double nearTop = 1.0 - smoothstep(0.0, 0.22, depth);
    c = lerp(c, rgbOf(0xE8DCFF), smoothstep(0.62, 0.74, swell) * 0.35 * nearTop);
    c = lerp(c, rgbOf(0x5A3A9A), smoothstep(0.62, 0.76, 1.0 - swell) * 0.18 * nearTop);
    // Faint caustic shimmer lower down.
    const double caustic = fractalNoise(x / 14.0, y / 9.0, 2, 555u);
    c = lerp(c, rgbOf(0x9A80D8), smoothstep(0.66, 0.8, caustic) * 0.12 * depth);
    return c;
}

// Height of the sea floor (its top row) at column x.
double seaFloorTop(double x) {
    return 347.0 + fractalNoise(x / 40.0, 0.5, 3, 4242u) * 12.0 - 4.0;
}

Rgb seaFloorColour(double x, double y, double top) {
    const double n = hashNoise(int(x), int(y), 31u);
    Rgb c = lerp(rgbOf(0x4C3464), rgbOf(0x2E1E40), clamp01((y - top) / 10.0));
    if (n > 0.93) {
        c = lerp(c, rgbOf(0x8A6EA0), 0.6);
    }
    return c;
}

} // namespace

Pixmap boardBackground() {
    const int w = 442, h = 361;
    Pixmap out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            Rgb c;
            if (y < SeaLine) {
                c = skyColour(px, py);
                const double cover = cloudCover(px, py);
                if (cover > 0.0) {
                    // Lit from above: a cloud point with more cloud just above it is in shade.
                    const double above = cloudCover(px + 2.0, py - 3.0);
                    const double shade = clamp01((above - cover) * 1.6 + 0.35 * (py / 110.0));
                    const Rgb cloud = lerp(rgbOf(0xFFFFFF), rgbOf(0xC6D6EC), shade);
                    c = lerp(c, cloud, cover);
                }
                // Distant hills on the horizon, blue with haze.
                const double hill =
                    108.0 - 9.0 * smoothstep(0.35, 0.75, fractalNoise(px / 55.0, 9.5, 3, 71u));
                if (py > hill && x > 250) {
                    c = lerp(c, rgbOf(0x7EB6D6), 0.55);
                }
            } else if (y < SeaTop) {
                // The sea line: four rows from the cyan horizon into the violet water.
                const double t = (y - SeaLine + 1) / 5.0;
                c = lerp(rgbOf(0x9AE4F0), seaColour(px, double(SeaTop)), t);
                if (y == SeaLine + 1) {
                    c = lerp(c, rgbOf(0xF0F8FF), 0.35); // a glint along the line
                }
            } else {
                const double floorTop = seaFloorTop(px);
                c = py >= floorTop ? seaFloorColour(px, py, floorTop) : seaColour(px, py);
            }
            out.set(x, y, toArgb(c));
        }
    }
    // Weed on the sea floor: thin swaying stalks.
    for (int i = 0; i < 26; ++i) {
        const double x0 = 6.0 + i * 17.0 + hashNoise(i, 1, 808u) * 9.0;
        const int height = 6 + int(hashNoise(i, 2, 808u) * 16.0);
        const double base = std::floor(seaFloorTop(x0)) + 2.0;
        const Rgb stalk = lerp(rgbOf(0x2E6A6A), rgbOf(0x4A9A84), hashNoise(i, 3, 808u));
        for (int k = 0; k < height; ++k) {
            const double sway = std::sin(k / 3.0 + i) * 1.4 * (k / double(height));
            const int x = int(std::floor(x0 + sway)), y = int(base) - k;
            out.blend(x, y, toArgb(stalk), 0.85);
        }
    }
    return out;
}

// ---- the list window ----

Pixmap listBackground() {
    const int w = 359, h = 550;
    Pixmap out(w, h);
    // The submarine's axis runs from its bow (upper left) to its stern (lower right).
    const double bx = 120.0, by = 70.0, sx = 300.0, sy = 520.0;
    const double ax = sx - bx, ay = sy - by;
    const double len = std::sqrt(ax * ax + ay * ay);
    const double ux = ax / len, uy = ay / len;
    const double halfBeam = 31.0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            // Deep night-blue water with a slow ripple.
            const double ripple = fractalNoise(px / 30.0, py / 18.0, 4, 1201u);
            Rgb c = lerp(rgbOf(0x06141E), rgbOf(0x123448), ripple);
            const double glint = fractalNoise(px / 9.0, py / 5.0, 2, 1301u);
            c = lerp(c, rgbOf(0x2A5A70), smoothstep(0.70, 0.82, glint) * 0.35);

            // Position along the hull (0 at the bow, 1 at the stern) and across it.
            const double along = ((px - bx) * ux + (py - by) * uy) / len;
            const double across = (px - bx) * -uy + (py - by) * ux;
            // Hull outline: a long body with a rounded bow and a tapering stern.
            double beam = halfBeam;
            if (along < 0.08) {
                beam *= std::sqrt(clamp01(along / 0.08));
            } else if (along > 0.7) {
                beam *= 1.0 - 0.75 * std::pow((along - 0.7) / 0.3, 1.4);
            }
            const double edge = std::abs(across) - beam;
            // Foam: a bow wave, two wings of wake and churned water where the hull breaks through.
            const double foamNoise = fractalNoise(px / 7.0, py / 7.0, 3, 1401u);
            double foam = 0.0;
            if (along > -0.08 && along < 1.1) {
                const double wake = std::abs(std::abs(across) - (beam + 6.0 + along * 30.0));
                foam += smoothstep(9.0, 0.0, wake) * 0.55 * smoothstep(-0.08, 0.05, along);
                foam += smoothstep(14.0, 0.0, edge) * 0.45;
                // The bow wave: white water piling up where the bow breaks the surface.
                foam += smoothstep(0.22, 0.0, along) * smoothstep(22.0, 0.0, edge) * 0.5;
            }
            foam *= smoothstep(0.35, 0.75, foamNoise);
            c = lerp(c, rgbOf(0x6A8E9C), clamp01(foam));

            if (edge < 0.0 && along > 0.0 && along < 1.0) {
                // The hull: dark, wet, lit from the upper left along its spine.
                const double side = across / beam; // -1 .. 1
                const double light = clamp01(0.55 - side * 0.45);
                Rgb hull = lerp(rgbOf(0x0A1014), rgbOf(0x2C3A40), light * light);
                // Water still washing over the deck toward the stern.
                const double wash =
                    smoothstep(0.45, 0.9, along) *
                    smoothstep(0.4, 0.7, fractalNoise(px / 12.0, py / 6.0, 3, 1501u));
                hull = lerp(hull, rgbOf(0x163444), wash * 0.8);
                // A line of deck hatches along the spine.
                if (std::abs(across) < 2.0 && std::fmod(along * 40.0, 1.0) < 0.12) {
                    hull = lerp(hull, rgbOf(0x3C4A50), 0.6);
                }
                const double soft = smoothstep(0.0, 1.5, -edge);
                c = lerp(c, hull, soft);
            }
            // Stern planes: a cross of fins at the tail, half awash.
            const double tailAlong = (along - 0.93) * len;
            if (std::abs(tailAlong) < 5.0 && std::abs(across) < 26.0 && edge > -2.0) {
                c = lerp(c, rgbOf(0x0C1418), 0.7);
            }
            // The sail, a rounded oblong a third of the way back, with its planes.
            const double sailAlong = (along - 0.28) * len, sailAcross = across;
            const double sail =
                (sailAlong / 40.0) * (sailAlong / 40.0) + (sailAcross / 13.0) * (sailAcross / 13.0);
            if (std::abs(sailAlong + 14.0) < 3.5 && std::abs(sailAcross) < 27.0 &&
                std::abs(sailAcross) > 10.0) {
                c = lerp(rgbOf(0x10181C), rgbOf(0x34444A), clamp01(0.5 - sailAcross / 54.0));
            }
            if (sail < 1.0) {
                const double light = clamp01(0.6 - sailAcross / 13.0 * 0.5);
                Rgb top = lerp(rgbOf(0x141C22), rgbOf(0x44545C), light);
                if (sail > 0.78) {
                    top = rgbOf(0x0A0E12); // its rim
                }
                c = top;
            }
            out.set(x, y, toArgb(c));
        }
    }
    return out;
}

// ---- the about window's logo ----

Pixmap aboutLogo() {
    const int w = 65, h = 27;
    Pixmap out(w, h);
    const int line = 16; // the vessel's hull meets the sea on this row
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Rgb c;
            if (y < line) {
                c = lerp(rgbOf(0x4AA6E6), rgbOf(0xA6EEF6), y / double(line));
            } else {
                c = lerp(rgbOf(0xB094E2), rgbOf(0x4A2A8A), (y - line) / double(h - line));
                if ((y - line) % 4 == 1 && std::fmod(x * 0.7 + y * 3.0, 9.0) < 4.0) {
                    c = lerp(c, rgbOf(0xE8DCFF), 0.35);
                }
            }
            out.set(x, y, toArgb(c));
        }
    }
    // A small cloud behind the mast.
    for (int y = 2; y < 9; ++y) {
        for (int x = 40; x < 62; ++x) {
            const double dx = (x - 51) / 10.0, dy = (y - 6) / 3.2;
            if (dx * dx + dy * dy < 1.0 && y < 8) {
                out.set(x, y, opaque(y < 6 ? 0xFFFFFF : 0xDCE8F4));
            }
        }
    }
    out.stamp(vesselFacingLeft(), 8, line - 11);
    // A depth charge on its way down.
    out.stamp(shellDrawing(), 33, 20);
    return out;
}

// ---- menu pictures ----

Pixmap pagePicture() {
    return fromArt(
        {
            "..kkkkkkkkkk.....",
            "..kyyyyyyyyYk....",
            "..kyllllllyYYk...",
            "..kyyyyyyyykkkk..",
            "..kyllllllllyyk..",
            "..kyyyyyyyyyyyk..",
            "..kyllllllllyyk..",
            "..kyyyyyyyyyyyk..",
            "..kyllllllllyyk..",
            "..kyyyyyyyyyyyk..",
            "..kylllllllyyyk..",
            "..kyyyyyyyyyyyk..",
            "..kyllllllllyyk..",
            "..kyyyyyyyyyyyk..",
            "..kylllllyyyyyk..",
            "..kyyyyyyyyyyyk..",
            "..kkkkkkkkkkkkk..",
            ".................",
        },
        {{'k', 0x7A5A10}, {'y', 0xFFE070}, {'Y', 0xFFF4B8}, {'l', 0xB08A30}});
}

Pixmap questionPicture() {
    return fromArt(
        {
            "...kkkkkk...",
            "..kbBBBBbk..",
            ".kbBkkkkBbk.",
            ".kbbk..kBbk.",
            "..kk..kBbk..",
            ".....kBbk...",
            "....kBbk....",
            "....kbbk....",
            "....kbbk....",
            ".....kk.....",
            "............",
            ".....kk.....",
            "....kBbk....",
            "....kbbk....",
            ".....kk.....",
        },
        {{'k', 0x102A70}, {'b', 0x2A64E0}, {'B', 0x78B0FF}});
}

Pixmap arrowPicture() {
    return fromArt(
        {
            "........k......",
            "........kk.....",
            "........kPk....",
            "kkkkkkkkkPPk...",
            "kPPPPPPPPpPPk..",
            "kppppppppppppk.",
            "kddddddddpppk..",
            "kkkkkkkkkdpk...",
            "........kdk....",
            "........kk.....",
            "........k......",
        },
        {{'k', 0x80204A}, {'P', 0xFFB0D8}, {'p', 0xFF70B0}, {'d', 0xD04080}});
}

// ---- icons ----

namespace {

// A round badge: sky above, violet sea below, a dark rim; `seaRow` is where the sea starts.
Pixmap badge(int size, int seaRow) {
    Pixmap out(size, size);
    const double c = size / 2.0, r = size / 2.0 - 0.5;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = x + 0.5 - c, dy = y + 0.5 - c;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d > r) {
                continue;
            }
            Rgb col = y < seaRow ? lerp(rgbOf(0x58B4EA), rgbOf(0xB0F0F8), y / double(seaRow))
                                 : lerp(rgbOf(0x9A78D8), rgbOf(0x3A1E70),
                                        (y - seaRow) / double(size - seaRow));
            if (d > r - (size >= 32 ? 2.0 : 1.0)) {
                col = rgbOf(0x2A1040);
            }
            out.set(x, y, toArgb(col));
        }
    }
    return out;
}

} // namespace

Pixmap warshipIcon(int size) {
    if (size <= 16) {
        Pixmap out = badge(16, 9);
        out.stamp(fromArt(
                      {
                          "......k",
                          ".....kpk",
                          "..kkkpppkk",
                          "khhhhhhhhhhk",
                          ".kmmmmmmmmk",
                          "..kkkkkkkk",
                      },
                      {{'k', 0x3A1442}, {'p', 0xE0B4EA}, {'h', 0xEC98DC}, {'m', 0xA8469E}}),
                  2, 5);
        out.set(8, 12, opaque(0xF0C040));
        out.set(8, 13, opaque(0x1E1E2A));
        return out;
    }
    Pixmap out = badge(32, 18);
    const Pixmap ship = fromArt(
        {
            "...........y",
            "..........kkk",
            "..........k.....kk",
            ".......kkkkkk..kggk",
            "......kpcwcwpk.kqqk",
            ".kk.k.kppppppkkkqqkk",
            "khhkgkkppppppqqqqqqkk",
            "khhhhhhhhhhhhhhhhhhhhk",
            ".kllllllllllllllllllk",
            "..kmmmmmmmmmmmmmmmmk",
            "...krrrrrrrrrrrrrrk",
            "....kkkkkkkkkkkkkk",
        },
        {{'k', 0x3A1442},
         {'m', 0xA8469E},
         {'l', 0xCC64BE},
         {'h', 0xEC98DC},
         {'p', 0xE0B4EA},
         {'q', 0xB488C6},
         {'w', 0x2A2450},
         {'c', 0x70D8F8},
         {'g', 0x584868},
         {'r', 0x8A2040},
         {'y', 0xFFE060}});
    out.stamp(ship, 5, 7);
    out.stamp(shellDrawing(), 13, 22);
    return out;
}

Pixmap submarineIcon(int size) {
    if (size <= 16) {
        Pixmap out = badge(16, 4);
        out.stamp(fromArt(
                      {
                          "....kkk",
                          "...khhk",
                          ".kkkllkkkkkk.k",
                          "khlllllllllmkk",
                          "kmmmmmmmmmmmkk",
                          ".kkkkkkkkkkk.k",
                      },
                      {{'k', 0x0C2C34}, {'h', 0x8CE0D4}, {'l', 0x4CB8AC}, {'m', 0x2A8C88}}),
                  1, 7);
        out.set(7, 3, opaque(0xF0C040));
        out.set(7, 4, opaque(0x1E1E2A));
        return out;
    }
    Pixmap out = badge(32, 7);
    const Pixmap sub = fromArt(
        {
            ".........kkkkk",
            "........khhhhk",
            ".......khllllmk",
            "....kkkkhllllmkkkkkkkkkkkk...kk",
            "..kkhhhhhhhhhhhhhhhhhhhhhhkk.kmk",
            ".khlllllllllllllllllllllllllkkmk",
            "khllllllllllllllllllllllllllllhk",
            "kmmmmmmmmmmmmmmmmmmmmmmmmmmmmmkk",
            "kdddddddddddddddddddddddddddddk",
            ".kddddddddddddddddddddddddddkkmk",
            "..kkddddddddddddddddddddddkk.kk",
            "....kkkkkkkkkkkkkkkkkkkkkk",
        },
        {{'k', 0x0C2C34}, {'h', 0x8CE0D4}, {'l', 0x4CB8AC}, {'m', 0x2A8C88}, {'d', 0x1C6468}});
    out.stamp(sub, 0, 14);
    out.stamp(shellDrawing(), 13, 5);
    return out;
}

} // namespace assetgen
