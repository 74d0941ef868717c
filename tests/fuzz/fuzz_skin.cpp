// A skin's colour list and descriptor: colours are colours, the list stops where the first bad line is,
// a description is one line, and a skin name never leaves the skins folder.
#include "FuzzSupport.h"
#include "base/PlainName.h"
#include "settings/Skin.h"
#include "settings/SkinColours.h"

using namespace plandeck;
using plandeck::fuzz::Check;

namespace {

void CheckColour(const std::optional<long>& c) {
    Check(!c || (*c >= 0 && *c <= 0xFFFFFF), "a colour is 0..16777215");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const SkinColours c = ParseSkinColours(bytes);
    Check(c.linesApplied >= 0 && c.linesApplied <= SkinColours::LineCount, "at most 22 lines");
    for (const auto* v : {&c.titleText, &c.label4Text, &c.label10Text, &c.todayText, &c.gridForeColour, &c.yearText,
                          &c.hintText, &c.aboutText, &c.panelTitleText, &c.commandText, &c.clockHandColour,
                          &c.monthGridText, &c.hintBackground, &c.menuHighlight, &c.menuText})
        CheckColour(*v);
    Check(c.linesApplied >= 1 || !c.titleText, "nothing is set past the lines taken");
    // The same list read from a file.
    const SkinColours fromFile = LoadSkinColours(fuzz::WriteScratchFile("colors.txt", bytes));
    Check(fromFile.linesApplied == c.linesApplied || bytes.size() >= 64 * 1024, "file and bytes agree");

    const std::string description = ReadSkinDescription(fuzz::WriteScratchFile("skin.pds", bytes));
    Check(description.find_first_of("\r\n") == std::string::npos, "a description is one line");
    Check(description.size() <= 4096, "a description is read from the first bytes only");

    // The bytes as a skin name from the option file.
    const DataDirectory dir("/data");
    const Skin skin(dir, bytes);
    Check(IsPlainName(skin.name()), "a skin name is plain");
    Check(skin.folder() == "/data/pdskins/" + skin.name(), "a skin stays in the skins folder");
    return 0;
}
