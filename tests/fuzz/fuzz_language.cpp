// The language file: entries are lines 1..400 with no line end inside, and the captions come from them.
#include "FuzzSupport.h"
#include "settings/LanguageTable.h"

using namespace plandeck;
using plandeck::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const LanguageTable table = LanguageTable::FromBytes(bytes);
    Check(table.lineCount() >= 0 && table.lineCount() <= LanguageTable::EntryCount, "at most 400 entries");
    std::size_t total = 0;
    for (int n = 0; n <= LanguageTable::EntryCount + 1; ++n) {
        const std::string& e = table.entry(n);
        Check(e.find('\n') == std::string::npos, "no LF inside an entry");
        Check(n >= 1 && n <= table.lineCount() ? true : e.empty(), "no entry past the file's lines");
        total += e.size();
    }
    Check(total <= size, "entries come from the file's bytes");
    if (table.hasUsedEntry())
        Check(table.lineCount() > 0, "a used entry needs a line");
    for (const ControlCaption& c : MainWindowCaptions(table))
        Check(!c.control.empty(), "captions name their control");
    for (int month = 0; month <= 13; ++month)
        Check(month >= 1 && month <= 12 ? true : table.monthName(month).empty(), "no month name out of range");
    return 0;
}
