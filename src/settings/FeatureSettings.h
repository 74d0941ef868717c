#pragma once

#include "base/TextFile.h"

#include <string>
#include <vector>

namespace plandeck {

// The settings of what Plandeck does beyond its original option files: `pdopt.ini` and `sys.ini` keep
// exactly their lines, so these live in a file of their own, `pdfiles/plandeck.conf`, as `key = value`
// lines. Lines the program does not know (comments, keys of a newer version) are kept as they are when the
// file is written again; a missing file or key means the default.
struct FeatureSettings {
    bool notifications = true; // a desktop notification beside the reminder chime
    bool backups = true;       // hourly backups of the notes file
    bool weekNumbers = true;   // ISO week numbers in the month calendar and the range caption

    // The file's lines as read, so that a write changes only the values of the keys above.
    std::vector<std::string> lines;

    bool operator==(const FeatureSettings& other) const {
        return notifications == other.notifications && backups == other.backups && weekNumbers == other.weekNumbers;
    }
};

FeatureSettings ReadFeatureSettings(const std::string& path);
// The bytes `settings` is written as: the lines read, with the known keys' values put in place and missing
// keys added at the end.
std::string FeatureSettingsBytes(const FeatureSettings& settings);
// Writes the file whole (a temporary file renamed over it); a failure leaves the old file as it was.
WriteResult WriteFeatureSettings(const std::string& path, const FeatureSettings& settings);

} // namespace plandeck
