#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace plandeck {

// Outcome of a write to disk. `error` says what went wrong in words a user can be shown.
struct WriteResult {
    bool ok = true;
    std::string error;

    static WriteResult Failure(std::string message) { return {false, std::move(message)}; }
};

// Calls `visit(line)` for each physical line of `bytes`, in order, until it returns false. A line ends at LF;
// a CR right before the LF belongs to the line end. A missing final line end still gives a last line, and a
// CR there stays in the line (only LF ends a line). Text with no LF anywhere but with CRs was saved with
// lone CR line ends: there each CR ends a line. This is the one line-splitting rule of the data files.
template <class Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
    const char* data = bytes.data();
    const std::size_t size = bytes.size();
    if (size == 0)
        return;
    const bool loneCarriageReturns =
        std::memchr(data, '\n', size) == nullptr && std::memchr(data, '\r', size) != nullptr;
    const char lineEnd = loneCarriageReturns ? '\r' : '\n';
    for (std::size_t start = 0; start < size;) {
        const void* hit = std::memchr(data + start, lineEnd, size - start);
        const std::size_t end = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : size;
        std::size_t length = end - start;
        if (hit && !loneCarriageReturns && length > 0 && data[end - 1] == '\r')
            --length;
        if (!visit(std::string_view(data + start, length)))
            return;
        start = end + 1;
    }
}

// Whether text uses lone CRs as its line ends (no LF anywhere, at least one CR).
bool HasLoneCarriageReturnLineEnds(std::string_view bytes);

// The bytes of a text file split into physical lines. A line ends at LF; a CR right before the LF belongs
// to the line end. A missing final line end still gives a last line. Lines are stored as offsets so the
// object can be moved freely without invalidating anything.
class TextLines {
public:
    TextLines() = default;
    explicit TextLines(std::string bytes);

    std::size_t size() const { return m_spans.size(); }
    bool empty() const { return m_spans.empty(); }
    // Line i, 0-based, without its line end.
    std::string_view line(std::size_t i) const { return {m_bytes.data() + m_spans[i].first, m_spans[i].second}; }
    std::vector<std::string> toStrings() const;
    const std::string& bytes() const { return m_bytes; }
    // Byte offset of line i in bytes().
    std::size_t offset(std::size_t i) const { return m_spans[i].first; }
    // Adds text that starts a new line: the bytes held so far must be empty or end with a line end.
    void appendAtLineStart(std::string_view text);

private:
    std::string m_bytes;
    std::vector<std::pair<std::size_t, std::size_t>> m_spans;
};

// How a read went. A missing file is no failure: it reads as empty and may be created. A file that exists
// but could not be read whole (no permission, a folder in its place, an I/O error part way) is a failure;
// `bytes` then holds what could be read and the file must not be written over from it.
enum class ReadStatus {
    Read,
    Missing,
    Failed,
};

// Whole-file read. `exists` is true only when the whole file was read.
struct ReadResult {
    bool exists = false;
    std::string bytes;
    ReadStatus status = ReadStatus::Missing;
    std::string error; // why a read failed, in words a user can be shown

    bool failed() const { return status == ReadStatus::Failed; }
};
ReadResult ReadWholeFile(const std::string& path);

// The first `maxBytes` bytes of a file (all of a shorter one), for files of which only the first lines
// matter. Statuses as for ReadWholeFile.
ReadResult ReadFileStart(const std::string& path, std::size_t maxBytes);

// Lines joined the way every rewrite of a data file joins them: CR LF between lines, one CR LF at the end.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// The one way this program replaces a file: the new content goes to a temporary file in the same folder,
// is flushed to disk and then renamed over the original, so a crash or a full disk leaves the old file
// whole. A symbolic link stays a link; its target is replaced. The file's permissions are kept.
WriteResult RewriteFile(const std::string& path, std::string_view bytes);

// Appends bytes at the end of a file, creating it when missing.
WriteResult AppendToFile(const std::string& path, std::string_view bytes);

// The pieces of a rewrite, for an owner that checks the file once more between writing and renaming.
//
// Writes every byte to `fd`, looping over short writes; 0 or the errno of the failure.
int WriteAllBytes(int fd, std::string_view bytes);
// The file a path names once symbolic links are followed, so that a linked file stays a link after a save.
std::string ResolveSymbolicLinks(const std::string& path);
// A new temporary file beside `target` with `target`'s permissions (the usual ones for a new file).
struct TemporaryFile {
    int fd = -1; // -1 when it could not be made; `error` says why
    std::string path;
    std::string error;
};
TemporaryFile CreateTemporaryFileBeside(const std::string& target);
// Makes a rename in the folder of `path` durable.
void SyncFolderOf(const std::string& path);
// "Could not save "path": reason"
std::string SaveErrorText(const std::string& path, int err);

bool FileExists(const std::string& path);

// Whether the file can be opened and read.
bool IsReadableFile(const std::string& path);

// Removes the temporary files that interrupted rewrites of `fileNames` left in `folder` (a rewrite killed
// between creating its temporary file and renaming it). Only names RewriteFile makes for those files are
// touched, and only regular files. Returns how many were removed.
int RemoveLeftoverTemporaryFiles(const std::string& folder, const std::vector<std::string>& fileNames);

// Whether `name` is a temporary file name RewriteFile makes while it replaces `fileName`.
bool IsRewriteTemporaryName(std::string_view name, std::string_view fileName);

// Tests replace the low-level write and read calls to simulate a full disk or a failing device.
using WriteFunction = ssize_t (*)(int fd, const void* data, std::size_t size);
void SetWriteFunctionForTesting(WriteFunction fn);
using ReadFunction = ssize_t (*)(int fd, void* data, std::size_t size);
void SetReadFunctionForTesting(ReadFunction fn);

} // namespace plandeck
