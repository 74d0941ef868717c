#include "notes/NotesFile.h"

namespace plandeck {

NotesFile::NotesFile(std::string path) : m_file(std::move(path), JoinRule::Notes) {}

void NotesFile::setPath(std::string path) {
    m_pending.reset();
    m_file.setPath(std::move(path));
    m_file.reload(true);
    reindex();
}

void NotesFile::reindex() {
    m_index.build(m_file.lines());
}

bool NotesFile::refresh() {
    if (!m_file.changedOnDisk() || !m_file.reload())
        return false;
    reindex();
    return true;
}

LineChange NotesFile::damagedLines() const {
    LineChange change;
    for (std::uint32_t i : index().damaged())
        change.removed.push_back({i, std::string(lines().line(i))});
    return change;
}

ChangeOutcome NotesFile::prepare(const LineChange& change) {
    if (m_pending) {
        const ChangeOutcome earlier = commitPending();
        if (!earlier.done())
            return earlier;
    }
    const std::size_t heldLines = m_file.lines().size();
    PreparedChange prepared = m_file.prepare(change);
    if (prepared.outcome.reread)
        reindex();
    ChangeOutcome outcome = prepared.outcome;
    if (!outcome.done())
        return outcome;
    NotesIndex index;
    if (prepared.appendOnly && !prepared.outcome.reread) {
        index = m_index;
        index.addFrom(prepared.lines, heldLines);
    } else {
        index.build(prepared.lines);
    }
    m_pending = Pending{std::move(prepared), std::move(index)};
    return outcome;
}

ChangeOutcome NotesFile::commitPending() {
    if (!m_pending)
        return {};
    Pending pending = std::move(*m_pending);
    m_pending.reset();
    const std::size_t expected = pending.prepared.lines.bytes().size();
    ChangeOutcome outcome = m_file.commit(std::move(pending.prepared));
    if (outcome.done() && !outcome.reread && m_file.lines().bytes().size() == expected)
        m_index = std::move(pending.index);
    else
        reindex();
    return outcome;
}

ChangeOutcome NotesFile::apply(const LineChange& change) {
    const ChangeOutcome prepared = prepare(change);
    if (!prepared.done())
        return prepared;
    ChangeOutcome written = commitPending();
    written.reread = written.reread || prepared.reread;
    return written;
}

} // namespace plandeck
