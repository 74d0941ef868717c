#pragma once

#include <QFrame>
#include <QLabel>
#include <array>

namespace plandeck {

// The note menu "Frame3": three items, "Label15" (edit in the wizard), "Label18" (edit the text) and
// "Label19" (delete), with the highlight bar "Shape7" over the item the pointer is on.
class NoteMenu : public QFrame {
    Q_OBJECT

public:
    enum Item { EditInWizard = 1, EditText = 2, Delete = 3 };

    explicit NoteMenu(QWidget* parent = nullptr);

    // Shows the menu with its top-left corner at `at` (the parent's pixels).
    void popUp(QPoint at, const std::array<QString, 3>& captions);
    void setColours(const QColor& text, const QColor& highlight, const QColor& background);
    QLabel* item(int n) const { return m_items[static_cast<std::size_t>(n - 1)]; }
    QFrame* highlight() const { return m_highlight; }

signals:
    void chosen(int item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void highlightItem(int n);

    std::array<QLabel*, 3> m_items{};
    QFrame* m_highlight;
};

} // namespace plandeck
