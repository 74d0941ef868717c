#include "base/TrackedFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plandeck {

namespace {

constexpr std::string_view CrLf = "\r\n";
// Tries at a write while other programs keep changing the file.
constexpr int WriteAttempts = 5;
// How often, and how far apart, a file that ends inside a line is looked at again before it counts as read.
constexpr int SettleLooks = 5;
constexpr useconds_t SettleMicroseconds = 1000;
// Old files watched for late appends at most.
constexpr std::size_t ReplacedKept = 16;

bool SameFile(const FileStamp& a, const FileStamp& b) {
    return a.exists == b.exists && a.device == b.device && a.inode == b.inode;
}

// The bytes of `fd` from `from` to its end.
std::string ReadFrom(int fd, std::int64_t from, std::int64_t to) {
    std::string bytes(static_cast<std::size_t>(to - from), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(from) + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

bool EndsWithLineEnd(std::string_view bytes, std::string_view lineEnd) {
    return bytes.empty() || bytes.back() == lineEnd.back();
}

// Whether the bytes end inside a line: the last byte is no line end of any kind. Another program's append
// that was read half-way (a write that crosses a page is seen in two parts) looks like this.
bool EndsMidLine(std::string_view bytes) {
    return !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
}

} // namespace

std::size_t LineShift::map(std::size_t index) const {
    if (index < firstChanged || index == LineChange::AtEnd)
        return index;
    if (index >= oldTail)
        return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(index) + shift);
    return firstChanged;
}

LineChange::Line LineShift::map(LineChange::Line line) const {
    line.index = map(line.index);
    return line;
}

void LineShift::map(LineChange& change) const {
    for (LineChange::Line& l : change.removed)
        l.index = map(l.index);
    for (LineChange::Line& l : change.added)
        l.index = map(l.index);
}

LineShift LineShift::Between(const TextLines& before, const TextLines& after) {
    const std::size_t common = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    while (prefix < common && before.line(prefix) == after.line(prefix))
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < common - prefix && before.line(before.size() - 1 - suffix) == after.line(after.size() - 1 - suffix))
        ++suffix;
    LineShift shift;
    shift.firstChanged = prefix;
    shift.oldTail = before.size() - suffix;
    shift.shift = static_cast<std::ptrdiff_t>(after.size()) - static_cast<std::ptrdiff_t>(before.size());
    return shift;
}

std::string_view LineEndOf(std::string_view bytes) {
    const std::size_t lf = bytes.rfind('\n');
    if (lf == std::string_view::npos)
        return bytes.find('\r') == std::string_view::npos ? CrLf : std::string_view("\r");
    return lf > 0 && bytes[lf - 1] == '\r' ? CrLf : std::string_view("\n");
}

bool ResolveChange(const TextLines& lines, LineChange& change) {
    std::vector<bool> taken;
    auto free = [&](std::size_t i) { return i >= taken.size() || !taken[i]; };
    for (LineChange::Line& removed : change.removed) {
        const std::size_t n = lines.size();
        std::size_t found = n;
        if (removed.index < n && lines.line(removed.index) == removed.text && free(removed.index)) {
            found = removed.index;
        } else {
            // The nearest line with the same text, looking both ways from where it was.
            const std::size_t start = std::min(removed.index, n);
            auto matches = [&](std::size_t i) { return lines.line(i) == removed.text && free(i); };
            if (start < n && matches(start))
                found = start;
            for (std::size_t d = 1; found == n && (start >= d || start + d < n); ++d) {
                if (start >= d && start - d < n && matches(start - d))
                    found = start - d;
                else if (start + d < n && matches(start + d))
                    found = start + d;
            }
        }
        if (found == n)
            return false;
        if (taken.size() < n)
            taken.resize(n, false);
        taken[found] = true;
        removed.index = found;
    }
    std::sort(change.removed.begin(), change.removed.end(),
              [](const LineChange::Line& a, const LineChange::Line& b) { return a.index < b.index; });
    return true;
}

