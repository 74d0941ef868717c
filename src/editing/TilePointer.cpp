#include "editing/TilePointer.h"

namespace plandeck {

namespace {

bool Contains(const TileRect& r, float x, float y) {
    return r.left <= x && x < r.right() && r.top <= y && y < r.bottom();
}

bool OnGrip(const NoteTile& t, float x, float y, const GripArea& grip) {
    if (t.shape.height < grip.minTileHeight)
        return false;
    const TileRect strip{t.label.left, t.shape.bottom() - grip.height, t.label.width, grip.height};
    return Contains(strip, x, y);
}

// Tiles front to back: the selected one first, then by falling slot.
template <class Test>
std::optional<int> Frontmost(std::span<const NoteTile> tiles, std::optional<int> selected, Test test) {
    if (selected)
        if (const NoteTile* t = TileInSlot(tiles, *selected); t && t->visible && test(*t))
            return t->slot;
    for (auto it = tiles.rbegin(); it != tiles.rend(); ++it)
        if (it->visible && test(*it))
            return it->slot;
    return std::nullopt;
}

} // namespace

const NoteTile* TileInSlot(std::span<const NoteTile> tiles, int slot) {
    // Tiles are stored in slot order from slot 1, so the slot is the index; a list built otherwise is searched.
    if (slot >= 1 && static_cast<std::size_t>(slot) <= tiles.size() &&
        tiles[static_cast<std::size_t>(slot) - 1].slot == slot)
        return &tiles[static_cast<std::size_t>(slot) - 1];
    for (const NoteTile& t : tiles)
        if (t.slot == slot)
            return &t;
    return nullptr;
}

PointerHit HitTest(std::span<const NoteTile> tiles, float x, float y, std::optional<int> selected,
                   const GripArea& grip) {
    if (auto slot = Frontmost(tiles, selected, [&](const NoteTile& t) { return OnGrip(t, x, y, grip); }))
        return {PointerPart::Grip, *slot};
    if (auto slot = Frontmost(tiles, selected, [&](const NoteTile& t) { return Contains(t.label, x, y); }))
        return {PointerPart::TileText, *slot};
    return {};
}

std::optional<int> SelectionAfterRefresh(std::optional<int> selected, std::span<const NoteTile> before,
                                         std::span<const NoteTile> after) {
    if (!selected)
        return std::nullopt;
    const NoteTile* was = TileInSlot(before, *selected);
    const NoteTile* now = TileInSlot(after, *selected);
    if (was && now && was->tag == now->tag && was->line == now->line && was->column == now->column)
        return selected;
    return std::nullopt;
}

} // namespace plandeck
