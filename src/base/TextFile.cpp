#include "base/TextFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace plandeck {

namespace {

WriteFunction g_write = &::write;

std::string ErrorText(const std::string& what, const std::string& path, int err) {
    return what + " \"" + path + "\": " + std::strerror(err);
}

// Writes every byte, looping over short writes. Returns 0 or the errno of the failure.
int WriteAll(int fd, std::string_view bytes) {
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

// Follows symbolic links so that a linked notes file keeps being a link after a save.
std::string ResolveLinks(const std::string& path) {
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

std::vector<std::string> TextLines::toStrings() const {
    std::vector<std::string> out;
    out.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        out.emplace_back(line(i));
    return out;
}

ReadResult ReadWholeFile(const std::string& path) {
    ReadResult result;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return result;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return result;
    result.exists = true;
    in.seekg(0, std::ios::end);
    auto size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        result.bytes.resize(static_cast<std::size_t>(size));
        in.read(result.bytes.data(), size);
        result.bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    return result;
}

ReadResult ReadFileStart(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    std::ifstream in(path, std::ios::binary);
    struct stat st {};
    if (!in || (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
        return result;
    result.exists = true;
    result.bytes.resize(maxBytes);
    in.read(result.bytes.data(), static_cast<std::streamsize>(maxBytes));
    result.bytes.resize(static_cast<std::size_t>(in.gcount()));
    return result;
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

WriteResult RewriteFile(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveLinks(path);
    const std::string dir = DirectoryOf(target);
    const std::string base = target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);

    std::string tmpl = dir + "/." + base + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        return WriteResult::Failure(ErrorText("Cannot create a temporary file beside", target, errno));
    const std::string tmpPath(name.data());

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    int err = WriteAll(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(tmpPath.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tmpPath.c_str());
        return WriteResult::Failure(ErrorText("Could not save", target, err));
    }
    // Make the rename itself durable.
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

WriteResult AppendToFile(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (fd < 0)
        return WriteResult::Failure(ErrorText("Could not open", path, errno));
    struct stat before {};
    const bool sized = ::fstat(fd, &before) == 0;
    int err = WriteAll(fd, bytes);
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

void SetWriteFunctionForTesting(WriteFunction fn) {
    g_write = fn ? fn : &::write;
}

} // namespace plandeck
