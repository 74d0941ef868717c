#include "base/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace plandeck {

namespace {

WriteFunction g_write = &::write;
ReadFunction g_read = &::read;

// RewriteFile's temporary files: "." + the file's name + "." + six characters mkstemp chooses.
constexpr std::string_view kTemporaryFiller = "XXXXXX";

std::string ErrorText(const std::string& what, const std::string& path, int err) {
    return what + " \"" + path + "\": " + std::strerror(err);
}

} // namespace

int WriteAllBytes(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = g_write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno ? errno : EIO;
        }
        if (n == 0)
            return ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

std::string ResolveSymbolicLinks(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::vector<char> buf(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
        ssize_t len = ::readlink(current.c_str(), buf.data(), buf.size() - 1);
        if (len < 0)
            return current;
        std::string target(buf.data(), static_cast<std::size_t>(len));
        if (!target.empty() && target[0] != '/') {
            auto slash = current.rfind('/');
            target = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + target;
        }
        current = target;
    }
    return current;
}

namespace {

std::string DirectoryOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

TextLines::TextLines(std::string bytes) : m_bytes(std::move(bytes)) {
    m_spans.reserve(m_bytes.size() / 32 + 1);
    ForEachLine(m_bytes, [this](std::string_view line) {
        m_spans.emplace_back(static_cast<std::size_t>(line.data() - m_bytes.data()), line.size());
        return true;
    });
}

void TextLines::appendAtLineStart(std::string_view text) {
    const std::size_t base = m_bytes.size();
    m_bytes.append(text);
    ForEachLine(std::string_view(m_bytes).substr(base), [&](std::string_view line) {
        m_spans.emplace_back(static_cast<std::size_t>(line.data() - m_bytes.data()), line.size());
        return true;
    });
}

std::vector<std::string> TextLines::toStrings() const {
    std::vector<std::string> out;
    out.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        out.emplace_back(line(i));
    return out;
}

namespace {

// Reads at most `limit` bytes of a regular file. A path that names nothing is missing; anything else that
// stops the read is a failure, reported with what was read so far.
ReadResult ReadUpTo(const std::string& path, std::size_t limit) {
    ReadResult result;
    // Non-blocking, so that a pipe put in a data file's place cannot hang the program on open.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR)
            return result;
        result.status = ReadStatus::Failed;
        result.error = ErrorText("Could not read", path, err);
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = ReadStatus::Failed;
        result.error = "Could not read \"" + path + "\": it is not a file";
        return result;
    }
    const auto expected = std::min<std::size_t>(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0), limit);
    result.bytes.resize(expected);
    std::size_t done = 0;
    int err = 0;
    auto readSome = [&](char* into, std::size_t room) -> ssize_t {
        for (;;) {
            ssize_t n = g_read(fd, into, room);
            if (n >= 0 || errno != EINTR)
                return n;
        }
    };
    while (done < limit) {
        if (done == result.bytes.size()) {
            // The file may have grown since it was measured: look for more before making room for it.
            char probe[4096];
            const ssize_t n = readSome(probe, std::min(sizeof probe, limit - done));
            if (n < 0)
                err = errno ? errno : EIO;
            if (n <= 0)
                break;
            result.bytes.append(probe, static_cast<std::size_t>(n));
            done += static_cast<std::size_t>(n);
            continue;
        }
        const ssize_t n = readSome(result.bytes.data() + done, result.bytes.size() - done);
        if (n < 0)
            err = errno ? errno : EIO;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    result.bytes.resize(done);
    if (err != 0) {
        result.status = ReadStatus::Failed;
        result.error = ErrorText("Could not read", path, err);
    } else if (done < expected) {
        result.status = ReadStatus::Failed;
        result.error = "Could not read \"" + path + "\": only " + std::to_string(done) + " of its " +
                       std::to_string(expected) + " bytes could be read";
    } else {
        result.status = ReadStatus::Read;
        result.exists = true;
    }
    return result;
}

} // namespace