std::string BuildLines(const TextLines& lines, const LineChange& change, JoinRule rule, LineChange& applied) {
    applied = {};
    const std::string& source = lines.bytes();
    std::string out;
    std::size_t addedBytes = 0;
    for (const LineChange::Line& l : change.added)
        addedBytes += l.text.size() + 2;
    out.reserve(source.size() + addedBytes + 2);

    // Lines that already end in CR LF are copied in runs, straight from the bytes held.
    std::size_t runStart = 0, runEnd = 0;
    auto flush = [&] {
        out.append(source, runStart, runEnd - runStart);
        runStart = runEnd = 0;
    };
    std::size_t outIndex = 0;
    std::size_t nextAdded = 0;
    auto emitAdded = [&](bool all) {
        while (nextAdded < change.added.size() && (all || change.added[nextAdded].index <= outIndex)) {
            flush();
            const std::string& text = change.added[nextAdded].text;
            out += text;
            out += CrLf;
            applied.added.push_back({outIndex++, text});
            ++nextAdded;
        }
    };
    std::size_t nextRemoved = 0;
    bool keptNonEmpty = rule != JoinRule::Notes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines.line(i);
        if (nextRemoved < change.removed.size() && change.removed[nextRemoved].index == i) {
            applied.removed.push_back({i, std::string(line)});
            ++nextRemoved;
            continue;
        }
        if (!keptNonEmpty) {
            if (line.empty()) {
                applied.removed.push_back({i, std::string()});
                continue;
            }
            keptNonEmpty = true;
        }
        emitAdded(false);
        const std::size_t begin = lines.offset(i);
        const std::size_t after = begin + line.size();
        if (after + 1 < source.size() && source[after] == '\r' && source[after + 1] == '\n') {
            if (runEnd != begin) {
                flush();
                runStart = begin;
            }
            runEnd = after + 2;
        } else {
            flush();
            out += line;
            out += CrLf;
        }
        ++outIndex;
    }
    emitAdded(true);
    flush();
    if (rule == JoinRule::Notes && outIndex == 0)
        out = CrLf; // a file emptied completely holds one line end
    return out;
}

TrackedFile::TrackedFile(std::string path, JoinRule rule) : m_path(std::move(path)), m_rule(rule) {}

TrackedFile::~TrackedFile() {
    for (const Replaced& r : m_replaced)
        ::close(r.fd);
}

void TrackedFile::setPath(std::string path) {
    carryLateAppends(true);
    m_path = std::move(path);
    m_loaded = false;
    m_stamp = {};
}

bool TrackedFile::changedOnDisk() const {
    return !m_loaded || StampOf(m_path) != m_stamp;
}

void TrackedFile::adopt(TextLines lines, const FileStamp& stamp) {
    m_lines = std::move(lines);
    m_stamp = stamp;
    m_status = stamp.exists ? ReadStatus::Read : ReadStatus::Missing;
    m_readError.clear();
    m_loaded = true;
}

bool TrackedFile::reload(bool force) {
    const FileStamp stamp = StampOf(m_path);
    if (!force && m_loaded && stamp == m_stamp)
        return false;
    ReadResult file = ReadWholeFile(m_path);
    // A file that ends inside a line may be read in the middle of another program's append: read it again
    // until it stops growing, so that a line is never taken in two halves.
    FileStamp settled = stamp;
    for (int look = 0; look < SettleLooks && file.status == ReadStatus::Read && EndsMidLine(file.bytes); ++look) {
        ::usleep(SettleMicroseconds);
        const FileStamp again = StampOf(m_path);
        if (again == settled && static_cast<std::int64_t>(file.bytes.size()) == again.size)
            break;
        settled = again;
        file = ReadWholeFile(m_path);
    }
    TextLines lines(std::move(file.bytes));
    m_shift = LineShift::Between(m_lines, lines);
    const bool changed = !m_loaded || lines.bytes() != m_lines.bytes() || file.status != m_status;
    m_lines = std::move(lines);
    m_stamp = settled;
    m_status = file.status;
    m_readError = std::move(file.error);
    m_loaded = true;
    return changed;
}

