#include "editing/ui/CategoryPanelWidget.h"

#include "platform/Text.h"
#include "settings/TextContrast.h"

#include <QMouseEvent>

namespace plandeck {

namespace {

constexpr int RowHeight = 20;
constexpr int ScrollWidth = 12;

} // namespace

CategoryPanelWidget::CategoryPanelWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CategoryPanel"));
    makeRows(CategoryPanel::RowCount);
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("VScroll1"));
    m_scroll->setFocusPolicy(Qt::NoFocus);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_filling)
            emit scrolled(v);
    });
    m_add = new QLabel(this);
    m_add->setObjectName(QStringLiteral("Label9"));
    m_delete = new QLabel(this);
    m_delete->setObjectName(QStringLiteral("Label13"));
    for (QLabel* b : {m_add, m_delete}) {
        b->setAlignment(Qt::AlignCenter);
        b->setCursor(Qt::PointingHandCursor);
    }
    m_add->installEventFilter(this);
    m_delete->installEventFilter(this);
}

void CategoryPanelWidget::makeRows(int count) {
    for (int r = static_cast<int>(m_checks.size()); r < count; ++r) {
        auto* check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("Check1(%1)").arg(r));
        check->setFocusPolicy(Qt::NoFocus);
        connect(check, &QCheckBox::toggled, this, [this, r](bool on) {
            if (!m_filling)
                emit shownChanged(r, on);
        });
        auto* name = new QLabel(this);
        name->setObjectName(QStringLiteral("Label14(%1)").arg(r));
        name->setIndent(3);
        name->installEventFilter(this);
        // A size before the row is first shown (the panel's layout gives the real one): a widget shown
        // without one is first sized to its contents, a text layout for nothing.
        check->resize(check->size());
        name->resize(name->size());
        m_checks.push_back(check);
        m_names.push_back(name);
    }
    m_rowCount = count;
}

void CategoryPanelWidget::emphasise(QLabel* button) {
    for (QLabel* b : {m_add, m_delete}) {
        QFont f = b->font();
        f.setBold(b == button);
        b->setFont(f);
    }
}

bool CategoryPanelWidget::eventFilter(QObject* watched, QEvent* event) {
    const bool isButton = watched == m_add || watched == m_delete;
    if (isButton) {
        if (event->type() == QEvent::Enter)
            emphasise(static_cast<QLabel*>(watched));
        else if (event->type() == QEvent::Leave)
            emphasise(nullptr);
        else if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            auto* button = static_cast<QLabel*>(watched);
            if (mouse->button() == Qt::LeftButton && button->rect().contains(mouse->position().toPoint())) {
                if (watched == m_add)
                    emit addClicked();
                else
                    emit deleteClicked();
                return true;
            }
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        for (std::size_t r = 0; r < m_names.size(); ++r) {
            if (watched == m_names[r]) {
                emit renameRequested(static_cast<int>(r));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CategoryPanelWidget::setPanel(const CategoryPanel& panel) {
    m_filling = true;
    const int rows = static_cast<int>(panel.rows.size());
    const bool resized = rows != m_rowCount;
    makeRows(rows);
    for (int r = 0; r < static_cast<int>(m_checks.size()); ++r) {
        QCheckBox* check = m_checks[static_cast<std::size_t>(r)];
        QLabel* name = m_names[static_cast<std::size_t>(r)];
        if (r >= rows) {
            check->hide();
            name->hide();
            continue;
        }
        const CategoryRow& row = panel.rows[static_cast<std::size_t>(r)];
        const QString text = FromFileText(row.caption);
        name->setText(text);
        name->setToolTip(text);
        check->setChecked(row.ticked);
        const QColor colour = FromColourNumber(row.colour);
        const QString background = QStringLiteral("background: %1;").arg(colour.name());
        // Dark ink on the category's colour, or white where dark ink would not stand out.
        const QColor ink = FromColourNumber(ReadableTextColour(ToColourNumber(QColor(0x1d, 0x24, 0x30)), row.colour));
        const QString nameStyle = background + QStringLiteral("color: %1; border-radius: 0px;").arg(ink.name());
        // A style sheet is set only when the row's colour changed: setting one restyles the widget.
        if (name->styleSheet() != nameStyle)
            name->setStyleSheet(nameStyle);
        if (check->styleSheet() != background)
            check->setStyleSheet(background);
        // The tick in the name's ink on a box of the category's colour, whatever the skin's colours.
        if (check->palette().color(QPalette::Text) != ink || check->palette().color(QPalette::Base) != colour) {
            QPalette p = check->palette();
            p.setColor(QPalette::Text, ink);
            p.setColor(QPalette::Base, colour);
            p.setColor(QPalette::Window, colour);
            check->setPalette(p);
        }
        check->setVisible(row.visible);
        name->setVisible(row.visible);
    }
    m_scroll->setRange(0, panel.scrollMaximum);
    m_scroll->setValue(panel.first);
    m_scroll->setVisible(panel.scrollBarVisible);
    m_filling = false;
    if (resized)
        layOut();
}

void CategoryPanelWidget::setTextColour(const QColor& colour) {
    const QString style = QStringLiteral("color: %1;").arg(colour.name());
    m_add->setStyleSheet(style);
    m_delete->setStyleSheet(style);
}

void CategoryPanelWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

int CategoryPanelWidget::HeightFor(int rows) {
    return rows * RowHeight + 28;
}

void CategoryPanelWidget::layOut() {
    const int w = width();
    const int nameWidth = w - 18 - ScrollWidth - 1;
    for (int r = 0; r < static_cast<int>(m_checks.size()); ++r) {
        const int y = r * RowHeight;
        m_checks[static_cast<std::size_t>(r)]->setGeometry(0, y + 1, 18, RowHeight - 2);
        m_names[static_cast<std::size_t>(r)]->setGeometry(18, y + 1, nameWidth, RowHeight - 2);
    }
    m_scroll->setGeometry(w - ScrollWidth, 0, ScrollWidth, m_rowCount * RowHeight);
    const int buttonsTop = m_rowCount * RowHeight + 4;
    m_add->setGeometry(0, buttonsTop, w / 2 - 1, 18);
    m_delete->setGeometry(w / 2 + 1, buttonsTop, w / 2 - 1, 18);
}

} // namespace plandeck
