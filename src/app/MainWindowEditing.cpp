// The main window's part in editing notes and moving them with the mouse: it turns keys, presses, moves and
// releases into commands of the session, and shows the note menu, the in-place editor and the ghost of a
// category being dragged.
#include "app/MainWindow.h"

#include "editing/ui/CategoryPanelWidget.h"
#include "editing/ui/NoteMenu.h"
#include "platform/Text.h"
#include "settings/LanguageEntries.h"
#include "widgets/DragWatch.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <algorithm>

namespace plandeck {

namespace {

constexpr int MaximumGhostWidth = 200; // pixels

// Controls along the window's edges that take a drop as if it were made on the grid.
bool IsDecoration(const QWidget* w) {
    const QString name = w->objectName();
    return name == QLatin1String("Image17") || name == QLatin1String("Image24") || name == QLatin1String("Label41") ||
           name == QLatin1String("Label42");
}

} // namespace

void MainWindow::buildNoteEditing() {
    m_menu = new NoteMenu(noteMenuItems(), m_grid);
    connect(m_menu, &NoteMenu::chosen, this, [this](Command command) {
        // The items act on the tile the menu was opened on, even when the pointer crossed another on the way.
        pointerOverGrid(m_menuPoint);
        run(command);
    });

    m_ghost = new QFrame(this);
    m_ghost->setObjectName(QStringLiteral("Frame4"));
    m_ghost->setFrameShape(QFrame::Box);
    // The ghost follows the pointer; a drop lands on whatever lies under it.
    m_ghost->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ghost->hide();
    m_categoryDragWatch = new DragWatch(this, [this] { cancelCategoryDrag(); });

    m_keys->installEventFilter(this);
    m_editor->installEventFilter(this);

    connect(m_grid, &HourGridWidget::pointerMoved, this, &MainWindow::pointerOverGrid);
    connect(m_grid, &HourGridWidget::notePressed, m_menu, &QWidget::hide);
    connect(m_grid, &HourGridWidget::emptyPressed, m_menu, &QWidget::hide);
    connect(m_grid, &HourGridWidget::emptyGridPressed, this, [this](QPointF twips) {
        m_keys->setFocus();
        // With the note menu open, the press only closes it.
        if (m_menu->isVisible()) {
            m_menu->hide();
            return;
        }
        // The grid takes the focus from the editor, which closes without saving.
        if (m_editor->isVisible()) {
            closeEditor();
            m_session->leaveInlineEdit();
        }
        openWizardAt(twips);
    });
    connect(this, &MainWindow::editInWizardRequested, this, &MainWindow::openWizardForLine);
    connect(m_grid, &HourGridWidget::menuRequested, this, [this](int, QPoint pixel) {
        // The menu acts on the tile under the press.
        m_menuPoint = HourGridWidget::ToTwips(pixel);
        pointerOverGrid(m_menuPoint);
        if (!m_session->selectedTile())
            return;
        // The skin's menu text colour on a ground it can be read on: the hint line's, which skins pair with
        // their text colours.
        const QColor text = m_colours.menuText ? FromColourNumber(*m_colours.menuText) : QColor(Qt::black);
        const QColor ground = m_colours.hintBackground ? FromColourNumber(*m_colours.hintBackground)
                              : text.lightness() > 128 ? QColor(32, 36, 48)
                                                       : QColor(Qt::white);
        m_menu->setColours(
            text, m_colours.menuHighlight ? FromColourNumber(*m_colours.menuHighlight) : QColor(Qt::blue), ground);
        m_menu->popUp(pixel, noteMenuCaptions());
    });
    connect(m_grid, &HourGridWidget::noteReleased, this, &MainWindow::releaseTile);
    connect(m_grid, &HourGridWidget::noteDragged, this, [this](int slot, QPoint globalPos, float grabY) {
        std::optional<HourGridWidget::DropPreview> preview;
        if (const std::optional<GridPoint> at = dropPointAt(globalPos, slot))
            if (const std::optional<DropResult> drop = m_session->previewTileDrop(slot, at->x, at->y, grabY)) {
                preview =
                    HourGridWidget::DropPreview{PlacedRect(m_session->grid().view, *drop), TileCaption(drop->line)};
            }
        m_grid->setDropPreview(std::move(preview));
    });
    connect(m_grid, &HourGridWidget::gripReleased, this, [this](int slot, float gripTop) {
        apply(m_session->resizeTile(slot, gripTop));
        if (!m_editor->isVisible())
            m_keys->setFocus();
    });
}

bool MainWindow::noteEditingEvent(QObject* watched, QEvent* event) {
    if (watched == m_keys) {
        if (event->type() == QEvent::KeyPress)
            return keyCommand(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control)
            m_session->setCopyFlag(false);
        // Tab from another control comes to the notes: the first one, or the last for Shift+Tab.
        if (event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
                m_session->clearSelection();
                selectTile(reason == Qt::TabFocusReason ? TileStep::Next : TileStep::Previous);
            }
        }
        return false;
    }
    if (watched == m_editor) {
        if (event->type() == QEvent::KeyPress)
            return editorKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut && !m_closingEditor && m_editor->isVisible()) {
            // Another control took the focus: nothing is saved. Switching to another program or opening the
            // editor's own context menu is no such loss.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                closeEditor();
                m_session->leaveInlineEdit();
                m_keys->setFocus();
            }
        }
        return false;
    }
    for (int row = 0; row < m_categoryPanel->rowCount(); ++row)
        if (watched == m_categoryPanel->name(row))
            return categoryDragEvent(row, event);
    return false;
}

