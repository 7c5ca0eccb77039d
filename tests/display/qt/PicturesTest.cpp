// The pictures as the program loads them from its resources: sizes, the two-background form the
// painter and the hit tests depend on, and where a shell can harm a submarine.
#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "display/qt/Pictures.h"

namespace kelvarn {
namespace {

struct Expected {
    const char* name;
    int w, h;
};

constexpr Expected AllPictures[] = {
    {"sss", 49, 18},          {"sssss", 49, 18},        {"ss", 49, 18},
    {"ssss", 49, 18},         {"bbb2", 12, 16},         {"bbb", 12, 16},
    {"PicPlane1M", 42, 20},   {"PicPlane1", 40, 19},    {"PicPlane2M", 42, 21},
    {"PicPlane2", 42, 21},    {"PicSub1M", 63, 20},     {"PicSub1", 62, 20},
    {"PicSub2M", 64, 19},     {"PicSub2", 63, 19},      {"PicCrash1M", 63, 32},
    {"PicCrash1", 63, 32},    {"PicCrash2M", 68, 37},   {"PicCrash2", 67, 36},
    {"PicExpM0", 68, 61},     {"PicExpM1", 63, 59},     {"PicExpM2", 61, 63},
    {"PicExpM3", 65, 63},     {"PicExpM4", 63, 57},     {"PicExp0", 65, 63},
    {"PicExp1", 67, 62},      {"PicExp2", 62, 63},      {"PicExp3", 66, 63},
    {"MainBoard", 442, 361},  {"High", 359, 550},       {"frmHelp_Picture1", 65, 27},
    {"Picture1", 17, 18},     {"Picture2", 12, 15},     {"Picture3", 15, 11},
    {"Form1_icon16", 16, 16}, {"Form1_icon32", 32, 32}, {"imgIcon16", 16, 16},
    {"imgIcon32", 32, 32},
};

// A sprite pair and the cell the painter shows of it (its top-left corner).
struct Pair {
    const char* white;
    const char* black;
    int cellW, cellH;
};

constexpr Pair SpritePairs[] = {
    {"sss", "sssss", 50, 15},
    {"ss", "ssss", 50, 15},
    {"bbb2", "bbb", 20, 20},
    {"PicPlane1M", "PicPlane1", 80, 40},
    {"PicPlane2M", "PicPlane2", 80, 40},
    {"PicSub1M", "PicSub1", 99, 99},
    {"PicSub2M", "PicSub2", 99, 99},
    {"PicCrash1M", "PicCrash1", 99, 99},
    {"PicCrash2M", "PicCrash2", 99, 99},
    {"PicExpM0", "PicExp0", 67, 60},
    {"PicExpM1", "PicExp1", 67, 60},
    {"PicExpM2", "PicExp2", 67, 60},
    {"PicExpM3", "PicExp3", 67, 60},
};

constexpr std::uint32_t White = 0xFFFFFF, Black = 0x000000;

std::uint32_t rgbAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

// A drawing colour must not pass for the background: in a white-background picture every
// non-white pixel is solid to the hit tests, so it must look solid too (some channel at most
// 223); in a black-background picture every non-black pixel adds colour, so it must be visible
// (some channel at least 32). Exact white and exact black are allowed in drawings: a white
// drawing pixel is white in both pictures, a black one black in both.
bool clearlyNotWhite(std::uint32_t c) {
    return std::min({(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF}) <= 223;
}
bool clearlyNotBlack(std::uint32_t c) {
    return std::max({(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF}) >= 32;
}

std::vector<const char*> whiteGroundNames() {
    std::vector<const char*> names;
    for (const Pair& p : SpritePairs) {
        names.push_back(p.white);
    }
    names.push_back("PicExpM4");
    return names;
}

TEST(Pictures, EveryPictureLoadsAtItsListedSize) {
    for (const Expected& e : AllPictures) {
        const QImage image = loadPicture(QString::fromLatin1(e.name));
        ASSERT_FALSE(image.isNull()) << e.name;
        EXPECT_EQ(image.width(), e.w) << e.name;
        EXPECT_EQ(image.height(), e.h) << e.name;
        EXPECT_EQ(image, loadPicture(QString::fromLatin1(e.name) + ".png")) << e.name;
    }
    EXPECT_TRUE(loadPicture("NoSuchPicture").isNull());
}

TEST(Pictures, WhiteBackgroundPicturesHaveNoNearWhiteDrawingPixel) {
    for (const char* name : whiteGroundNames()) {
        const QImage image = loadPicture(name);
        int drawing = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const std::uint32_t c = rgbAt(image, x, y);
                if (c == White) {
                    continue;
                }
                ++drawing;
                ASSERT_TRUE(clearlyNotWhite(c))
                    << name << " at " << x << "," << y << " is near white: " << std::hex << c;
            }
        }
        EXPECT_GT(drawing, 20) << name << " draws almost nothing";
        EXPECT_EQ(rgbAt(image, image.width() - 1, image.height() - 1), White)
            << name << " has no white ground in its corner";
    }
}

TEST(Pictures, BlackBackgroundPicturesHaveExactBlackGroundAndVisibleDrawing) {
    for (const Pair& p : SpritePairs) {
        const QImage image = loadPicture(p.black);
        int black = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const std::uint32_t c = rgbAt(image, x, y);
                if (c == Black) {
                    ++black;
                    continue;
                }
                ASSERT_TRUE(clearlyNotBlack(c))
                    << p.black << " at " << x << "," << y << " is near black: " << std::hex << c;
            }
        }
        EXPECT_GT(black, image.width() + image.height()) << p.black << " has no black ground";
        EXPECT_EQ(rgbAt(image, image.width() - 1, image.height() - 1), Black) << p.black;
    }
}

