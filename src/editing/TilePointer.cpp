#include "editing/TilePointer.h"

#include <algorithm>
#include <cmath>

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

std::vector<int> TilesInReadingOrder(std::span<const NoteTile> tiles) {
    std::vector<const NoteTile*> shown;
    for (const NoteTile& t : tiles)
        if (t.visible)
            shown.push_back(&t);
    std::stable_sort(shown.begin(), shown.end(), [](const NoteTile* a, const NoteTile* b) {
        if (a->column != b->column)
            return a->column < b->column;
        if (a->shape.top != b->shape.top)
            return a->shape.top < b->shape.top;
        return a->shape.left < b->shape.left;
    });
    std::vector<int> slots;
    slots.reserve(shown.size());
    for (const NoteTile* t : shown)
        slots.push_back(t->slot);
    return slots;
}

std::optional<int> NeighbourTile(std::span<const NoteTile> tiles, std::optional<int> selected, TileStep step) {
    const std::vector<int> order = TilesInReadingOrder(tiles);
    if (order.empty())
        return std::nullopt;
    const NoteTile* from = selected ? TileInSlot(tiles, *selected) : nullptr;
    const auto at = from ? std::find(order.begin(), order.end(), from->slot) : order.end();
    if (at == order.end()) {
        const bool forward = step == TileStep::Right || step == TileStep::Down || step == TileStep::Next;
        return forward ? order.front() : order.back();
    }
    const auto index = static_cast<std::size_t>(at - order.begin());
    switch (step) {
    case TileStep::Next:
        return index + 1 < order.size() ? std::optional<int>(order[index + 1]) : std::nullopt;
    case TileStep::Previous:
        return index > 0 ? std::optional<int>(order[index - 1]) : std::nullopt;
    case TileStep::Down:
        if (index + 1 < order.size() && TileInSlot(tiles, order[index + 1])->column == from->column)
            return order[index + 1];
        return std::nullopt;
    case TileStep::Up:
        if (index > 0 && TileInSlot(tiles, order[index - 1])->column == from->column)
            return order[index - 1];
        return std::nullopt;
    case TileStep::Left:
    case TileStep::Right:
        break;
    }
    // The nearest column on that side that has tiles; empty columns are passed over.
    const bool left = step == TileStep::Left;
    std::optional<int> column;
    for (const int slot : order) {
        const int c = TileInSlot(tiles, slot)->column;
        if (left ? c < from->column : c > from->column)
            if (!column || (left ? c > *column : c < *column))
                column = c;
    }
    if (!column)
        return std::nullopt;
    // In that column, the tile whose top is nearest; of two as near, the earlier.
    std::optional<int> best;
    float bestDistance = 0;
    for (const int slot : order) {
        const NoteTile* t = TileInSlot(tiles, slot);
        const float distance = std::abs(t->shape.top - from->shape.top);
        if (t->column == *column && (!best || distance < bestDistance)) {
            best = slot;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace plandeck
