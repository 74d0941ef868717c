#include "editing/EditHistory.h"

namespace plandeck {

void EditHistory::record(EditStep step) {
    if (step.change.empty())
        return;
    m_redo.clear();
    m_undo.push_back(std::move(step));
    if (m_undo.size() > Depth)
        m_undo.pop_front();
}

void EditHistory::undone(const LineChange& applied) {
    if (m_undo.empty())
        return;
    EditStep step = std::move(m_undo.back());
    m_undo.pop_back();
    // Redo takes back what the undo did.
    step.change = applied.inverse();
    m_redo.push_back(std::move(step));
}

void EditHistory::redone(const LineChange& applied) {
    if (m_redo.empty())
        return;
    EditStep step = std::move(m_redo.back());
    m_redo.pop_back();
    step.change = applied;
    m_undo.push_back(std::move(step));
}

void EditHistory::dropUndo() {
    if (!m_undo.empty())
        m_undo.pop_back();
}

void EditHistory::dropRedo() {
    if (!m_redo.empty())
        m_redo.pop_back();
}

void EditHistory::shift(EditedFile file, const LineShift& shift) {
    for (auto* steps : {&m_undo, &m_redo})
        for (EditStep& step : *steps)
            if (step.file == file)
                shift.map(step.change);
}

void EditHistory::clear() {
    m_undo.clear();
    m_redo.clear();
}

} // namespace plandeck
