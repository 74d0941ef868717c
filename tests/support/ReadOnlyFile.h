#pragma once

#include "base/TextFile.h"

#include <cerrno>
#include <climits>
#include <string>
#include <unistd.h>

namespace plandeck::test {

// Makes every write to a file whose path holds `name` fail as on a read-only file, while it lives (the
// tests may run as a user whom file modes do not stop). A rewrite's temporary file carries the name too.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(std::string name) {
        Name() = std::move(name);
        SetWriteFunctionForTesting(&Write);
    }
    ~ReadOnlyFile() {
        SetWriteFunctionForTesting(nullptr);
        Name().clear();
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

private:
    static std::string& Name() {
        static std::string name;
        return name;
    }
    static ssize_t Write(int fd, const void* data, std::size_t size) {
        char target[PATH_MAX] = {};
        const std::string link = "/proc/self/fd/" + std::to_string(fd);
        if (!Name().empty() && ::readlink(link.c_str(), target, sizeof target - 1) > 0 &&
            std::string(target).find(Name()) != std::string::npos) {
            errno = EROFS;
            return -1;
        }
        return ::write(fd, data, size);
    }
};

} // namespace plandeck::test