bool MainWindow::editorKey(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const std::string typed = ToFileText(m_editor->text());
        const Changes changes = m_session->commitInlineEdit(typed);
        // A refused edit keeps the editor open with what the user typed; the message says why.
        if (!m_session->inlineEditOpen()) {
            closeEditor();
            m_keys->setFocus();
        }
        apply(changes);
        return true;
    }
    case Qt::Key_Escape:
        closeEditor();
        m_keys->setFocus();
        apply(m_session->cancelInlineEdit());
        return true;
    default:
        return false;
    }
}

void MainWindow::pointerOverGrid(QPointF twips) {
    const PointerHit hit =
        m_session->pointAt(static_cast<float>(twips.x()), static_cast<float>(twips.y()), m_grid->gripArea());
    showHint(hit.part == PointerPart::Grip       ? Entry::HintResizeGrip
             : hit.part == PointerPart::TileText ? Entry::HintNote
                                                 : Entry::HintGrid);
    if (hit.part == PointerPart::Grip)
        m_grid->setCursor(Qt::SizeVerCursor);
    else
        m_grid->unsetCursor();
    m_grid->setSelectedSlot(m_session->selectedSlot());
}

void MainWindow::deleteSelectedNote() {
    m_menu->hide();
    apply(m_session->deleteSelectedNote());
    if (!m_editor->isVisible())
        m_keys->setFocus();
}

void MainWindow::beginInlineEdit() {
    m_menu->hide();
    if (!m_session->beginInlineEdit())
        return;
    const NoteTile* tile = m_session->inlineEditTile();
    if (!tile)
        return;
    placeEditor(*tile);
    m_editor->setText(FromFileText(tile->text));
    m_editor->show();
    m_editor->raise();
    m_editor->setFocus();
    m_grid->setNoteDragsEnabled(false);
}

void MainWindow::placeEditor(const NoteTile& tile) {
    // Over the tile's text (a new note's a little further in), in the tile's colour, never lower than a line.
    const bool placeholder = tile.text == PlaceholderText;
    const QRectF r = HourGridWidget::ToPixels(
        placeholder ? TileRect{tile.shape.left + 20, tile.shape.top + 20, tile.shape.width - 40, tile.shape.height}
                    : TileRect{tile.label.left, tile.label.top + 10, tile.label.width, tile.label.height - 20});
    const int height = std::max(static_cast<int>(r.height()), m_editor->fontMetrics().height() + 6);
    m_editor->setGeometry(static_cast<int>(r.left()), static_cast<int>(r.top()),
                          std::max(40, static_cast<int>(r.width())),
                          placeholder ? m_editor->sizeHint().height() : height);
    // The text takes the colour the tile's own text is drawn in, so a dark category never hides it.
    m_editor->setStyleSheet(QStringLiteral("background: %1; color: %2;")
                                .arg(FromColourNumber(tile.fillColour).name(), m_grid->faceOf(tile).ink.name()));
}

void MainWindow::editInWizard() {
    m_menu->hide();
    if (const int line = m_session->selectedNoteLine(); line > 0)
        emit editInWizardRequested(line);
}

void MainWindow::showEditor() {
    if (m_editor->isVisible() && m_session->inlineEditOpen()) {
        // The user is typing: a refresh moves the editor with its note but never touches the text.
        if (const NoteTile* tile = m_session->inlineEditTile())
            placeEditor(*tile);
        return;
    }
    if (m_editor->isVisible()) {
        closeEditor(); // its note was deleted or moved meanwhile
        m_keys->setFocus();
    }
    if (m_session->editedLine() <= 0 || !m_session->placeholderEditorOpened())
        return;
    if (const NoteTile* tile = m_session->inlineEditTile())
        placeEditor(*tile);
    m_editor->setText(QString::fromLatin1(PlaceholderText));
    m_editor->selectAll();
    m_editor->show();
    m_editor->raise();
    m_editor->setFocus();
    m_grid->setNoteDragsEnabled(false);
}

