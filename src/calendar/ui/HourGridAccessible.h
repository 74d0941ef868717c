#pragma once

#include "calendar/NoteTile.h"

#include <QAccessibleWidget>
#include <array>

namespace plandeck {

class HourGridWidget;

// What a screen reader finds in the hour grid: the painted tiles as items of their own (in reading order:
// column by column, each by time), named by day, times, category and text, then the grid's buttons. The
// selected tile is the focus.
class HourGridAccessible : public QAccessibleWidget {
public:
    explicit HourGridAccessible(HourGridWidget* grid);
    ~HourGridAccessible() override;

    // Makes Qt ask this class for the grid's interface; once is enough, more calls do nothing.
    static void install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;

    // The child index of the tile in `slot`; -1 when it shows none.
    int indexOfSlot(int slot) const;

private:
    HourGridWidget* grid() const;
    QAccessibleInterface* tileInterface(int slot) const;

    // The tiles' interfaces by slot, made when first asked for; Qt's cache owns them and they live as long as
    // the grid's. A slot whose tile is gone answers as no longer valid.
    mutable std::array<QAccessible::Id, NoteTile::SlotCount> m_tiles{};
};

} // namespace plandeck