PreparedChange TrackedFile::prepare(const LineChange& change) {
    PreparedChange prepared;
    prepared.requested = change;
    LineChange wanted = change;
    if (changedOnDisk() && reload()) {
        prepared.outcome.reread = true;
        m_shift.map(wanted);
    }
    prepared.basis = m_stamp;
    if (!readable()) {
        prepared.outcome.status = ChangeStatus::Unreadable;
        prepared.outcome.error = m_readError;
        return prepared;
    }
    if (!ResolveChange(m_lines, wanted)) {
        prepared.outcome.status = ChangeStatus::Stale;
        return prepared;
    }
    const std::size_t size = m_lines.size();
    prepared.appendOnly = wanted.removed.empty() && !wanted.added.empty() &&
                          std::all_of(wanted.added.begin(), wanted.added.end(),
                                      [&](const LineChange::Line& l) { return l.index >= size; });
    if (prepared.appendOnly) {
        // Added at the end only: the file keeps its own line ends and is appended to in place.
        const std::string_view lineEnd = LineEndOf(m_lines.bytes());
        std::string tail;
        if (!EndsWithLineEnd(m_lines.bytes(), lineEnd))
            tail = lineEnd;
        for (const LineChange::Line& l : wanted.added) {
            tail += l.text;
            tail += lineEnd;
        }
        prepared.appendFrom = m_lines.bytes().size();
        if (tail.starts_with(lineEnd) && !m_lines.bytes().empty()) {
            // The last line gets its line end first: the lines are split anew.
            prepared.lines = TextLines(m_lines.bytes() + tail);
        } else {
            prepared.lines = m_lines;
            prepared.lines.appendAtLineStart(tail);
        }
        prepared.outcome.applied.added.clear();
        for (std::size_t k = 0; k < wanted.added.size(); ++k)
            prepared.outcome.applied.added.push_back({size + k, wanted.added[k].text});
        return prepared;
    }
    prepared.lines = TextLines(BuildLines(m_lines, wanted, m_rule, prepared.outcome.applied));
    return prepared;
}

ChangeOutcome TrackedFile::commit(PreparedChange prepared) {
    for (int attempt = 0; attempt < WriteAttempts; ++attempt) {
        if (!prepared.outcome.done())
            return prepared.outcome;
        const bool reread = prepared.outcome.reread;
        ChangeOutcome written = writePrepared(prepared);
        if (written.status != ChangeStatus::Stale || !written.error.empty()) {
            written.reread = written.reread || reread;
            return written;
        }
        // Another program changed the file since the change was worked out: work it out again.
        prepared = prepare(prepared.requested);
        prepared.outcome.reread = true;
    }
    ChangeOutcome busy;
    busy.status = ChangeStatus::Failed;
    busy.error = "The file \"" + m_path + "\" kept changing while it was being saved. Nothing was changed.";
    return busy;
}

