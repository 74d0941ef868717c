#pragma once

#include "notes/WeekRefresh.h"

#include <optional>
#include <span>
#include <vector>

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

// The ways the keys move the selection from tile to tile.
enum class TileStep {
    Left,     // the nearest column to the left that has tiles, the tile there nearest in time
    Right,    // the same to the right
    Up,       // the tile before in the same column, by time
    Down,     // the tile after in the same column
    Next,     // the next tile in reading order
    Previous, // the tile before in reading order
};

// The slots of the visible tiles in reading order: column by column, in each by time, then left to right.
std::vector<int> TilesInReadingOrder(std::span<const NoteTile> tiles);

// The tile a key moves the selection to from `selected`; nothing when there is none that way (the selection
// stays). Without a selected tile, Right, Down and Next take the first tile in reading order and Left, Up
// and Previous the last.
std::optional<int> NeighbourTile(std::span<const NoteTile> tiles, std::optional<int> selected, TileStep step);

} // namespace plandeck
