#include "editing/TilePointer.h"

#include <gtest/gtest.h>

using namespace plandeck;

namespace {

NoteTile Tile(int slot, float left, float top, float width, float height, int tag, std::string line = "x") {
    NoteTile t;
    t.slot = slot;
    t.shape = {left, top, width, height};
    t.label = {left + 30, top, width - 60, height};
    t.tag = tag;
    t.line = std::move(line);
    t.visible = true;
    return t;
}

TEST(HitTest, FrontOrderGripsAndEdges) {
    // Slot 2 lies partly over slot 1 (their rectangles overlap from y = 1500 to 2000).
    const std::vector<NoteTile> tiles{Tile(1, 1000, 1000, 2000, 1000, 1), Tile(2, 1000, 1500, 2000, 1000, 2),
                                      Tile(3, 5000, 1000, 2000, 200, 3)};
    const GripArea grip{90, 400};
    struct Case {
        float x, y;
        std::optional<int> selected;
        PointerHit expected;
    };
    const Case cases[] = {
        {1500, 1200, std::nullopt, {PointerPart::TileText, 1}},
        {1500, 1700, std::nullopt, {PointerPart::TileText, 2}}, // the later slot is in front
        {1500, 1700, 1, {PointerPart::TileText, 1}},            // unless the earlier one was pointed at
        {1500, 1950, std::nullopt, {PointerPart::Grip, 1}},     // a grip is in front of every label
        {1500, 2450, std::nullopt, {PointerPart::Grip, 2}},
        {1010, 1200, std::nullopt, {PointerPart::EmptyGrid, 0}}, // the tile's edge beside its text
        {5500, 1150, std::nullopt, {PointerPart::TileText, 3}},  // too short for a grip
        {4000, 1200, 2, {PointerPart::EmptyGrid, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitTest(tiles, c.x, c.y, c.selected, grip), c.expected) << c.x << "," << c.y;
}

TEST(HitTest, SlotTwoHundredIsATileLikeAnyOther) {
    std::vector<NoteTile> tiles;
    for (int slot = 1; slot <= 200; ++slot)
        tiles.push_back(Tile(slot, 1000, 100.0f * static_cast<float>(slot), 2000, 100, slot));
    EXPECT_EQ(HitTest(tiles, 1500, 20050, std::nullopt, {90, 400}), (PointerHit{PointerPart::TileText, 200}));
}

NoteTile InColumn(int slot, int column, float top, float left = 0) {
    NoteTile t = Tile(slot, 1000 + 2000 * static_cast<float>(column) + left, top, 1000, 500, slot);
    t.column = column;
    return t;
}

TEST(NeighbourTile, ArrowsAndTabFollowColumnsAndTimes) {
    // Slots in file order, not in reading order. Column 0: 2 (top 1000), 4 and 1 side by side at 3000;
    // column 1 is empty; column 2: 3 (2000), 5 (3800); column 3: 6 (hidden).
    std::vector<NoteTile> tiles{InColumn(1, 0, 3000, 500), InColumn(2, 0, 1000), InColumn(3, 2, 2000),
                                InColumn(4, 0, 3000),      InColumn(5, 2, 3800), InColumn(6, 3, 1000)};
    tiles[5].visible = false;
    EXPECT_EQ(TilesInReadingOrder(tiles), (std::vector<int>{2, 4, 1, 3, 5}));
    using S = TileStep;
    struct Case {
        std::optional<int> from;
        TileStep step;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {std::nullopt, S::Down, 2},
        {std::nullopt, S::Right, 2},
        {std::nullopt, S::Next, 2},
        {std::nullopt, S::Up, 5},
        {std::nullopt, S::Previous, 5},
        {99, S::Left, 5}, // a slot with no tile
        {2, S::Down, 4},
        {4, S::Down, 1},
        {1, S::Down, std::nullopt},
        {4, S::Up, 2},
        {2, S::Up, std::nullopt},
        {3, S::Up, std::nullopt},
        {2, S::Right, 3},
        {4, S::Right, 5}, // the empty column is passed over; nearest in time
        {1, S::Right, 5},
        {5, S::Left, 4},
        {3, S::Left, 2},
        {5, S::Right, std::nullopt},
        {2, S::Left, std::nullopt},
        {1, S::Next, 3},
        {5, S::Next, std::nullopt},
        {3, S::Previous, 1},
        {2, S::Previous, std::nullopt},
        {6, S::Right, 2}, // a hidden tile counts as no selection
    };
    for (const Case& c : cases)
        EXPECT_EQ(NeighbourTile(tiles, c.from, c.step), c.expected)
            << (c.from ? *c.from : 0) << " step " << static_cast<int>(c.step);
    EXPECT_EQ(NeighbourTile({}, std::nullopt, S::Down), std::nullopt);
}

} // namespace
