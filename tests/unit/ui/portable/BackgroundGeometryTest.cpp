#include "ui/portable/BackgroundGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Band {
    int y0, y1;
    uint32_t colour;
};

std::vector<Band> bands(int top, int bottom, uint32_t from, uint32_t to)
{
    GradientBands g(top, bottom, from, to);
    std::vector<Band> out;
    Band b;
    while (g.next(b.y0, b.y1, b.colour))
        out.push_back(b);
    return out;
}

} // namespace

TEST(GradientBands, BandHeightAndStepsFollowTheWindowHeight)
{
    struct Case {
        int bottom, band, steps;
    };
    // height = bottom + 1; band = height / 224 within 1..3
    const Case cases[] = {{499, 2, 250}, {100, 1, 101}, {447, 2, 224}, {671, 3, 224}, {1999, 3, 666}};
    for (const Case& c : cases) {
        GradientBands g(0, c.bottom, 0, 0);
        EXPECT_EQ(g.bandHeight(), c.band) << c.bottom;
        EXPECT_EQ(g.steps(), c.steps) << c.bottom;
    }
}

TEST(GradientBands, WalksFromTheTopColourToTheBottomColourWithoutGaps)
{
    const uint32_t top = packColour(200, 10, 0), bottom = packColour(0, 250, 255);
    std::vector<Band> b = bands(0, 499, top, bottom);
    ASSERT_EQ(b.size(), 250u);
    EXPECT_EQ(b.front().y0, 0);
    EXPECT_EQ(b.front().y1, 2);
    for (size_t i = 1; i < b.size(); ++i)
        EXPECT_EQ(b[i].y0, b[i - 1].y1);
    // The first band is one step away from the top colour; the last is the bottom colour.
    EXPECT_EQ(b.front().colour, packColour(200, 10, 1));
    EXPECT_EQ(b.back().colour, bottom);
}

TEST(GradientBands, AnEmptyOrUpsideDownRectangleHasNoBands)
{
    EXPECT_TRUE(bands(10, 10, 0, 0xffffff).empty());
    EXPECT_TRUE(bands(10, 0, 0, 0xffffff).empty());  // no internal error either
}

TEST(GradientBands, ChannelsStayInsideTheirRangeWhenBandsOutnumberTheSteps)
{
    // Height 674: band 3, 224 steps, but 225 bands from 0 up to 673.
    std::vector<Band> b = bands(0, 673, packColour(255, 255, 255), 0);
    ASSERT_EQ(b.size(), 225u);
    EXPECT_EQ(b.back().colour, 0u);
}

TEST(BitmapRectangle, FullShareCoversTheClientArea)
{
    const PixelRect client{0, 0, 800, 600};
    PixelRect r;
    ASSERT_TRUE(bitmapRectangle(client, 100, 30, 20, r));
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 800);
    EXPECT_EQ(r.bottom, 600);
}

TEST(BitmapRectangle, HalfShareIsCentredWithTheBitmapsProportions)
{
    struct Case {
        int width, height;
        PixelRect want;
    };
    // Client 800 x 600 at 50 %: 400 x 300 at (200, 150); then a wide bitmap flattens it,
    // a tall or square one narrows it.
    const Case cases[] = {
        {200, 100, {200, 225, 600, 375}},  // 300 * 50 / 100 = 150 high
        {100, 200, {300, 150, 500, 450}},  // 400 * 50 / 100 = 200 wide
        {64, 64, {200, 150, 600, 450}},    // square: the scaled client as it is
        {3, 1, {200, 225, 600, 375}},      // 2 x 1 (1.5 and 0.5 round up): 150 high
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
        PixelRect r;
        ASSERT_TRUE(bitmapRectangle({0, 0, 800, 600}, 50, c.width, c.height, r));
        EXPECT_EQ(r.left, c.want.left);
        EXPECT_EQ(r.top, c.want.top);
        EXPECT_EQ(r.right, c.want.right);
        EXPECT_EQ(r.bottom, c.want.bottom);
    }
}

TEST(BitmapRectangle, NoShareOrNoScaledAreaDrawsNothing)
{
    PixelRect r{1, 2, 3, 4};
    EXPECT_FALSE(bitmapRectangle({0, 0, 800, 600}, 0, 100, 100, r));
    EXPECT_FALSE(bitmapRectangle({0, 0, 800, 600}, 10, 100, 4, r));  // 4 rows at 10 %: 0
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.bottom, 4);
}