TEST(Pictures, BothPicturesOfAPairShowTheSameDrawing) {
    for (const Pair& p : SpritePairs) {
        const QImage white = loadPicture(p.white), black = loadPicture(p.black);
        const int sharedW = std::min(white.width(), black.width());
        const int sharedH = std::min(white.height(), black.height());
        const int shownW = std::min(sharedW, p.cellW), shownH = std::min(sharedH, p.cellH);
        for (int y = 0; y < std::max(white.height(), black.height()); ++y) {
            for (int x = 0; x < std::max(white.width(), black.width()); ++x) {
                const bool inWhite = x < white.width() && y < white.height();
                const bool inBlack = x < black.width() && y < black.height();
                const std::uint32_t w = inWhite ? rgbAt(white, x, y) : White;
                const std::uint32_t b = inBlack ? rgbAt(black, x, y) : Black;
                const bool ground = w == White && b == Black;
                if (x < shownW && y < shownH) {
                    // (board AND w) OR b shows the board where both are ground, else the colour.
                    ASSERT_TRUE(ground || w == b)
                        << p.white << "/" << p.black << " differ at " << x << "," << y << std::hex
                        << ": " << w << " vs " << b;
                } else {
                    // Outside what both pictures share and the painter shows, only ground.
                    ASSERT_TRUE(ground) << p.white << "/" << p.black << " draw outside the cell at "
                                        << x << "," << y;
                }
            }
        }
    }
}

