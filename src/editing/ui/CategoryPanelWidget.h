#pragma once

#include "editing/CategoryTable.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <vector>

namespace plandeck {

// The category panel: rows of a check box "Check1(r)" and a name "Label14(r)" in the category's colour (six,
// or as many as the panel has room for), the scroll bar "VScroll1", and the buttons "add" ("Label9") and
// "del" ("Label13"), whose captions the main window sets from the language file.
class CategoryPanelWidget : public QWidget {
    Q_OBJECT

public:
    explicit CategoryPanelWidget(QWidget* parent = nullptr);

    // Shows what a load of the category table gave.
    void setPanel(const CategoryPanel& panel);
    void setTextColour(const QColor& colour);
    // The rows the last panel had, and the height they and the buttons below them take.
    int rowCount() const { return m_rowCount; }
    static int HeightFor(int rows);
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
    // Makes rows up to `count`; rows are never taken away, only hidden.
    void makeRows(int count);
    // The button the pointer is over is bold, the other one normal.
    void emphasise(QLabel* button);

    std::vector<QCheckBox*> m_checks;
    std::vector<QLabel*> m_names;
    int m_rowCount = 0;
    QScrollBar* m_scroll;
    QLabel* m_add;
    QLabel* m_delete;
    bool m_filling = false;
};

} // namespace plandeck
