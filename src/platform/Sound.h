#pragma once

#include <functional>
#include <optional>
#include <string>

namespace plandeck {

// Plays a short WAV file once, without waiting for it: the reminder chime. A desktop without an audio
// output, a missing file, or a build without the multimedia module plays nothing and says so, never
// blocking the caller.
class Sound {
public:
    enum class Outcome { Started, NoDevice, NoFile, Unsupported };

    static Outcome play(const std::string& wavPath);
    // Whether the player (a module loaded at the first chime) is there to play at all.
    static bool playerAvailable();

    // Test hooks. A test player stands in for the audio device and is told every file started; a forced
    // device presence stands in for the system's list of audio outputs. Both are reset with {}.
    static void setTestPlayer(std::function<void(const std::string&)> player);
    static void setTestDevicePresent(std::optional<bool> present);

private:
    static bool devicePresent();

    static inline std::function<void(const std::string&)> s_testPlayer;
    static inline std::optional<bool> s_testDevicePresent;
};

} // namespace plandeck
