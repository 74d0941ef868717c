// The category file: at most 101 records, panel rows that exist, colours that are colours, and the file
// left exactly as it was.
#include "FuzzSupport.h"
#include "editing/CategoryTable.h"

using namespace plandeck;
using plandeck::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int first = data[0] - 20;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string path = fuzz::WriteScratchFile("category.txt", bytes);

    CategoryTable table;
    table.setShownFlags(std::vector<std::string>(101, "0"));
    const CategoryPanel panel = table.LoadCategories(path, first);
    Check(table.recordCount() >= 0 && table.recordCount() <= CategoryTable::Count, "at most 101 records");
    Check(panel.first >= 0 && panel.first <= panel.scrollMaximum, "the first row is in range");
    Check(panel.scrollBarVisible == (table.recordCount() >= CategoryPanel::RowCount), "scroll bar from six on");
    for (int r = 0; r < CategoryPanel::RowCount; ++r) {
        const CategoryRow& row = panel.rows[static_cast<std::size_t>(r)];
        Check(row.visible == (panel.first + r < table.recordCount()), "a row per record");
        Check(row.colour >= 0 && row.colour <= 0xFFFFFF, "a row colour is a colour");
    }
    for (int i = 0; i < CategoryTable::Count; ++i) {
        Check(table.tileColour(i) >= 0 && table.tileColour(i) <= 0xFFFFFF, "a tile colour is a colour");
        Check(table.name(i).find('\n') == std::string::npos, "a name is one line");
        Check(i < table.recordCount() || table.isShown(i), "a category without a record is shown");
    }
    Check(fuzz::ReadScratchFile(path) == bytes, "loading never changes the file");
    return 0;
}
