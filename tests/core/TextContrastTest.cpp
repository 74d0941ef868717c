#include "settings/TextContrast.h"

#include <gtest/gtest.h>

using namespace plandeck;

namespace {

constexpr long Rgb(long r, long g, long b) {
    return r + 256 * g + 65536 * b;
}

} // namespace

TEST(TextContrast, RatioFollowsRelativeLuminance) {
    struct Case {
        long a, b;
        double ratio;
    };
    const Case cases[] = {
        {Rgb(0, 0, 0), Rgb(255, 255, 255), 21.0}, // the extremes, either way round
        {Rgb(255, 255, 255), Rgb(0, 0, 0), 21.0},       {Rgb(10, 200, 30), Rgb(10, 200, 30), 1.0}, // a colour on itself
        {Rgb(255, 0, 0), Rgb(255, 255, 255), 4.00},     // pure red carries little light
        {Rgb(0, 0, 255), Rgb(0, 0, 0), 2.44},           // blue even less
        {Rgb(0, 255, 0), Rgb(0, 0, 0), 15.30},          // green most
        {Rgb(118, 118, 118), Rgb(255, 255, 255), 4.54}, // the lightest grey still readable on white
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " on " << c.b);
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01);
    }
}

TEST(TextContrast, TextKeepsTheUsersColourOnlyWhereItCanBeRead) {
    struct Case {
        const char* what;
        long preferred, background, shown;
    };
    const Case cases[] = {
        {"black on white stays", Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(0, 0, 0)},
        {"black on black turns white", Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(255, 255, 255)},
        {"black on navy turns white", Rgb(0, 0, 0), Rgb(0, 0, 128), Rgb(255, 255, 255)},
        {"white on yellow turns black", Rgb(255, 255, 255), Rgb(255, 255, 0), Rgb(0, 0, 0)},
        {"dark blue on light yellow stays", Rgb(0, 0, 139), Rgb(255, 255, 200), Rgb(0, 0, 139)},
        {"red on red turns black", Rgb(255, 0, 0), Rgb(255, 0, 0), Rgb(0, 0, 0)},
        {"grey just readable stays", Rgb(118, 118, 118), Rgb(255, 255, 255), Rgb(118, 118, 118)},
        {"grey just too light turns black", Rgb(119, 119, 119), Rgb(255, 255, 255), Rgb(0, 0, 0)},
        // Mid grey: black stands out more than white.
        {"grey on mid grey turns black", Rgb(120, 120, 120), Rgb(128, 128, 128), Rgb(0, 0, 0)},
        {"a damaged colour reads by its low bits", Rgb(0, 0, 0), Rgb(0, 0, 0) + 0x7000000, Rgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadableTextColour(c.preferred, c.background), c.shown);
    }
}
