#include "calendar/TodayPosition.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace plandeck;

namespace {

using Kind = StoredCoordinate::Kind;

// A 1920 x 1080 screen, and one of 1280 x 1024 to its right, in twips.
const TwipRect kMain{0, 0, 28800, 16200};
const TwipRect kRight{28800, 0, 19200, 15360};

} // namespace

TEST(TodayPosition, ReadsEachLine) {
    struct Case {
        const char* bytes;
        StoredTodayPosition expected;
    };
    const Case cases[] = {
        {"", {{Kind::Default, 0}, {Kind::Default, 0}}},
        {" 12000 \r\n 9000 \r\n", {{Kind::Value, 12000}, {Kind::Value, 9000}}},
        {"-4500\n300", {{Kind::Value, -4500}, {Kind::Value, 300}}},
        {" 12000 \r\n", {{Kind::Value, 12000}, {Kind::Default, 0}}},
        {"\r\n 9000 \r\n", {{Kind::Default, 0}, {Kind::Value, 9000}}},
        {"left\r\n 9000 \r\n", {{Kind::Keep, 0}, {Kind::Value, 9000}}},
        {" 12000 \r\n 9000x\r\n", {{Kind::Value, 12000}, {Kind::Keep, 0}}},
        {" 1500.4 \r\n 99999999999999999999 \r\n", {{Kind::Value, 1500}, {Kind::Value, 100000000}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(ParseTodayPosition(c.bytes), c.expected);
    }
}

TEST(TodayPosition, WritesNumberFormAndReadsItBack) {
    test::TempDir dir;
    const std::string path = dir.file("frmtoday.ini");
    EXPECT_EQ(LoadTodayPosition(path), StoredTodayPosition{});
    ASSERT_TRUE(SaveTodayPosition(path, {1500, -300}).ok);
    EXPECT_EQ(dir.read("frmtoday.ini"), " 1500 \r\n-300 \r\n");
    EXPECT_EQ(LoadTodayPosition(path), (StoredTodayPosition{{Kind::Value, 1500}, {Kind::Value, -300}}));
}

TEST(TodayPosition, PlacesTheWindow) {
    const TwipPoint fallback{28800 - 3500, 16200 - 1800};
    const TwipPoint current{600, 900};
    struct Case {
        const char* name;
        StoredTodayPosition stored;
        TwipPoint expected;
    };
    const auto at = [](int left, int top) { return StoredTodayPosition{{Kind::Value, left}, {Kind::Value, top}}; };
    const Case cases[] = {
        {"nothing stored", {}, fallback},
        {"a stored place on the main screen", at(1500, 3000), {1500, 3000}},
        {"a stored place on the second screen", at(30000, 1500), {30000, 1500}},
        {"half off the edge is still reachable", at(-1500, 3000), {-1500, 3000}},
        {"on a monitor since removed", at(60000, 3000), fallback},
        {"above every screen", at(1500, -5000), fallback},
        {"a sliver is not enough", at(28700, 16100), fallback},
        {"only the top stored", {{Kind::Default, 0}, {Kind::Value, 3000}}, {fallback.left, 3000}},
        {"unreadable lines keep the window where it is", {{Kind::Keep, 0}, {Kind::Keep, 0}}, current},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaceTodayWindow(c.stored, current, kMain, {kMain, kRight}, kTodayWindowWidth, kTodayWindowHeight),
                  c.expected);
    }
}
