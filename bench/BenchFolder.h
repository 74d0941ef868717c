#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace plandeck::bench {

// A data folder of a benchmark's own under the temporary folder: the shipped English language file, the
// category lines given and a notes file. It is removed when the benchmark ends.
struct BenchFolder {
    std::string root;

    BenchFolder(const std::string& name, std::string_view categories, const std::string& notesBytes)
        : root((std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))).string()) {
        for (const char* folder : {"/pdnotes", "/pdfiles", "/pdlang"})
            std::filesystem::create_directories(root + folder);
        std::filesystem::copy_file(std::string(PLANDECK_DATA_DIR) + "/pdlang/English.lng", root + "/pdlang/English.lng",
                                   std::filesystem::copy_options::overwrite_existing);
        std::ofstream(root + "/pdfiles/category.txt", std::ios::binary)
            .write(categories.data(), static_cast<std::streamsize>(categories.size()));
        writeNotes(notesBytes);
    }
    ~BenchFolder() { std::filesystem::remove_all(root); }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::string notes() const { return root + "/pdnotes/all.txt"; }
    void writeNotes(const std::string& bytes) const {
        std::ofstream(notes(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
};

} // namespace plandeck::bench