int TrackedFile::appendBytes(std::string_view bytes) {
    const int fd = ::open(ResolveSymbolicLinks(m_path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int err = WriteAllBytes(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

// Writes a prepared change. Stale with no error means the file changed meanwhile and nothing was written.
ChangeOutcome TrackedFile::writePrepared(PreparedChange& prepared) {
    ChangeOutcome outcome = prepared.outcome;
    ChangeOutcome changedMeanwhile;
    changedMeanwhile.status = ChangeStatus::Stale;
    const std::string target = ResolveSymbolicLinks(m_path);

    // The file as it is now, held open: what another program appends to it while it is replaced is carried over.
    const int oldFd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    const FileStamp now = oldFd >= 0 ? StampOfDescriptor(oldFd) : FileStamp{};
    if (now != prepared.basis) {
        if (oldFd >= 0)
            ::close(oldFd);
        return changedMeanwhile;
    }

    if (prepared.appendOnly) {
        if (oldFd >= 0)
            ::close(oldFd);
        const std::string_view tail = std::string_view(prepared.lines.bytes()).substr(prepared.appendFrom);
        const int fd = ::open(target.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            outcome.status = ChangeStatus::Failed;
            outcome.error = SaveErrorText(target, errno);
            return outcome;
        }
        // Appended to by someone else between the look and the open: work it out again.
        if (StampOfDescriptor(fd) != prepared.basis && prepared.basis.exists) {
            ::close(fd);
            return changedMeanwhile;
        }
        int err = WriteAllBytes(fd, tail);
        if (err == 0 && ::fsync(fd) != 0)
            err = errno;
        const FileStamp after = StampOfDescriptor(fd);
        // A half-written line would glue itself to the next one: take it back.
        if (err != 0 && ::ftruncate(fd, prepared.basis.size) == 0)
            ::fsync(fd);
        ::close(fd);
        if (err != 0) {
            outcome.status = ChangeStatus::Failed;
            outcome.error = SaveErrorText(target, err);
            return outcome;
        }
        adopt(std::move(prepared.lines), after);
        // Someone else appended too: the next look reads the file again.
        if (after.size != prepared.basis.size + static_cast<std::int64_t>(tail.size()))
            m_loaded = false;
        return outcome;
    }

    TemporaryFile tmp = CreateTemporaryFileBeside(target);
    if (tmp.fd < 0) {
        if (oldFd >= 0)
            ::close(oldFd);
        outcome.status = ChangeStatus::Failed;
        outcome.error = tmp.error;
        return outcome;
    }
    int err = WriteAllBytes(tmp.fd, prepared.lines.bytes());
    if (err == 0 && ::fsync(tmp.fd) != 0)
        err = errno;
    // The last look before the rename: the path must still name the file that was read (appends to it are
    // carried over below; anything else means the change is worked out again).
    if (err == 0) {
        const FileStamp atPath = StampOf(target);
        const FileStamp held = oldFd >= 0 ? StampOfDescriptor(oldFd) : FileStamp{};
        const bool replacedMeanwhile = !SameFile(atPath, prepared.basis);
        const bool rewrittenMeanwhile = held.exists && (held.size < prepared.basis.size);
        // What was read ended inside a line that is still being written: carrying the rest over would cut the
        // line in two, so the change is worked out again on the whole line.
        const bool lineUnfinished = held.exists && held.size > prepared.basis.size && EndsMidLine(m_lines.bytes());
        if (replacedMeanwhile || rewrittenMeanwhile || lineUnfinished) {
            ::close(tmp.fd);
            ::unlink(tmp.path.c_str());
            if (oldFd >= 0)
                ::close(oldFd);
            return changedMeanwhile;
        }
    }
    // The stamp of what was written, taken before the rename: what anyone appends after it makes the stamp
    // differ, so the next look reads the file again instead of writing over those lines.
    const FileStamp written = err == 0 ? StampOfDescriptor(tmp.fd) : FileStamp{};
    if (err == 0 && oldFd >= 0 && m_beforeReplace)
        m_beforeReplace(target);
    if (err == 0 && ::rename(tmp.path.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::close(tmp.fd);
        ::unlink(tmp.path.c_str());
        if (oldFd >= 0)
            ::close(oldFd);
        outcome.status = ChangeStatus::Failed;
        outcome.error = SaveErrorText(target, err);
        return outcome;
    }
    SyncFolderOf(target);
    ::close(tmp.fd);
    adopt(std::move(prepared.lines), written);
    if (oldFd >= 0) {
        if (m_replaced.size() >= ReplacedKept) {
            ::close(m_replaced.front().fd);
            m_replaced.erase(m_replaced.begin());
        }
        m_replaced.push_back({oldFd, prepared.basis.size});
        carryLateAppends(false);
    }
    return outcome;
}

void TrackedFile::carryLateAppends(bool last) {
    std::string carried;
    for (Replaced& r : m_replaced) {
        const FileStamp old = StampOfDescriptor(r.fd);
        if (old.size > r.carried) {
            carried += ReadFrom(r.fd, r.carried, old.size);
            r.carried = old.size;
        }
    }
    if (last) {
        for (const Replaced& r : m_replaced)
            ::close(r.fd);
        m_replaced.clear();
    }
    if (carried.empty())
        return;
    const bool wasCurrent = !changedOnDisk();
    const std::int64_t expected = m_stamp.size + static_cast<std::int64_t>(carried.size());
    if (appendBytes(carried) != 0)
        return;
    const FileStamp after = StampOf(m_path);
    // Held only when nobody else wrote meanwhile; otherwise the next look reads the file again.
    if (wasCurrent && after.size == expected)
        adopt(TextLines(m_lines.bytes() + carried), after);
    else
        m_loaded = false;
}

} // namespace plandeck
