#include "app/MainWindow.h"

#include "calendar/ui/HourGridWidget.h"
#include "platform/FileWatcher.h"
#include "platform/Text.h"

#include <QApplication>

namespace plandeck {

namespace {

// Lines another program appends to a file just replaced are carried over once more this long after a write.
constexpr int LateAppendMilliseconds = 1000;
// The watcher may miss a change (a file system without notifications): a stat this often is the backstop.
constexpr int BackstopMilliseconds = 2000;

} // namespace

void MainWindow::watchFiles() {
    m_watcher = new FileWatcher(this);
    connect(m_watcher, &FileWatcher::changed, this, &MainWindow::outsideChange);
    m_lateAppends = new QTimer(this);
    m_lateAppends->setSingleShot(true);
    m_lateAppends->setInterval(LateAppendMilliseconds);
    connect(m_lateAppends, &QTimer::timeout, this, [this] { apply(m_session->carryLateAppends()); });
    m_fileLook = new QTimer(this);
    m_fileLook->setInterval(BackstopMilliseconds);
    connect(m_fileLook, &QTimer::timeout, this, &MainWindow::outsideChange);
    m_fileLook->start();
    m_watcher->setFiles({QString::fromStdString(m_session->notesPath()),
                         QString::fromStdString(m_session->dataDirectory().categoryFile())});
}

bool MainWindow::busyForOutsideChanges() const {
    return m_grid->dragging() || m_categoryDrag || m_editor->isVisible() || m_wizard ||
           QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr;
}

void MainWindow::outsideChange() {
    if (!m_watcher)
        return;
    // Nothing changes under the user's hands: a change waits until the drag, editor, wizard or question ends.
    if (busyForOutsideChanges()) {
        QTimer::singleShot(FileWatcher::QuietMilliseconds, this, &MainWindow::outsideChange);
        return;
    }
    apply(m_session->outsideChanges());
}

void MainWindow::finishPendingWrite() {
    // The change is on the screen before the disk is touched.
    m_grid->repaint();
    apply(m_session->finishWrites());
    if (m_lateAppends)
        m_lateAppends->start();
}

void MainWindow::undoOrRedo(bool redo) {
    if (m_editor->isVisible())
        return;
    apply(redo ? m_session->redo() : m_session->undo());
    if (m_lateAppends)
        m_lateAppends->start();
}

} // namespace plandeck
