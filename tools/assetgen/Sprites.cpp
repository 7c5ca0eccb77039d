#include "Sprites.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "PixelArt.h"

namespace assetgen {

Pixmap vesselFacingLeft() {
    // A pink-violet frigate: forward gun, bridge with a lit window band and a radar mast, a raked
    // funnel, an aft launcher and an ensign; the red boot-top is the waterline.
    return fromArt(
        {
            ".......................y",
            ".....................kkkkk",
            "....................kkkkkkk.k..kkkk",
            "..................kkpppppppkqkkggggkkkk",
            ".................kqpcwcwcwcpqkkpqqqkpppk",
            ".kkk........kkkk.kppppppppppqqqqqqqpppppkkk..g.kf",
            "khhhkkgggggkhGGGkkppppppppppqqqqqqqqqqqqkGGkg..kf",
            "khhhhhhhhkkgGGGGGkqqqqqqqqqqqqqqqqqqqqqqkGGGkkkk",
            ".khhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhk",
            "..klllllllllllllllllllllllllllllllllllllllllllllk",
            "...kmmmmmmmmwmmmmwmmmmwmmmmwmmmmwmmmmwmmmmwmmmmmk",
            "....kddddddddddddddddddddddddddddddddddddddddddk",
            ".....kkrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrkk",
            ".......kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk",
        },
        {{'k', 0x3A1442},
         {'d', 0x7A2E86},
         {'m', 0xA8469E},
         {'l', 0xCC64BE},
         {'h', 0xEC98DC},
         {'p', 0xE0B4EA},
         {'q', 0xB488C6},
         {'w', 0x2A2450},
         {'c', 0x70D8F8},
         {'g', 0x584868},
         {'G', 0x8C7CA0},
         {'r', 0x8A2040},
         {'y', 0xFFE060},
         {'f', 0xFF4070}});
}

Pixmap shellDrawing() {
    // A depth charge: a steel drum with yellow bands, readable as a stock icon on the sky too.
    return fromArt(
        {
            ".kkkk.",
            "kyYYyk",
            "kghGgk",
            "kgGGdk",
            "kyYYyk",
            ".kkkk.",
        },
        {{'k', 0x1E1E2A},
         {'y', 0xC89020},
         {'Y', 0xF0C040},
         {'g', 0x586070},
         {'G', 0x8890A0},
         {'h', 0xC0C8D8},
         {'d', 0x3A4050}});
}

Pixmap planeFlyingLeft() {
    // A grey bomber with a magenta belly, a spinning propeller and a bomb under the wing.
    return fromArt(
        {
            ".................................kkk",
            "................................khlmk",
            ".P.............................khllmk",
            ".P........kkkkk...............khlllmk",
            ".P.......kcCccck.............khllllmk",
            ".P....kkkcCCcccckkkkkkkkkkkkkhlllllmk",
            ".p...khhhhhhhhhhhhhhhhhhhhhhhhhhhhkkk",
            ".p..khllllllllllllllllllryllllllllhhhkkk",
            ".psshlmmmmmmmmmmmmmmmmmmrrmMMMMNlllllllk",
            ".psslmmmmmmmhhhhhhhhhhhhhhhhNNNkkMMMMMMk",
            ".p.kNMMMMMMMMggggggggggggggkkkk..kkkkkkk",
            ".p..kNNNNNNNNNNNNNNNNNNkkkk",
            ".P...kkkkkkkkkkkkkkddddk",
            ".P.................kddk",
            ".P..................kk",
            ".P",
        },
        {{'k', 0x2A2A34},
         {'h', 0xD8DCE4},
         {'l', 0xB4B8C4},
         {'m', 0x8C90A0},
         {'M', 0xC040B0},
         {'N', 0x8A2A86},
         {'c', 0x60D0F0},
         {'C', 0xC8F4FF},
         {'g', 0x5C6070},
         {'d', 0x303038},
         {'p', 0xA8ACB8},
         {'P', 0x787C88},
         {'s', 0xE0C040},
         {'r', 0xE03050},
         {'y', 0xF0F070}});
}

Pixmap planeFlyingRight() {
    Pixmap out(42, 21);
    out.stamp(planeFlyingLeft().mirrored(), 1, 1);
    return out;
}

namespace {

constexpr std::initializer_list<Ink> TealHull = {{'k', 0x0C2C34}, {'h', 0x8CE0D4}, {'l', 0x4CB8AC},
                                                 {'m', 0x2A8C88}, {'d', 0x1C6468}, {'D', 0x134A50},
                                                 {'p', 0x9CC8C4}, {'P', 0x506C70}};

const std::vector<const char*> LeftSubmarineArt = {
    "...................P..k",
    "................kkkkkkkkk",
    "...............khhhhhhhhhk",
    "..........kkkkkhlllllllllmk........................kkkk",
    ".........kmmmmhllllllllllmk.......................kmmmmk",
    ".....kkkkkkkkkhlllllllllllmkkkkkkkkkkkkkkkkkkkk...kmmmmk",
    "...kkhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhkkkkmmmmk",
    "..khhlllllllllllllllllllllllllmlllmlllmlllmllllhhhhmmmmk",
    ".khllllllllllllllllllllllllllllllllllllllllllllllllhhhhk..p",
    "khlllmmmkkmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmllllllllhk.p",
    "kmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmkkP",
    "kdmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmddddddddkP",
    "kDdddddddddddddddddddddddddddddddddddddddddddddddddddddDk.p",
    ".kDddddddddddddddddddddddddddddddddddddddddddddddddDDDDk..p",
    "..kDDddddddddddddddddddddddddddddddddddddddddddDDDDddddk",
    "...kkDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDkkkkddddk",
    ".....kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk...kddddk",
    "...................................................kkkk",
};

const std::vector<const char*> RightSubmarineArt = {
    "..........................................kkkkkk",
    ".........................................khhhhhhk",
    "........................................kmllllllhk",
    ".......................................kmlllllllhk....k",
    "..........kkk.........................kmlllllllllhk..kmkkkkk",
    ".........kmmmk.......kkkkkkkkkkkkkkkkkmllllllllllhkkkmmmkk",
    ".........kmmmk...kkkkhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhkk",
    ".........kmmmkkkkhhhhllllllmllmllmllmlllllllllllllllllllllhhk",
    ".....p....kkkhhhhlllllllllllllllllllllllllllllllllllllllllllhk",
    ".....p...khhhllllllllmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmlllk",
    ".....Pkkkhmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmhk",
    ".....Pkddddddddmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    ".....p.kkkDDDddrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrmmmmmk",
    ".....p....kkkDDDDddddddddddddddddddddddddddddddddddddddddddddDk",
    ".........kdddkkkkDDDDdddddddddddddddddddddddddddddddddddddddDk",
    ".........kdddk...kkkkDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDk",
    ".........kdddk.......kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk",
    "..........kkk",
};

constexpr std::initializer_list<Ink> GreyHull = {{'k', 0x22262C}, {'h', 0xC4CCD4}, {'l', 0x98A2AC},
                                                 {'m', 0x747E8A}, {'d', 0x565E68}, {'D', 0x40464E},
                                                 {'p', 0xB0B8C0}, {'P', 0x5A626C}, {'r', 0x8A3A3A}};

} // namespace

Pixmap submarineMovingLeft() {
    // Bow on the left, the sail over the front half of the hull.
    Pixmap art = fromArt(LeftSubmarineArt, TealHull);
    Pixmap out(62, 20);
    out.stamp(art, 0, 0);
    return out;
}

Pixmap submarineMovingRight() {
    // Bow on the right, the tower and the deck gun over the front half, a red boot stripe.
    Pixmap art = fromArt(RightSubmarineArt, GreyHull);
    Pixmap out(63, 19);
    out.stamp(art, 0, 0);
    return out;
}

namespace {

// Wrecks are the submarines themselves, broken in two and turned grey. Each half is cut along a
// jagged line (the cut edge drawn dark), turned and laid into the wreck picture.
struct Half {
    Pixmap pixels;
    double pivotX, pivotY; // the point on the cut the half turns about
};

Argb wreckGrey(Argb c) {
    const double lum = (0.30 * red(c) + 0.59 * green(c) + 0.11 * blue(c)) / 255.0;
    // Dark, slightly cold greys: 0x24282C .. 0x90969C.
    const double t = std::clamp((lum - 0.08) / 0.75, 0.0, 1.0);
    const double steps = std::round(t * 4.0) / 4.0; // five tones, hard edges
    return mix(opaque(0x34383E), opaque(0x8E949A), steps);
}

constexpr Argb WreckEdge = opaque(0x1E2226);

Half cutHalf(const Pixmap& sub, int cutX, bool leftHalf) {
    // The cut wanders a pixel or two left and right from row to row.
    static constexpr std::array<int, 20> jag = {0,  1,  1, 0, -1, 0,  1, 2, 1, 0,
                                                -1, -1, 0, 1, 0,  -1, 0, 1, 1, 0};
    Pixmap out(sub.width(), sub.height());
    for (int y = 0; y < sub.height(); ++y) {
        const int edge = cutX + jag[std::size_t(y) % jag.size()];
        for (int x = 0; x < sub.width(); ++x) {
            const Argb c = sub.at(x, y);
            if (!alpha(c) || (leftHalf ? x > edge : x <= edge)) {
                continue;
            }
            const bool onCut = leftHalf ? x == edge : x == edge + 1;
            out.set(x, y, onCut ? WreckEdge : opaque(wreckGrey(c)));
        }
    }
    return {out, double(cutX) + 0.5, 11.0};
}

Pixmap wreck(const Pixmap& sub, int cutX, double leftTurn, double rightTurn, int w, int h,
             double leftAt, double rightAt, double leftY, double rightY) {
    const Half left = cutHalf(sub, cutX, true);
    const Half right = cutHalf(sub, cutX, false);
    Pixmap out(w, h);
    out.stamp(rotated(right.pixels, rightTurn, right.pivotX, right.pivotY, w, h, rightAt, rightY),
              0, 0);
    out.stamp(rotated(left.pixels, leftTurn, left.pivotX, left.pivotY, w, h, leftAt, leftY), 0, 0);
    return out;
}

void bubbles(Pixmap& out, std::initializer_list<std::array<int, 3>> list) {
    // Small rising bubbles: a ring of pale blue with a bright fleck.
    const Argb rim = opaque(0x9CC8E8), fleck = opaque(0xD8F0FF);
    for (const auto& b : list) {
        const int x = b[0], y = b[1], size = b[2];
        if (size == 1) {
            out.set(x, y, rim);
            continue;
        }
        out.set(x + 1, y, rim);
        out.set(x, y + 1, rim);
        out.set(x + 2, y + 1, rim);
        out.set(x + 1, y + 2, rim);
        out.set(x + 1, y + 1, Clear);
        out.set(x + 2, y, fleck);
    }
}

} // namespace

Pixmap wreckOfLeftSubmarine() {
    // The bow half dives nose first; the stern half sags after it.
    Pixmap out = wreck(submarineMovingLeft(), 29, -24.0, 10.0, 63, 32, 29.0, 33.5, 15.0, 14.0);
    bubbles(out, {{{27, 1, 3}}, {{32, 4, 1}}, {{24, 5, 1}}, {{35, 0, 1}}});
    return out;
}

Pixmap wreckOfRightSubmarine() {
    Pixmap out = wreck(submarineMovingRight(), 33, -10.0, 26.0, 67, 36, 31.5, 36.0, 14.0, 15.0);
    bubbles(out, {{{33, 1, 3}}, {{29, 5, 1}}, {{38, 3, 1}}, {{31, 0, 1}}});
    return out;
}

namespace {

// The fireball's colours from the hottest to the coolest, then smoke.
constexpr std::array<Argb, 8> FireRamp = {opaque(0xFFFFFF), opaque(0xFFF4A0), opaque(0xFFD23C),
                                          opaque(0xFF9420), opaque(0xE8501C), opaque(0xC02418),
                                          opaque(0x781418), opaque(0x3E2A2E)};

// A 4 x 4 ordered dither, so that bands of heat meet in a crisp pixel pattern.
double bayer(int x, int y) {
    static constexpr int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5) / 16.0;
}

struct Blast {
    double radius;  // outer edge of the flame
    double hollow;  // 0: solid core; toward 1 the centre burns out
    double heat;    // how far up the ramp the core reaches
    double ragged;  // how much the edge and the inside break up
    double smoke;   // share of the cooling flame that turns to smoke
    double density; // share of the cloud still standing; below 1 it tears into clumps
    std::uint32_t seed;
};

Pixmap drawBlast(const Blast& b, int w, int h) {
    Pixmap out(w, h);
    const double cx = 32.5, cy = 28.5;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double d = std::sqrt(dx * dx + dy * dy);
            const double angle = std::atan2(dy, dx);
            // The edge: lobes around the rim plus fine turbulence.
            const double lobes =
                valueNoise(std::cos(angle) * 2.2 + 5.0, std::sin(angle) * 2.2 + 5.0, b.seed);
            const double edge = b.radius * (0.78 + 0.44 * lobes);
            const double turb = fractalNoise(x / 7.0, y / 7.0, 3, b.seed + 17u);
            double t = 1.0 - d / edge; // 1 at the centre, 0 at the rim
            t += (turb - 0.5) * b.ragged;
            if (b.hollow > 0.0) {
                const double ring = 1.0 - std::abs(d / edge - 0.62) / 0.45;
                t = t * (1.0 - b.hollow) + ring * b.hollow + (turb - 0.5) * b.ragged;
            }
            if (t <= 0.0 || fractalNoise(x / 4.0, y / 4.0, 2, b.seed + 5u) > b.density) {
                continue;
            }
            // Heat: hottest in the middle of t, so the ramp runs from the rim inwards.
            double level = (1.0 - std::min(1.0, t * b.heat)) * 6.0; // 0 white .. 6 dark red
            level += bayer(x, y) - 0.5;
            int index = std::clamp(int(std::floor(level + 0.5)), 0, 6);
            const double spark = hashNoise(x, y, b.seed + 99u);
            if (index >= 4 && spark < b.smoke) {
                index = index == 4 ? 6 : 7;
            } else if (spark > 0.985) {
                index = std::max(1, index - 3); // a glowing ember
            }
            out.set(x, y, FireRamp[std::size_t(index)]);
        }
    }
    return out;
}

} // namespace

Pixmap fireball(int k, int w, int h) {
    // 0: the burst, 1: the peak, 2: burning out, 3: embers and smoke.
    static constexpr std::array<Blast, 4> blasts = {{
        {15.0, 0.0, 2.4, 0.35, 0.0, 1.0, 11u},
        {25.0, 0.0, 1.9, 0.45, 0.1, 1.0, 23u},
        {27.0, 0.4, 1.05, 0.6, 0.3, 0.8, 37u},
        {28.0, 0.8, 0.45, 0.9, 0.7, 0.52, 41u},
    }};
    return drawBlast(blasts[std::size_t(std::clamp(k, 0, 3))], w, h);
}

Pixmap smallFireball(int w, int h) {
    return drawBlast({9.0, 0.0, 2.2, 0.3, 0.0, 1.0, 53u}, w, h);
}

} // namespace assetgen
