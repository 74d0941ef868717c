#include "editing/ui/NoteMenu.h"

#include <QEvent>
#include <QMouseEvent>
#include <algorithm>

namespace plandeck {

namespace {

// Item tops inside the panel, in pixels (100, 330 and 580 twips), and the bar's place out of sight.
constexpr std::array<int, 3> ItemTops{7, 22, 39};
constexpr int ItemHeight = 15;
constexpr int HiddenBarTop = -20;

} // namespace

NoteMenu::NoteMenu(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Frame3"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setMouseTracking(true);
    m_highlight = new QFrame(this);
    m_highlight->setObjectName(QStringLiteral("Shape7"));
    m_highlight->setFrameShape(QFrame::Box);
    const char* names[] = {"Label15", "Label18", "Label19"};
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(names[i]));
        label->setMouseTracking(true);
        label->installEventFilter(this);
        m_items[i] = label;
    }
    hide();
}

void NoteMenu::popUp(QPoint at, const std::array<QString, 3>& captions) {
    int width = 0;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        m_items[i]->setText(captions[i]);
        width = std::max(width, m_items[i]->fontMetrics().horizontalAdvance(captions[i]));
    }
    width += 20;
    for (std::size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->setGeometry(10, ItemTops[i], width - 14, ItemHeight);
    resize(width, ItemTops.back() + ItemHeight + 6);
    // Keep the whole menu inside the grid, so a press near its right or bottom edge still shows every item.
    if (parentWidget())
        at = QPoint(std::clamp(at.x(), 0, std::max(0, parentWidget()->width() - this->width())),
                    std::clamp(at.y(), 0, std::max(0, parentWidget()->height() - height())));
    move(at);
    highlightItem(0);
    show();
    raise();
}

void NoteMenu::setColours(const QColor& text, const QColor& highlight, const QColor& background) {
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    setPalette(p);
    for (QLabel* l : m_items)
        l->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(text.name()));
    m_highlight->setStyleSheet(QStringLiteral("QFrame#Shape7 { border: 1px solid %1; }").arg(highlight.name()));
}

void NoteMenu::highlightItem(int n) {
    const int top = n >= 1 && n <= 3 ? ItemTops[static_cast<std::size_t>(n - 1)] : HiddenBarTop;
    m_highlight->setGeometry(4, top, width() - 8, ItemHeight);
}

void NoteMenu::mouseMoveEvent(QMouseEvent* event) {
    // Over the panel's background, between the items.
    highlightItem(0);
    QFrame::mouseMoveEvent(event);
}

bool NoteMenu::eventFilter(QObject* watched, QEvent* event) {
    for (int n = 1; n <= 3; ++n) {
        if (watched != item(n))
            continue;
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
            highlightItem(n);
            return event->type() == QEvent::MouseMove; // not on to the panel, which would clear the bar
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            hide();
            emit chosen(n);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace plandeck
