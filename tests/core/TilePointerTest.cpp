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

} // namespace
