// The window tables are what both desktops lay their windows out from.
#include <gtest/gtest.h>

#include <set>

#include "display/Form1Layout.h"
#include "scores/WindowLayouts.h"

namespace kelvarn::test {
namespace {

const WindowLayout* const Windows[] = {&form1Layout(), &highLayout(), &form2Layout(),
                                       &frmHelpLayout(), &frmSplashLayout()};

// Every row is a whole number of pixels at 96 dpi, has a name of its own, lies inside the inner
// area of the window or frame that holds it, and a frame comes before the rows it holds.
TEST(WindowLayouts, EveryControlFitsWhereItIsHeldInWholePixels) {
    for (const WindowLayout* w : Windows) {
        SCOPED_TRACE(w->name);
        EXPECT_EQ(w->width % 15, 0);
        EXPECT_EQ(w->height % 15, 0);
        std::set<std::string> seen;
        for (const LayoutRow& row : w->rows) {
            SCOPED_TRACE(row.name);
            EXPECT_TRUE(seen.insert(row.name).second) << "named twice";
            const TwipsRect r = row.place;
            for (int v : {r.left, r.top, r.width, r.height}) {
                EXPECT_EQ(v % 15, 0);
            }
            int width = w->width, height = w->height;
            if (!row.parent.empty()) {
                ASSERT_TRUE(seen.count(row.parent)) << "frame comes later or is missing";
                const LayoutRow& frame = w->row(row.parent);
                EXPECT_EQ(frame.kind, ControlKind::Frame);
                width = frame.place.width;
                height = frame.place.height;
            }
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.left + r.width, width);
            EXPECT_LE(r.top + r.height, height);
        }
    }
}

TEST(WindowLayouts, TwipsBecomePixelsAtTheScreensResolution) {
    const TwipsRect board = form1Layout().row("MainBoard").place;
    EXPECT_EQ(toPixels(board), (PixelRect{8, 8, 404, 364}));
    EXPECT_EQ(toPixels(board, 144), (PixelRect{12, 12, 606, 546}));
    EXPECT_EQ(twipsToPixels(4605), 307); // the list window's inner height
    EXPECT_THROW(form1Layout().row("nothing"), std::out_of_range);
}

} // namespace
} // namespace kelvarn::test
