#pragma once

#include "base/TrackedFile.h"
#include "notes/NotesIndex.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plandeck {

// The one owner of the notes file: the notes as last read or written, indexed by month, and every write to
// the file. A change can be shown before it is written (`prepare`, then `commitPending`): until then the notes
// read as the change leaves them, and a write that fails takes only that change back.
class NotesFile {
public:
    explicit NotesFile(std::string path = {});

    const std::string& path() const { return m_file.path(); }
    void setPath(std::string path);

    // One stat; the file is read again when another program changed it. True when the notes changed.
    bool refresh();
    // Whether another program changed the file since it was read or written (one stat).
    bool changedOnDisk() const { return m_file.changedOnDisk(); }

    // The notes as shown: the file as held, or as a pending change leaves it.
    const TextLines& lines() const { return m_pending ? m_pending->prepared.lines : m_file.lines(); }
    std::vector<std::uint32_t> candidates(std::span<const ShownMonth> months) const {
        return index().candidates(months);
    }
    // The damaged lines with their texts, in file order.
    LineChange damagedLines() const;
    bool readable() const { return m_file.readable(); }
    const std::string& readError() const { return m_file.readError(); }
    const LineShift& lastShift() const { return m_file.lastShift(); }
    const TrackedFile& file() const { return m_file; }

    // Works out a change and shows it until `commitPending`. A change another is still pending for writes that
    // one first.
    ChangeOutcome prepare(const LineChange& change);
    bool hasPending() const { return m_pending.has_value(); }
    // Writes the pending change. On failure the notes read as before it.
    ChangeOutcome commitPending();
    // prepare and commit in one.
    ChangeOutcome apply(const LineChange& change);

    void carryLateAppends(bool last) { m_file.carryLateAppends(last); }
    // Called right before a rewrite replaces the file (see TrackedFile::setBeforeReplace).
    void setBeforeReplace(TrackedFile::BeforeReplace hook) { m_file.setBeforeReplace(std::move(hook)); }

private:
    struct Pending {
        PreparedChange prepared;
        NotesIndex index;
    };
    const NotesIndex& index() const { return m_pending ? m_pending->index : m_index; }
    void reindex();

    TrackedFile m_file;
    NotesIndex m_index;
    std::optional<Pending> m_pending;
};

} // namespace plandeck