void MainWindow::closeEditor() {
    m_closingEditor = true;
    m_editor->hide();
    m_closingEditor = false;
    m_grid->setNoteDragsEnabled(true);
}

std::optional<GridPoint> MainWindow::dropPointAt(QPoint globalPos, int draggedSlot) const {
    QWidget* w = childAt(mapFromGlobal(globalPos));
    DropTarget target = DropTarget::Elsewhere;
    if (w == m_grid) {
        const PointerHit hit = m_grid->hitAt(m_grid->mapFromGlobal(globalPos));
        // A tile moved by less than its height is let go over its own grip: that is still a move.
        const bool ownGrip = hit.part == PointerPart::Grip && hit.slot == draggedSlot;
        target = hit.part == PointerPart::Grip && !ownGrip ? DropTarget::ResizeGrip
                 : hit.part == PointerPart::TileText       ? DropTarget::TileLabel
                                                           : DropTarget::Grid;
    } else if (w && IsDecoration(w)) {
        target = DropTarget::Decoration;
    }
    if (!w)
        return std::nullopt;
    const QPointF inTarget = HourGridWidget::ToTwips(w->mapFromGlobal(globalPos));
    const QPointF origin = HourGridWidget::ToTwips(m_grid->mapFromGlobal(w->mapToGlobal(QPoint(0, 0))));
    return DropPointOnTarget(target, {static_cast<float>(inTarget.x()), static_cast<float>(inTarget.y())},
                             {static_cast<float>(origin.x()), static_cast<float>(origin.y())});
}

void MainWindow::releaseTile(int slot, QPoint globalPos, float grabY, Qt::KeyboardModifiers modifiers) {
    if (const std::optional<GridPoint> at = dropPointAt(globalPos, slot))
        apply(m_session->dropTile(slot, at->x, at->y, grabY, modifiers.testFlag(Qt::ControlModifier)));
    if (!m_editor->isVisible())
        m_keys->setFocus();
}

void MainWindow::cancelCategoryDrag() {
    m_categoryDragWatch->stop();
    m_categoryDrag.reset();
    m_ghost->hide();
}

bool MainWindow::categoryDragEvent(int row, QEvent* event) {
    auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse)
        return false;
    auto centreGhostOn = [this](QPointF global) {
        m_ghost->move(mapFromGlobal(global.toPoint()) - QPoint(m_ghost->width() / 2, m_ghost->height() / 2));
    };
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const CategoryPanel& panel = m_session->categoryPanel();
        const CategoryRow& shown = panel.rows[static_cast<std::size_t>(row)];
        if (mouse->button() != Qt::LeftButton || !shown.visible || shown.caption.empty())
            return false;
        const WeekView& v = m_session->grid().view;
        const int width = std::min(static_cast<int>(v.columnWidth / WeekView::TwipsPerPixel), MaximumGhostWidth);
        const int height = std::max(static_cast<int>(v.hourHeight / WeekView::TwipsPerPixel), 4);
        m_categoryDrag = CategoryDrag{panel.first + row, static_cast<float>(height * WeekView::TwipsPerPixel)};
        m_ghost->setStyleSheet(
            QStringLiteral("QFrame#Frame4 { background: %1; border: 1px solid %2; }")
                .arg(FromColourNumber(shown.colour).name(), FromColourNumber(shown.colour).darker(200).name()));
        m_ghost->resize(width, height);
        centreGhostOn(mouse->globalPosition());
        m_ghost->show();
        m_ghost->raise();
        m_menu->hide();
        showHint(Entry::HintCategoryDrag);
        m_categoryDragWatch->start();
        return true;
    }
    case QEvent::MouseMove:
        if (!m_categoryDrag)
            return false;
        centreGhostOn(mouse->globalPosition());
        return true;
    case QEvent::MouseButtonRelease: {
        if (!m_categoryDrag || mouse->button() != Qt::LeftButton)
            return false;
        m_categoryDragWatch->stop();
        const CategoryDrag drag = *std::exchange(m_categoryDrag, std::nullopt);
        m_ghost->hide();
        if (const std::optional<GridPoint> at = dropPointAt(mouse->globalPosition().toPoint(), 0))
            apply(m_session->dropCategory(drag.category, at->x, at->y, drag.ghostHeight));
        if (!m_editor->isVisible())
            m_keys->setFocus();
        return true;
    }
    default:
        return false;
    }
}

} // namespace plandeck
