#include "settings/FeatureSettings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>
#include <utility>

namespace plandeck {

namespace {

struct Key {
    std::string_view name;
    bool FeatureSettings::*value;
};

constexpr std::array<Key, 3> Keys = {{
    {"notifications", &FeatureSettings::notifications},
    {"backups", &FeatureSettings::backups},
    {"week-numbers", &FeatureSettings::weekNumbers},
}};

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// The key a `key = value` line sets and its value; an empty key for comments and other lines.
std::pair<std::string, std::string> KeyAndValue(std::string_view line) {
    const std::string_view trimmed = Trimmed(line);
    if (trimmed.empty() || trimmed.front() == '#' || trimmed.front() == ';')
        return {};
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {Lower(Trimmed(trimmed.substr(0, equals))), Lower(Trimmed(trimmed.substr(equals + 1)))};
}

// A value the file may hold for on or off; anything else leaves the default.
std::optional<bool> Switch(const std::string& value) {
    if (value == "on" || value == "yes" || value == "true" || value == "1")
        return true;
    if (value == "off" || value == "no" || value == "false" || value == "0")
        return false;
    return std::nullopt;
}

const char* Word(bool on) {
    return on ? "on" : "off";
}

} // namespace

FeatureSettings ReadFeatureSettings(const std::string& path) {
    FeatureSettings settings;
    const ReadResult read = ReadWholeFile(path);
    if (read.status != ReadStatus::Read)
        return settings;
    // A key written twice counts once, by its first line, as the writer keeps it.
    std::array<bool, Keys.size()> seen{};
    ForEachLine(read.bytes, [&](std::string_view line) {
        settings.lines.emplace_back(line);
        const auto [key, value] = KeyAndValue(line);
        for (std::size_t i = 0; i < Keys.size(); ++i)
            if (key == Keys[i].name && !std::exchange(seen[i], true))
                if (const std::optional<bool> on = Switch(value))
                    settings.*Keys[i].value = *on;
        return true;
    });
    return settings;
}

std::string FeatureSettingsBytes(const FeatureSettings& settings) {
    std::array<bool, Keys.size()> written{};
    std::string bytes;
    for (const std::string& line : settings.lines) {
        const std::string key = KeyAndValue(line).first;
        const auto known = std::find_if(Keys.begin(), Keys.end(), [&](const Key& k) { return k.name == key; });
        if (known == Keys.end()) {
            bytes += line;
        } else {
            // A key written twice keeps only its first line, so the file cannot say two things at once.
            auto& done = written[static_cast<std::size_t>(known - Keys.begin())];
            if (done)
                continue;
            done = true;
            bytes += std::string(known->name) + " = " + Word(settings.*known->value);
        }
        bytes += '\n';
    }
    for (std::size_t i = 0; i < Keys.size(); ++i)
        if (!written[i])
            bytes += std::string(Keys[i].name) + " = " + Word(settings.*Keys[i].value) + "\n";
    return bytes;
}

WriteResult WriteFeatureSettings(const std::string& path, const FeatureSettings& settings) {
    return RewriteFile(path, FeatureSettingsBytes(settings));
}

} // namespace plandeck
