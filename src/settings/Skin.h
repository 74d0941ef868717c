#pragma once

#include "base/DataDirectory.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plandeck {

inline constexpr std::string_view kDefaultSkinName = "Default";

// One window element and the skin files it takes its picture from, in load order. Every file is tried;
// when several load, the last one wins; when none loads, the element keeps the picture it had.
struct SkinPicture {
    std::string_view element;              // the element's object name, e.g. "Image31" or "Picture3(0)"
    std::array<std::string_view, 2> files; // the second is empty for elements with a single file
};

// The main window's pictures in load order. The first (the grid background) is loaded early in start-up,
// right before the colour list; the rest after the options are read.
extern const std::array<SkinPicture, 28> kMainWindowPictures;

// The main window's numbered store of button pictures. Buttons take their normal and pressed pictures
// from it by number; numbers 0 and 1 are never filled.
struct StorePicture {
    int number;
    std::string_view file;
};
inline constexpr int kPictureStoreFirst = 2;
// The store's numbers by the button picture they hold.
namespace Picture {
inline constexpr int TodayPressed = 2;
inline constexpr int TodayReleased = 3;
inline constexpr int BackPressed = 4;
inline constexpr int BackReleased = 5;
inline constexpr int ForwardPressed = 6;
inline constexpr int ForwardReleased = 7;
inline constexpr int EditWizardHeader = 8;
inline constexpr int DayView = 9;
inline constexpr int DayViewPressed = 10;
inline constexpr int DaysView = 11;
inline constexpr int DaysViewPressed = 12;
inline constexpr int WeekView = 13;
inline constexpr int WeekViewPressed = 14;
inline constexpr int HourLater = 15;
inline constexpr int HourReset = 16;
inline constexpr int HourEarlier = 17;
inline constexpr int HourLaterPressed = 18;
inline constexpr int HourResetPressed = 19;
inline constexpr int HourEarlierPressed = 20;
} // namespace Picture
inline constexpr int kPictureStoreLast = 20;
extern const std::array<StorePicture, 19> kPictureStore;

// The store picture each button shows right after the store is filled: the N-day view starts pressed.
struct StoreAssignment {
    std::string_view element;
    int number;
};
extern const std::array<StoreAssignment, 6> kStartButtonPictures;

// Pictures of the other windows.
extern const SkinPicture kResizeGripPicture;        // each note tile's grip, reloaded at every layout
extern const SkinPicture kWizardPicture;            // the event wizard's header, when it loads
extern const SkinPicture kTodayWindowPicture;       // the today window's background, when it activates
extern const SkinPicture kOptionsBackgroundPicture; // the options window's background, when it loads

// Every picture file name any window asks a skin for, each once, in the order of the tables above.
std::vector<std::string> SkinPictureFileNames();

// The last candidate for which `load` gives a value, or no value when none does. `load` is called for every
// candidate in order, as each element tries all its files.
template <class Load>
auto LoadLastThatLoads(const std::vector<std::string>& candidates, Load load) -> decltype(load(std::string())) {
    decltype(load(std::string())) result;
    for (const std::string& path : candidates) {
        auto loaded = load(path);
        if (loaded)
            result = std::move(loaded);
    }
    return result;
}

// A named set of pictures and a colour list in a folder under pdskins/. A name that is not a plain folder
// entry name (see IsPlainName) is refused and the default skin is used instead.
class Skin {
public:
    Skin(const DataDirectory& dataDir, std::string_view name);

    const std::string& name() const { return m_name; }
    // pdskins/<name>: the pictures and colors.txt.
    const std::string& folder() const { return m_folder; }
    // pdskins/<name>.pds: the descriptor, whose first line describes the skin.
    const std::string& descriptor() const { return m_descriptor; }
    std::string file(std::string_view fileName) const;
    std::string colourList() const { return file("colors.txt"); }

    // Full paths of an element's files, in load order.
    std::vector<std::string> candidates(const SkinPicture& picture) const;
    // The preview the options window shows: "<name>.gif", then "<name>.jpg", inside the skin's folder.
    std::vector<std::string> previewCandidates() const;

private:
    std::string m_name;
    std::string m_folder;
    std::string m_descriptor;
};

// One installed skin as the options window lists it.
struct SkinEntry {
    std::string name;
    std::string description; // the descriptor's first line

    friend bool operator==(const SkinEntry&, const SkinEntry&) = default;
};

// Every "<name>.pds" descriptor in the skins folder, sorted by name. A descriptor without a folder is listed
// (it gives no pictures); a folder without a descriptor is not. Descriptors whose name is not plain are left
// out. A missing folder gives an empty list.
std::vector<SkinEntry> ListSkins(const std::string& skinsFolder);

// The first line of a descriptor without its line end; empty when the file is missing or empty.
std::string ReadSkinDescription(const std::string& descriptorPath);

} // namespace plandeck
