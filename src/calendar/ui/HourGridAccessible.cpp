#include "calendar/ui/HourGridAccessible.h"

#include "calendar/ui/HourGridWidget.h"
#include "editing/TilePointer.h"
#include "platform/Text.h"

#include <QPointer>
#include <algorithm>

namespace plandeck {

namespace {

// One painted tile, known by its slot: it reads the tile afresh from the grid at every question.
class TileAccessible : public QAccessibleInterface {
public:
    TileAccessible(HourGridWidget* grid, int slot) : m_grid(grid), m_slot(slot) {}

    bool isValid() const override { return tile() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_grid); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        const NoteTile* shown = tile();
        if (!shown)
            return {};
        if (t == QAccessible::Name)
            return FromFileText(shown->spokenName);
        if (t == QAccessible::Description)
            return FromFileText(shown->tooltip);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const NoteTile* shown = tile();
        if (!shown)
            return {};
        const QRect r = HourGridWidget::ToPixels(shown->shape).toAlignedRect();
        return {m_grid->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        const bool selected = m_grid && m_grid->selectedSlot() == m_slot;
        s.selected = selected;
        s.focused = selected;
        s.invisible = !m_grid || !m_grid->isVisible();
        return s;
    }

private:
    const NoteTile* tile() const {
        if (!m_grid)
            return nullptr;
        const NoteTile* t = TileInSlot(m_grid->model().tiles, m_slot);
        return t && t->visible ? t : nullptr;
    }

    QPointer<HourGridWidget> m_grid;
    int m_slot;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* grid = qobject_cast<HourGridWidget*>(object))
        return new HourGridAccessible(grid);
    return nullptr;
}

} // namespace

HourGridAccessible::HourGridAccessible(HourGridWidget* grid) : QAccessibleWidget(grid, QAccessible::Pane) {}

HourGridAccessible::~HourGridAccessible() {
    for (const QAccessible::Id id : m_tiles)
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
}

void HourGridAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

HourGridWidget* HourGridAccessible::grid() const {
    return static_cast<HourGridWidget*>(widget());
}

QAccessibleInterface* HourGridAccessible::tileInterface(int slot) const {
    if (slot < 0 || slot >= NoteTile::SlotCount)
        return nullptr;
    QAccessible::Id& id = m_tiles[static_cast<std::size_t>(slot)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(new TileAccessible(grid(), slot));
    return QAccessible::accessibleInterface(id);
}

int HourGridAccessible::childCount() const {
    return static_cast<int>(TilesInReadingOrder(grid()->model().tiles).size()) + QAccessibleWidget::childCount();
}

QAccessibleInterface* HourGridAccessible::child(int index) const {
    const std::vector<int> order = TilesInReadingOrder(grid()->model().tiles);
    if (index < 0)
        return nullptr;
    if (static_cast<std::size_t>(index) < order.size())
        return tileInterface(order[static_cast<std::size_t>(index)]);
    return QAccessibleWidget::child(index - static_cast<int>(order.size()));
}

int HourGridAccessible::indexOfSlot(int slot) const {
    const std::vector<int> order = TilesInReadingOrder(grid()->model().tiles);
    const auto at = std::find(order.begin(), order.end(), slot);
    return at == order.end() ? -1 : static_cast<int>(at - order.begin());
}

int HourGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child)
        return -1;
    for (std::size_t slot = 0; slot < m_tiles.size(); ++slot)
        if (m_tiles[slot] != 0 && QAccessible::accessibleInterface(m_tiles[slot]) == child)
            return indexOfSlot(static_cast<int>(slot));
    const int widgetIndex = QAccessibleWidget::indexOfChild(child);
    return widgetIndex < 0 ? -1 : widgetIndex + static_cast<int>(TilesInReadingOrder(grid()->model().tiles).size());
}

QAccessibleInterface* HourGridAccessible::focusChild() const {
    if (const std::optional<int> slot = grid()->selectedSlot(); slot && indexOfSlot(*slot) >= 0)
        return tileInterface(*slot);
    return QAccessibleWidget::focusChild();
}

} // namespace plandeck
