#include "editing/ui/NoteMenu.h"

#include <QEvent>
#include <QMouseEvent>
#include <algorithm>
#include <array>

namespace plandeck {

namespace {

// Item tops inside the panel, in pixels (100, 330 and 580 twips); items after the third follow at the same
// pitch. The bar's place out of sight.
constexpr std::array<int, 3> ItemTops{7, 22, 39};
constexpr int ItemPitch = 17;
constexpr int ItemHeight = 15;
constexpr int HiddenBarTop = -20;

} // namespace

NoteMenu::NoteMenu(const std::vector<Item>& items, QWidget* parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Frame3"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setMouseTracking(true);
    // The press outside that closes the menu is not passed on to what lies under it.
    setAttribute(Qt::WA_NoMouseReplay);
    m_highlight = new QFrame(this);
    m_highlight->setObjectName(QStringLiteral("Shape7"));
    m_highlight->setFrameShape(QFrame::Box);
    for (const Item& item : items) {
        auto* label = new QLabel(this);
        label->setObjectName(item.objectName);
        label->setMouseTracking(true);
        label->installEventFilter(this);
        m_items.push_back({label, item.command});
    }
    hide();
}

int NoteMenu::itemTop(int n) const {
    return n <= static_cast<int>(ItemTops.size())
               ? ItemTops[static_cast<std::size_t>(n - 1)]
               : ItemTops.back() + (n - static_cast<int>(ItemTops.size())) * ItemPitch;
}

void NoteMenu::popUp(QPoint at, const std::vector<QString>& captions) {
    int width = 0;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const QString caption = i < captions.size() ? captions[i] : QString();
        m_items[i].label->setText(caption);
        width = std::max(width, m_items[i].label->fontMetrics().horizontalAdvance(caption));
    }
    width += 20;
    for (std::size_t i = 0; i < m_items.size(); ++i)
        m_items[i].label->setGeometry(10, itemTop(static_cast<int>(i) + 1), width - 14, ItemHeight);
    resize(width, itemTop(static_cast<int>(m_items.size())) + ItemHeight + 6);
    // Keep the whole menu over the parent, so a press near its right or bottom edge still shows every item.
    if (QWidget* over = parentWidget()) {
        at = QPoint(std::clamp(at.x(), 0, std::max(0, over->width() - this->width())),
                    std::clamp(at.y(), 0, std::max(0, over->height() - height())));
        at = over->mapToGlobal(at);
    }
    move(at);
    highlightItem(0);
    show();
    raise();
}

void NoteMenu::setColours(const QColor& text, const QColor& highlight, const QColor& background) {
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    setPalette(p);
    for (const Shown& shown : m_items)
        shown.label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(text.name()));
    m_highlight->setStyleSheet(QStringLiteral("QFrame#Shape7 { border: 1px solid %1; }").arg(highlight.name()));
}

void NoteMenu::highlightItem(int n) {
    const int top = n >= 1 && n <= static_cast<int>(m_items.size()) ? itemTop(n) : HiddenBarTop;
    m_highlight->setGeometry(4, top, width() - 8, ItemHeight);
}

void NoteMenu::mouseMoveEvent(QMouseEvent* event) {
    // Over the panel's background, between the items.
    highlightItem(0);
    QFrame::mouseMoveEvent(event);
}

bool NoteMenu::eventFilter(QObject* watched, QEvent* event) {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (watched != m_items[i].label)
            continue;
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::Enter:
            highlightItem(static_cast<int>(i) + 1);
            return event->type() == QEvent::MouseMove; // not on to the panel, which would clear the bar
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // The item takes the press; only its release chooses.
            return true;
        case QEvent::MouseButtonRelease:
            hide();
            emit chosen(m_items[i].command);
            return true;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace plandeck
