// Both option files: what is read and saved reads back the same; the names they give never leave their
// folders; values that shape the grid stay usable.
#include "FuzzSupport.h"
#include "base/DataDirectory.h"
#include "base/NumberForm.h"
#include "base/PlainName.h"
#include "settings/LanguageTable.h"
#include "settings/Options.h"
#include "settings/Skin.h"

using namespace plandeck;
using plandeck::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const MainOptions first = ParseMainOptions(TextLines(bytes));
    Check(first.snapMinutes >= 0 && first.snapMinutes <= 60, "snap step 0..60 (0 and 1 snap nothing)");
    Check(first.configuredDays >= 1 && first.configuredDays <= 8, "one to eight days");
    Check(first.firstHour < first.lastHour && first.firstHour >= 6 && first.lastHour <= 24, "a usable hour range");
    Check(first.tileForeColor >= 0 && first.tileForeColor <= 0xFFFFFF, "a colour");

    // A save then a load gives equal options, and saving those again gives the same file.
    const std::string saved = FormatMainOptions(first);
    const MainOptions second = ParseMainOptions(TextLines(saved));
    Check(TextLines(saved).size() == MainOptions::LineCount, "26 lines");
    Check(TextLines(saved).line(8).size() == MainOptions::CategoryFlagCount, "line 9 holds 101 flags");
    Check(FormatMainOptions(second) == saved, "a saved file reads back as it was saved");
    Check(ParseMainOptions(TextLines(FormatMainOptions(second))) == second, "load after save gives equal options");
    for (std::size_t i = 0; i < MainOptions::CategoryFlagCount; ++i)
        Check(FlagValue(StartupCategoryFlags(first)[i]) == FlagValue(std::string(1, second.categoryShownFlags[i])) ||
                  !first.keepCategoryFilter,
              "every category keeps its own shown flag across a save");

    // Names from the file never point outside their folders.
    const DataDirectory dir("/data");
    Check(IsPlainName(first.skinName) && IsPlainName(first.languageFile), "plain names");
    const Skin skin(dir, first.skinName);
    Check(skin.folder().rfind("/data/pdskins/", 0) == 0 && skin.folder().find("/..") == std::string::npos,
          "a skin stays in the skins folder");
    const std::string language = LanguageTable::FilePath(dir, first.languageFile);
    Check(language.rfind("/data/pdlang/", 0) == 0 && language.find('/', 13) == std::string::npos,
          "a language file stays in the language folder");

    const SystemOptions system = ParseSystemOptions(TextLines(bytes));
    Check(ParseSystemOptions(TextLines(FormatSystemOptions(system))) == system, "system options read back");
    return 0;
}
