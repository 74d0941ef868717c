#include "settings/Skin.h"

#include "base/PlainName.h"
#include "base/TextFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace plandeck {

// Where a picture exists in two forms, the order below decides which one wins when both are present: the
// second. The order differs from element to element on purpose; skins rely on it.
const std::array<SkinPicture, 28> kMainWindowPictures = {{
    {"Picture3(0)", {"fonsh.jpg", "fonsh.gif"}}, // grid background
    {"Image31", {"menu.jpg", "menu.gif"}},       // left panel, top
    {"Image32", {"bottom.gif", "bottom.jpg"}},   // bottom bar
    {"Image8", {"menu2.jpg", "menu2.gif"}},      // left panel, below Image31
    {"Image9", {"calfon.gif", "calfon.jpg"}},    // card behind today's date
    {"Image16", {"rmenu.gif", "rmenu.jpg"}},     // month calendar backdrop
    {"Image1", {"catfon.gif", "catfon.jpg"}},    // category panel background
    {"Picture3(2)", {"dn.gif", ""}},             // day header of the other days
    {"Picture3(1)", {"dt.gif", ""}},             // day header of today
    {"Image24", {"info.gif", ""}},               // about
    {"Image25", {"clfon.gif", ""}},              // clock face
    {"Image26", {"opti.gif", ""}},               // options command
    {"Image17", {"top.gif", "top.jpg"}},         // header
    {"Image19", {"now.gif", ""}},                // second today button
    {"Image15(0)", {"calf.gif", ""}},            // month calendar rows
    {"Image15(1)", {"calf.gif", ""}},
    {"Image15(2)", {"calf.gif", ""}},
    {"Image15(3)", {"calf.gif", ""}},
    {"Image15(4)", {"calf.gif", ""}},
    {"Image15(5)", {"calf.gif", ""}},
    {"Image3", {"addi.gif", ""}},   // new note command
    {"Image4", {"quei.gif", ""}},   // help command
    {"Image5", {"exii.gif", ""}},   // exit command
    {"Image6", {"nextn.gif", ""}},  // month calendar: next month
    {"Image7", {"prevn.gif", ""}},  // month calendar: previous month
    {"Image22", {"nextn.gif", ""}}, // forward
    {"Image20", {"prevn.gif", ""}}, // back
    {"Image21", {"now.gif", ""}},   // today
}};

// Pressed pictures carry a "p" or "s" (today, views, hours) or lack the "n" (back, forward).
const std::array<StorePicture, 19> kPictureStore = {{
    {2, "nowp.gif"},  {3, "now.gif"},  {4, "prev.gif"},  {5, "prevn.gif"}, {6, "next.gif"},
    {7, "nextn.gif"}, {8, "del.gif"},  {9, "ndd.gif"},   {10, "ndds.gif"}, {11, "ndf.gif"},
    {12, "ndfs.gif"}, {13, "ndw.gif"}, {14, "ndws.gif"}, {15, "hd.gif"},   {16, "ht.gif"},
    {17, "hup.gif"},  {18, "hds.gif"}, {19, "hts.gif"},  {20, "hups.gif"},
}};

const std::array<StoreAssignment, 6> kStartButtonPictures = {{
    {"Image11", 9},  // day view
    {"Image12", 12}, // N-day view, pressed
    {"Image13", 13}, // week view
    {"Image18", 15}, // one hour later
    {"Image23", 16}, // configured hours
    {"Image33", 17}, // one hour earlier
}};

const SkinPicture kResizeGripPicture = {"Picture1", {"resize.gif", ""}};
const SkinPicture kWizardPicture = {"frmwizy.Image1", {"wiz.gif", ""}};
const SkinPicture kTodayWindowPicture = {"frmtoday", {"today.gif", ""}};
const SkinPicture kOptionsBackgroundPicture = {"frmpdo", {"top.jpg", "top.gif"}};

std::vector<std::string> SkinPictureFileNames() {
    std::vector<std::string> names;
    auto add = [&](std::string_view file) {
        if (!file.empty() && std::find(names.begin(), names.end(), file) == names.end())
            names.emplace_back(file);
    };
    for (const SkinPicture& p : kMainWindowPictures)
        for (std::string_view f : p.files)
            add(f);
    for (const StorePicture& p : kPictureStore)
        add(p.file);
    for (const SkinPicture* p :
         {&kResizeGripPicture, &kWizardPicture, &kTodayWindowPicture, &kOptionsBackgroundPicture})
        for (std::string_view f : p->files)
            add(f);
    return names;
}

Skin::Skin(const DataDirectory& dataDir, std::string_view name)
    : m_name(PlainNameOr(name, kDefaultSkinName)), m_folder(dataDir.skinsFolder() + "/" + m_name),
      m_descriptor(m_folder + ".pds") {}

std::string Skin::file(std::string_view fileName) const {
    return m_folder + "/" + std::string(fileName);
}

std::vector<std::string> Skin::candidates(const SkinPicture& picture) const {
    std::vector<std::string> paths;
    for (std::string_view f : picture.files)
        if (!f.empty())
            paths.push_back(file(f));
    return paths;
}

std::vector<std::string> Skin::previewCandidates() const {
    return {file(m_name + ".gif"), file(m_name + ".jpg")};
}

namespace {

bool EndsWithPds(const std::string& fileName) {
    if (fileName.size() < 4)
        return false;
    std::string ext = fileName.substr(fileName.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".pds";
}

} // namespace

std::vector<SkinEntry> ListSkins(const std::string& skinsFolder) {
    namespace fs = std::filesystem;
    std::vector<SkinEntry> skins;
    std::error_code ec;
    fs::directory_iterator it(skinsFolder, ec);
    if (ec)
        return skins;
    for (const fs::directory_entry& entry : it) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError))
            continue;
        std::string fileName = entry.path().filename().string();
        if (!EndsWithPds(fileName))
            continue;
        std::string name = fileName.substr(0, fileName.size() - 4);
        if (!IsPlainName(name))
            continue;
        skins.push_back({name, ReadSkinDescription(entry.path().string())});
    }
    std::sort(skins.begin(), skins.end(), [](const SkinEntry& a, const SkinEntry& b) { return a.name < b.name; });
    return skins;
}

std::string ReadSkinDescription(const std::string& descriptorPath) {
    // Only the first line matters; a descriptor is never large, and a huge file must not be read whole.
    std::string bytes = ReadFileStart(descriptorPath, 4096).bytes;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.erase(0, 3);
    std::size_t end = bytes.find_first_of("\r\n");
    return end == std::string::npos ? bytes : bytes.substr(0, end);
}

} // namespace plandeck
