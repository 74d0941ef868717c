#include "settings/StartupFallbacks.h"

#include "base/PlainName.h"
#include "settings/LanguageTable.h"
#include "settings/Skin.h"

#include <filesystem>

namespace plandeck {

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
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
    auto givesTexts = [&](const std::string& name) {
        return IsPlainName(name) && LanguageTable::Load(LanguageTable::FilePath(dataDir, name)).hasUsedEntry();
    };
    if (givesTexts(chosen))
        return chosen;
    if (givesTexts(DefaultLanguageFile))
        return DefaultLanguageFile;
    return {};
}

} // namespace plandeck
