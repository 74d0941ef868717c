#pragma once

#include "base/FileStamp.h"
#include "base/TextFile.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

// A change of a text file as lines: the lines it takes out (by their index before the change) and the lines it
// puts in (by their index after it). Undo keeps these, never a copy of the file.
struct LineChange {
    struct Line {
        std::size_t index = 0;
        std::string text;
        friend bool operator==(const Line&, const Line&) = default;
    };
    // An added line's index that puts it after the last line.
    static constexpr std::size_t AtEnd = static_cast<std::size_t>(-1);

    std::vector<Line> removed; // ascending indexes of the file before the change
    std::vector<Line> added;   // ascending indexes of the file after the change

    bool empty() const { return removed.empty() && added.empty(); }
    // The change that takes this one back.
    LineChange inverse() const { return {added, removed}; }
    friend bool operator==(const LineChange&, const LineChange&) = default;
};

// How line positions moved when another program changed the file: lines before `firstChanged` kept their
// place, lines from `oldTail` on moved by `shift`, and the lines in between (the ones that changed) are taken
// to stand at `firstChanged`.
struct LineShift {
    std::size_t firstChanged = 0;
    std::size_t oldTail = 0;
    std::ptrdiff_t shift = 0;

    std::size_t map(std::size_t index) const;
    LineChange::Line map(LineChange::Line line) const;
    void map(LineChange& change) const;
    // The shift between two versions of a file: the lines they share at the start and at the end.
    static LineShift Between(const TextLines& before, const TextLines& after);
};

// How a rewrite joins the lines.
enum class JoinRule {
    // CR LF after every line.
    CrLfAfterEach,
    // The notes file's rule: empty lines before the first non-empty line of the old file are dropped, every
    // line ends in CR LF, and a file left with no line holds a single CR LF.
    Notes,
};

enum class ChangeStatus {
    Done,
    Stale,      // a line the change takes out is no longer in the file: nothing was written
    Unreadable, // the file could not be read in full: nothing was written
    Failed,     // the write failed: the file is as it was
};

struct ChangeOutcome {
    ChangeStatus status = ChangeStatus::Done;
    std::string error;   // for Unreadable and Failed, in words a user can be shown
    LineChange applied;  // what was done, with the positions it was done at (for undo)
    bool reread = false; // another program had changed the file: it was read again first

    bool done() const { return status == ChangeStatus::Done; }
};

// A change worked out against the file as held, ready to be written.
struct PreparedChange {
    ChangeOutcome outcome;
    TextLines lines;            // the file as it will be
    LineChange requested;       // the change as asked, for a second try when the file changes meanwhile
    FileStamp basis;            // the file the change was worked out against
    bool appendOnly = false;    // lines added at the end only: written in place
    std::size_t appendFrom = 0; // with appendOnly: the bytes from here on are new
};

// The one owner of a text file: it reads the file, keeps its bytes and the stamp of what it last read or wrote,
// and does every write. Before it replaces the file it checks that the file is still the one it read; a change
// made by another program meanwhile is read and the change is applied to the new content when the lines it
// takes out are still there (matched by text). Lines another program appends to the old file while it is being
// replaced are carried over to the new one. Lines added at the end only are appended in place.
class TrackedFile {
public:
    TrackedFile(std::string path, JoinRule rule);
    ~TrackedFile();
    TrackedFile(const TrackedFile&) = delete;
    TrackedFile& operator=(const TrackedFile&) = delete;

    const std::string& path() const { return m_path; }
    // Another file from now on; it is read on the next `reload`.
    void setPath(std::string path);

    // Reads the file when its stamp differs from the one held (always when `force`). Returns whether the held
    // content changed; `lastShift` then says how line positions moved.
    bool reload(bool force = false);
    // One stat: whether the file on disk differs from what is held.
    bool changedOnDisk() const;

    const TextLines& lines() const { return m_lines; }
    ReadStatus status() const { return m_status; }
    bool readable() const { return m_status != ReadStatus::Failed; }
    const std::string& readError() const { return m_readError; }
    const FileStamp& stamp() const { return m_stamp; }
    const LineShift& lastShift() const { return m_shift; }

    // Works out what the file would hold after `change`, against the file as it is now (read again first when
    // another program changed it). Nothing is written.
    PreparedChange prepare(const LineChange& change);
    // Writes a prepared change. When the file changed since it was prepared, the change is worked out again.
    ChangeOutcome commit(PreparedChange prepared);
    // prepare and commit in one.
    ChangeOutcome apply(const LineChange& change) { return commit(prepare(change)); }
    // Lines added at the end of the file, in place, with the file's own line ends.
    ChangeOutcome append(std::span<const std::string> lines);

    // Carries over what other programs appended to the files this one replaced since the last call. Call it
    // about a second after a write, and once more later; `last` closes the old files.
    void carryLateAppends(bool last);
    // Whether old files are still watched for late appends.
    bool watchingOldFiles() const { return !m_replaced.empty(); }

    // Called with the file about to be replaced by a rewrite (symbolic links followed), right before the
    // rename, while the path still names it: a backup can link it then, at no cost. Appends in place and the
    // first write of a missing file do not call it. Whatever it does, the write goes on.
    using BeforeReplace = std::function<void(const std::string& replacedFile)>;
    void setBeforeReplace(BeforeReplace hook) { m_beforeReplace = std::move(hook); }

private:
    struct Replaced {
        int fd = -1;
        std::int64_t carried = 0; // bytes of the old file already in the new one
    };
    void adopt(TextLines lines, const FileStamp& stamp);
    ChangeOutcome writePrepared(PreparedChange& prepared);
    // Appends bytes at the end of the current file; returns 0 or an errno.
    int appendBytes(std::string_view bytes);

    std::string m_path;
    JoinRule m_rule;
    TextLines m_lines;
    FileStamp m_stamp;
    ReadStatus m_status = ReadStatus::Missing;
    std::string m_readError;
    bool m_loaded = false;
    LineShift m_shift;
    std::vector<Replaced> m_replaced;
    BeforeReplace m_beforeReplace;
};

// The line end the file's lines use, by the one rule of every append: lone CR for a file with no LF but CRs,
// LF for a file whose last line end is a bare LF, CR LF otherwise (and for an empty file).
std::string_view LineEndOf(std::string_view bytes);

// The file's lines after `change`, joined by `rule`; `applied` receives the change as it was done (lines the
// rule dropped count as removed). The change's removed lines must stand at their indexes.
std::string BuildLines(const TextLines& lines, const LineChange& change, JoinRule rule, LineChange& applied);

// The change with each removed line found in `lines`: at its index when the text is there, else the nearest
// line with the same text. False when a line cannot be found.
bool ResolveChange(const TextLines& lines, LineChange& change);

} // namespace plandeck