// Rows [from, to] and columns of a white-background picture that hold drawing pixels.
std::vector<int> drawnColumns(const QImage& image, int fromRow, int toRow) {
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = fromRow; y <= toRow; ++y) {
            if (rgbAt(image, x, y) != White) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

int topDrawnRow(const QImage& image, int x) {
    for (int y = 0; y < image.height(); ++y) {
        if (rgbAt(image, x, y) != White) {
            return y;
        }
    }
    return -1;
}

// A shell harms a submarine only at a point in the left 36 columns and top 11 rows of its
// picture. Sinking onto any part of the left 36 columns, a shell meets the drawing there first.
TEST(Pictures, SubmarinesAreVulnerableWhereTheirLeftPartIsHitFromAbove) {
    for (const char* name : {"PicSub1M", "PicSub2M"}) {
        const QImage sub = loadPicture(name);
        int columns = 0;
        for (int x = 0; x < 36; ++x) {
            const int top = topDrawnRow(sub, x);
            if (top >= 0) {
                ++columns;
                EXPECT_LE(top, 10) << name << ": column " << x << " is first met below row 10";
            }
        }
        EXPECT_GE(columns, 30) << name << " should fill the vulnerable columns with its hull";
    }
}

TEST(Pictures, LeftMovingSubmarineHasItsTowerInsideTheVulnerableRectangle) {
    // The tower is what stands above the hull: the top rows of the picture.
    const std::vector<int> tower = drawnColumns(loadPicture("PicSub1M"), 0, 2);
    ASSERT_FALSE(tower.empty());
    EXPECT_LT(tower.back(), 36);
}

TEST(Pictures, RightMovingSubmarineHasItsTowerOutsideTheVulnerableRectangle) {
    const std::vector<int> tower = drawnColumns(loadPicture("PicSub2M"), 0, 3);
    ASSERT_FALSE(tower.empty());
    EXPECT_GE(tower.front(), 36);
}

TEST(Pictures, VesselSitsOnTheSeaLineInsideItsCell) {
    // The vessel's top is at y = 104 and the sea begins at y = 115: picture row 11.
    for (const char* name : {"sss", "ss"}) {
        const QImage vessel = loadPicture(name);
        int lowest = -1;
        for (int y = 0; y < vessel.height(); ++y) {
            if (!drawnColumns(vessel, y, y).empty()) {
                lowest = y;
            }
        }
        EXPECT_GE(lowest, 11) << name << " floats above the sea";
        EXPECT_LE(lowest, 14) << name << " reaches below its 15-row cell";
    }
    // Facing left and facing right are one drawing, mirrored.
    EXPECT_EQ(loadPicture("ss"), loadPicture("sss").mirrored(true, false));
}

double luminance(std::uint32_t c) {
    return 0.30 * ((c >> 16) & 0xFF) + 0.59 * ((c >> 8) & 0xFF) + 0.11 * (c & 0xFF);
}

TEST(Pictures, BoardTurnsFromSkyToVioletSeaAtTheSeaLine) {
    const QImage board = loadPicture("MainBoard");
    auto rowMean = [&](int y, int channel) {
        double sum = 0;
        for (int x = 0; x < 400; ++x) {
            sum += (rgbAt(board, x, y) >> (16 - 8 * channel)) & 0xFF;
        }
        return sum / 400.0;
    };
    for (int y : {2, 60, 114}) {
        // Sky: blue above red, green well up (cyan).
        EXPECT_GT(rowMean(y, 2), rowMean(y, 0)) << "row " << y;
        EXPECT_GT(rowMean(y, 1), rowMean(y, 0)) << "row " << y;
    }
    for (int y : {119, 200, 300}) {
        // Sea: violet, red and blue above green.
        EXPECT_GT(rowMean(y, 0), rowMean(y, 1)) << "row " << y;
        EXPECT_GT(rowMean(y, 2), rowMean(y, 1)) << "row " << y;
    }
    auto rowLuminance = [&](int y) {
        double sum = 0;
        for (int x = 0; x < 400; ++x) {
            sum += luminance(rgbAt(board, x, y));
        }
        return sum / 400.0;
    };
    EXPECT_GT(rowLuminance(125), rowLuminance(220));
    EXPECT_GT(rowLuminance(220), rowLuminance(330));
}

TEST(Pictures, ListBackgroundStaysDarkBehindTheLightGreyText) {
    const QImage high = loadPicture("High");
    int bright = 0, total = 0;
    for (int y = 8; y < 8 + 269; ++y) {
        for (int x = 16; x < 16 + 183; ++x) {
            ++total;
            if (luminance(rgbAt(high, x, y)) > 120.0) {
                ++bright;
            }
        }
    }
    EXPECT_LT(bright, total / 100) << "text in RGB(224, 224, 224) would be hard to read";
}

TEST(Pictures, SurfaceFromImageKeepsTheColoursWithoutAlpha) {
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(0xFF123456u);
    image.setPixel(2, 1, 0xFFFFFFFFu);
    const Surface s = surfaceFromImage(image);
    ASSERT_EQ(s.width(), 3);
    ASSERT_EQ(s.height(), 2);
    EXPECT_EQ(s.pixel(0, 0), 0x123456u);
    EXPECT_EQ(s.pixel(2, 1), 0xFFFFFFu);
    EXPECT_EQ(surfaceFromImage(QImage()).width(), 0);
}

TEST(Pictures, LoadedSpritesAreTheDrawnPicturesNotThePlaceholders) {
    const Sprites loaded = loadSprites();
    const Sprites plain = Sprites::placeholders();
    EXPECT_EQ(loaded.sss, surfaceFromImage(loadPicture("sss")));
    EXPECT_EQ(loaded.PicExp[3], surfaceFromImage(loadPicture("PicExp3")));
    EXPECT_EQ(loaded.PicExpM[4], surfaceFromImage(loadPicture("PicExpM4")));
    EXPECT_EQ(loaded.boardBackground, surfaceFromImage(loadPicture("MainBoard")));
    EXPECT_NE(loaded.PicSub2M, plain.PicSub2M);
    // Same sizes as the placeholders, which have the sizes the painter relies on.
    EXPECT_EQ(loaded.PicCrash2M.width(), plain.PicCrash2M.width());
    EXPECT_EQ(loaded.PicPlane1.height(), plain.PicPlane1.height());
}

} // namespace
} // namespace kelvarn
