#include "shell/zoom.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(Zoom, StepsInAndOutThroughTheUsualStepsWithinFiftyToTwoHundred) {
    struct Case {
        int from, in, out;
    };
    for (const Case& c : {Case{100, 110, 90}, Case{93, 100, 90}, Case{50, 67, 50}, Case{67, 75, 50},
                          Case{175, 200, 150}, Case{200, 200, 175}}) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(Zoom(c.from).zoomedIn().percent(), c.in);
        EXPECT_EQ(Zoom(c.from).zoomedOut().percent(), c.out);
    }
    EXPECT_EQ(Zoom(10).percent(), 50);
    EXPECT_EQ(Zoom(500).percent(), 200);
    EXPECT_FALSE(Zoom(200).canZoomIn());
    EXPECT_FALSE(Zoom(50).canZoomOut());
    EXPECT_TRUE(Zoom(93).canZoomIn() && Zoom(93).canZoomOut());
}

TEST(Zoom, ScalesDesignLengthsToRoundedPixels) {
    EXPECT_EQ(Zoom().pixels(240), 16);
    EXPECT_EQ(Zoom().pixels(7), 0);
    EXPECT_EQ(Zoom().pixels(8), 1);
    EXPECT_EQ(Zoom(150).pixels(1335), 134);  // 133.5
    EXPECT_EQ(Zoom(50).pixels(9015), 301);   // 300.5
    EXPECT_EQ(Zoom(200).pixels(0), 0);
    EXPECT_DOUBLE_EQ(Zoom(75).points(8.0), 6.0);

    // The whole design: the right column ends at 14775 twips, the Totals table at 10335,
    // the design-time client area is 10740 high; 240 twips of margin.
    EXPECT_EQ(Zoom().clientSize(), (PixelSize{1001, 716}));
    EXPECT_EQ(Zoom(200).clientSize(), (PixelSize{2002, 1432}));
}

TEST(Zoom, FitsTheLargestZoomUpToTheCeiling) {
    const PixelSize chrome{10, 60};
    const auto fits = [&](const Zoom& zoom, PixelSize available) {
        const PixelSize client = zoom.clientSize();
        return client.width + chrome.width <= available.width &&
               client.height + chrome.height <= available.height;
    };
    // A 1366 x 768 laptop with a 30 pixel panel: the height decides.
    const PixelSize laptop{1366, 738};
    const Zoom onLaptop = Zoom::toFit(laptop, chrome, 100);
    EXPECT_LT(onLaptop.percent(), 100);
    EXPECT_TRUE(fits(onLaptop, laptop));
    EXPECT_FALSE(fits(Zoom(onLaptop.percent() + 1), laptop));
    // A narrow area: the width decides.
    const PixelSize narrow{800, 2000};
    const Zoom onNarrow = Zoom::toFit(narrow, chrome);
    EXPECT_TRUE(fits(onNarrow, narrow));
    EXPECT_FALSE(fits(Zoom(onNarrow.percent() + 1), narrow));

    EXPECT_EQ(Zoom::toFit({1920, 1080}, chrome, 100).percent(), 100);
    EXPECT_EQ(Zoom::toFit({3840, 2160}, chrome).percent(), 200);
    EXPECT_EQ(Zoom::toFit({300, 200}, chrome).percent(), 50);
    EXPECT_EQ(Zoom::toFit({0, 0}, {}).percent(), 50);
}

}  // namespace
}  // namespace vorn
