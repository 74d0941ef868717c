#pragma once

#include "editing/CategoryTable.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <array>

namespace plandeck {

// The category panel: six rows of a check box "Check1(r)" and a name "Label14(r)" in the category's
// colour, the scroll bar "VScroll1", and the buttons "add" ("Label9") and "del" ("Label13"), whose captions
// the main window sets from the language file.
class CategoryPanelWidget : public QWidget {
    Q_OBJECT

public:
    explicit CategoryPanelWidget(QWidget* parent = nullptr);

    // Shows what a load of the category table gave.
    void setPanel(const CategoryPanel& panel);
    void setTextColour(const QColor& colour);
    QCheckBox* check(int row) const { return m_checks[static_cast<std::size_t>(row)]; }
    QLabel* name(int row) const { return m_names[static_cast<std::size_t>(row)]; }
    QScrollBar* scrollBar() const { return m_scroll; }
    QLabel* addButton() const { return m_add; }
    QLabel* deleteButton() const { return m_delete; }

signals:
    // The user ticked or cleared the box of a row.
    void shownChanged(int row, bool shown);
    void scrolled(int first);
    // "add" or "del" was clicked.
    void addClicked();
    void deleteClicked();
    // The right mouse button was pressed on the name of a row: rename and recolour that category.
    void renameRequested(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    // The button the pointer is over is bold, the other one normal.
    void emphasise(QLabel* button);

    std::array<QCheckBox*, CategoryPanel::RowCount> m_checks{};
    std::array<QLabel*, CategoryPanel::RowCount> m_names{};
    QScrollBar* m_scroll;
    QLabel* m_add;
    QLabel* m_delete;
    bool m_filling = false;
};

} // namespace plandeck
