// The generator's own pixel operations: what they must never do to a sprite (invent colours,
// lose its edges, move it) and the colour rule every sprite is checked against.
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

#include "Catalogue.h"
#include "PixelArt.h"

namespace assetgen {
namespace {

std::set<Argb> colours(const Pixmap& p) {
    return {p.pixels().begin(), p.pixels().end()};
}

const Pixmap& sample() {
    // An asymmetric little shape with three inks, so that turns and mirrors show.
    static const Pixmap p = fromArt(
        {
            "kkkk",
            "kab",
            "kaab",
            "k",
        },
        {{'k', 0x202020}, {'a', 0xC04040}, {'b', 0x40C040}});
    return p;
}

TEST(PixelArt, TextRowsBecomePixelsAndShortRowsArePaddedTransparent) {
    const Pixmap& p = sample();
    ASSERT_EQ(p.width(), 4);
    ASSERT_EQ(p.height(), 4);
    EXPECT_EQ(p.at(0, 0), opaque(0x202020));
    EXPECT_EQ(p.at(2, 1), opaque(0x40C040));
    EXPECT_EQ(p.at(3, 1), Clear);
    EXPECT_EQ(p.at(1, 3), Clear);
    EXPECT_THROW(fromArt({"kx"}, {{'k', 0x202020}}), std::runtime_error);
}

TEST(PixelArt, TurningKeepsHardEdgesAndInventsNoColour) {
    const Pixmap& p = sample();
    // No turn: the very same pixels.
    const Pixmap same = rotated(p, 0.0, 2.0, 2.0, 4, 4, 2.0, 2.0);
    EXPECT_EQ(same.pixels(), p.pixels());
    // A quarter turn clockwise about the centre: the top row becomes the right column.
    const Pixmap quarter = rotated(p, 90.0, 2.0, 2.0, 4, 4, 2.0, 2.0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(quarter.at(3, i), p.at(i, 0)) << i;
    }
    // Any other angle: only the source's own colours (and transparency), never a blend.
    const std::set<Argb> allowed = colours(p);
    for (double angle : {-24.0, 10.0, 33.0}) {
        const Pixmap turned = rotated(p, angle, 2.0, 2.0, 8, 8, 4.0, 4.0);
        for (Argb c : colours(turned)) {
            EXPECT_TRUE(allowed.count(c)) << angle << ": " << std::hex << c;
        }
    }
}

TEST(PixelArt, MirroringAndStampingPlaceEveryPixel) {
    const Pixmap& p = sample();
    const Pixmap m = p.mirrored();
    EXPECT_EQ(m.at(3, 0), p.at(0, 0));
    EXPECT_EQ(m.at(1, 1), p.at(2, 1));
    EXPECT_EQ(m.mirrored().pixels(), p.pixels());

    Pixmap ground(6, 6, opaque(0xFFFFFF));
    ground.stamp(p, 1, 2);
    EXPECT_EQ(ground.at(1, 2), p.at(0, 0));
    EXPECT_EQ(ground.at(4, 3), opaque(0xFFFFFF)) << "transparent pixels leave the ground alone";
    const Pixmap::Box box = p.bounds();
    EXPECT_EQ(box.x, 0);
    EXPECT_EQ(box.w, 4);
    EXPECT_EQ(box.h, 4);
}

TEST(PixelArt, OutlineGrowsOnlyIntoTheTransparentRing) {
    const Pixmap dot = fromArt({"...", ".a.", "..."}, {{'a', 0xC04040}});
    const Pixmap cross = outlined(dot, opaque(0x101010), false);
    const Pixmap square = outlined(dot, opaque(0x101010), true);
    EXPECT_EQ(cross.at(1, 1), opaque(0xC04040));
    EXPECT_EQ(cross.at(1, 0), opaque(0x101010));
    EXPECT_EQ(cross.at(0, 0), Clear);
    EXPECT_EQ(square.at(0, 0), opaque(0x101010));
}

TEST(DrawingColours, OnlyColoursClearlyApartFromBothGroundsAreAllowed) {
    EXPECT_TRUE(isClearDrawingColour(0xFFFFFF)); // white drawing: white in both pictures
    EXPECT_TRUE(isClearDrawingColour(0x000000)); // black drawing: black in both pictures
    EXPECT_TRUE(isClearDrawingColour(0xDFFFFF));
    EXPECT_FALSE(isClearDrawingColour(0xE0F0FF)) << "passes for white, yet is solid to hits";
    EXPECT_FALSE(isClearDrawingColour(0xFEFEFE));
    EXPECT_TRUE(isClearDrawingColour(0x200000));
    EXPECT_FALSE(isClearDrawingColour(0x1F1F1F)) << "passes for black, yet adds colour";
}

TEST(Generation, EveryPictureIsMadeOnceAndTheSameOnEveryRun) {
    const std::vector<Picture> first = makePictures();
    const std::vector<Picture> second = makePictures();
    ASSERT_EQ(first.size(), second.size());
    std::set<std::string> names;
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_TRUE(names.insert(first[i].name).second) << first[i].name << " twice";
        EXPECT_EQ(first[i].pixels.pixels(), second[i].pixels.pixels()) << first[i].name;
    }
    const std::vector<Sound> a = makeSounds(), b = makeSounds();
    ASSERT_EQ(a.size(), 7u);
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].samples, b[i].samples) << a[i].name;
    }
}

// Every icon at a larger size is its drawing with each pixel blown up to a solid square: no
// smoothing, no new colours, nothing shifted by a pixel.
TEST(Generation, DesktopIconsAreWholeEnlargementsOfTheDrawnIcons) {
    const std::vector<Picture> icons = makeDesktopIcons();
    ASSERT_EQ(icons.size(), 6U);
    for (const Picture& icon : icons) {
        const int size = icon.pixels.width();
        ASSERT_EQ(icon.name, "kelvarn" + std::to_string(size));
        ASSERT_EQ(icon.pixels.height(), size);
        const Pixmap& from = icons[size % 32 == 0 ? 1 : 0].pixels;
        const int factor = size / from.width();
        int mismatches = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                mismatches += icon.pixels.at(x, y) != from.at(x / factor, y / factor);
            }
        }
        EXPECT_EQ(mismatches, 0) << icon.name;
    }
    // The menu entry shows the same warship as the window's title bar.
    for (const Picture& picture : makePictures()) {
        if (picture.name == "Form1_icon16") {
            EXPECT_EQ(picture.pixels.pixels(), icons[0].pixels.pixels());
        } else if (picture.name == "Form1_icon32") {
            EXPECT_EQ(picture.pixels.pixels(), icons[1].pixels.pixels());
        }
    }
}

} // namespace
} // namespace assetgen
