#include "settings/StartupFallbacks.h"

#include "base/PlainName.h"
#include "settings/Skin.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace plandeck {

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool IsFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace

std::string ChooseSkinName(const DataDirectory& dataDir, const std::string& chosen) {
    if (IsPlainName(chosen) && IsFolder(dataDir.skinsFolder() + "/" + chosen))
        return chosen;
    if (IsFolder(dataDir.skinsFolder() + "/" + std::string(kDefaultSkinName)))
        return std::string(kDefaultSkinName);
    return chosen;
}

std::string ChooseLanguageFile(const DataDirectory& dataDir, const std::string& chosen) {
    const std::string folder = dataDir.languageFolder();
    if (IsPlainName(chosen) && IsFile(folder + "/" + chosen))
        return chosen;
    if (IsFile(folder + "/" + DefaultLanguageFile))
        return DefaultLanguageFile;
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names.empty() ? std::string() : names.front();
}

} // namespace plandeck
