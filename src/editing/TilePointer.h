#pragma once

#include "notes/WeekRefresh.h"

#include <optional>
#include <span>

namespace plandeck {

// The part of the grid under the pointer.
enum class PointerPart {
    EmptyGrid, // the grid picture itself, including a tile's edges outside its text
    TileText,  // a tile's text label: pointing at it selects the tile
    Grip,      // a tile's resize grip
};

struct PointerHit {
    PointerPart part = PointerPart::EmptyGrid;
    int slot = 0; // the tile's slot for TileText and Grip
    friend bool operator==(const PointerHit&, const PointerHit&) = default;
};

// The grip each tile carries at its bottom edge, in twips: a strip of `height` across the tile's text,
// shown only on tiles at least `minTileHeight` tall (shorter tiles have no room for it beside their text).
struct GripArea {
    float height = 90;
    float minTileHeight = 0;
};

// The tile part at a grid point. Grips lie in front of every text label; among labels, the selected tile
// is in front (pointing brought it there), then later slots in front of earlier ones.
PointerHit HitTest(std::span<const NoteTile> tiles, float x, float y, std::optional<int> selected,
                   const GripArea& grip);

// The tile in a slot, or nullptr when the slot holds none.
const NoteTile* TileInSlot(std::span<const NoteTile> tiles, int slot);

// The selection after the tiles were rebuilt: it stays on its slot only when that slot shows the same note
// as before, so a key press never acts on a note the user did not point at.
std::optional<int> SelectionAfterRefresh(std::optional<int> selected, std::span<const NoteTile> before,
                                         std::span<const NoteTile> after);

} // namespace plandeck