bool HasLoneCarriageReturnLineEnds(std::string_view bytes) {
    return bytes.find('\n') == std::string_view::npos && bytes.find('\r') != std::string_view::npos;
}

ReadResult ReadWholeFile(const std::string& path) {
    return ReadUpTo(path, std::numeric_limits<std::size_t>::max());
}

ReadResult ReadFileStart(const std::string& path, std::size_t maxBytes) {
    return ReadUpTo(path, maxBytes);
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& l : lines)
        total += l.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

TemporaryFile CreateTemporaryFileBeside(const std::string& target) {
    const std::string dir = DirectoryOf(target);
    const std::string base = target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
    std::string tmpl = dir + "/." + base + "." + std::string(kTemporaryFiller);
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    TemporaryFile file;
    file.fd = ::mkstemp(name.data());
    if (file.fd < 0) {
        file.error = ErrorText("Cannot create a temporary file beside", target, errno);
        return file;
    }
    file.path = name.data();
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        ::fchmod(file.fd, st.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(file.fd, 0666 & ~mask);
    }
    return file;
}

void SyncFolderOf(const std::string& path) {
    int dfd = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

std::string SaveErrorText(const std::string& path, int err) {
    return ErrorText("Could not save", path, err);
}

WriteResult RewriteFile(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveSymbolicLinks(path);
    TemporaryFile tmp = CreateTemporaryFileBeside(target);
    if (tmp.fd < 0)
        return WriteResult::Failure(tmp.error);
    int err = WriteAllBytes(tmp.fd, bytes);
    if (err == 0 && ::fsync(tmp.fd) != 0)
        err = errno;
    if (::close(tmp.fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(tmp.path.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tmp.path.c_str());
        return WriteResult::Failure(SaveErrorText(target, err));
    }
    // Make the rename itself durable.
    SyncFolderOf(target);
    return {};
}

WriteResult AppendToFile(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (fd < 0)
        return WriteResult::Failure(ErrorText("Could not open", path, errno));
    struct stat before {};
    const bool sized = ::fstat(fd, &before) == 0;
    int err = WriteAllBytes(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    // A half-written line would glue itself to the next note appended: take it back.
    if (err != 0 && sized && ::ftruncate(fd, before.st_size) == 0)
        ::fsync(fd);
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0)
        return WriteResult::Failure(ErrorText("Could not save", path, err));
    return {};
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsReadableFile(const std::string& path) {
    // Opening and reading the first byte tells; the whole file is read by whoever needs it.
    return ReadFileStart(path, 1).status == ReadStatus::Read;
}

void SetWriteFunctionForTesting(WriteFunction fn) {
    g_write = fn ? fn : &::write;
}

void SetReadFunctionForTesting(ReadFunction fn) {
    g_read = fn ? fn : &::read;
}

bool IsRewriteTemporaryName(std::string_view name, std::string_view fileName) {
    if (fileName.empty() || name.size() != fileName.size() + 2 + kTemporaryFiller.size())
        return false;
    if (name[0] != '.' || name.substr(1, fileName.size()) != fileName || name[fileName.size() + 1] != '.')
        return false;
    // mkstemp fills in letters and digits only.
    for (char c : name.substr(fileName.size() + 2))
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

int RemoveLeftoverTemporaryFiles(const std::string& folder, const std::vector<std::string>& fileNames) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return 0;
    std::vector<fs::path> leftovers;
    for (const fs::directory_entry& entry : it) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError) || entry.is_symlink(typeError))
            continue;
        const std::string name = entry.path().filename().string();
        for (const std::string& fileName : fileNames)
            if (IsRewriteTemporaryName(name, fileName)) {
                leftovers.push_back(entry.path());
                break;
            }
    }
    int removed = 0;
    for (const fs::path& p : leftovers)
        if (fs::remove(p, ec))
            ++removed;
    return removed;
}

} // namespace plandeck
