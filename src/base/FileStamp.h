#pragma once

#include <cstdint>
#include <string>

namespace plandeck {

// What one stat of a file says about its content without reading it: any rewrite (a new inode), append
// (a new size) or edit in place (a new modification time) gives a different stamp.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at `path`; a missing file (or one that cannot be looked at) gives exists = false.
FileStamp StampOf(const std::string& path);
// The stamp of an open file.
FileStamp StampOfDescriptor(int fd);

} // namespace plandeck
