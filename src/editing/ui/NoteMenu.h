#pragma once

#include "session/Command.h"

#include <QFrame>
#include <QLabel>
#include <vector>

namespace plandeck {

// The note menu "Frame3": a pop-up of items (by default "Label15" edit in the wizard, "Label18" edit the text,
// "Label19" delete), each giving a command, with the highlight bar "Shape7" over the item the pointer is on.
// Like every pop-up it closes on a press outside it and on Escape, and that press does nothing else.
class NoteMenu : public QFrame {
    Q_OBJECT

public:
    struct Item {
        QString objectName;
        Command command;
    };

    NoteMenu(const std::vector<Item>& items, QWidget* parent);

    // Shows the menu with its top-left corner at `at` (the parent's pixels), kept within the parent, with
    // one caption per item.
    void popUp(QPoint at, const std::vector<QString>& captions);
    void setColours(const QColor& text, const QColor& highlight, const QColor& background);
    // Item n, counted from 1.
    QLabel* item(int n) const { return m_items.at(static_cast<std::size_t>(n - 1)).label; }
    QFrame* highlight() const { return m_highlight; }

signals:
    void chosen(Command command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct Shown {
        QLabel* label;
        Command command;
    };
    void highlightItem(int n);
    int itemTop(int n) const;

    std::vector<Shown> m_items;
    QFrame* m_highlight;
};

} // namespace plandeck
