#include "platform/Sound.h"

#include "base/TextFile.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

namespace plandeck {

namespace {

// The player lives in a module of its own, loaded at the first chime (see chime/ChimeModule.cpp). It is
// looked for beside the program, then where the build put it.
struct ChimeModule {
    bool (*devicePresent)() = nullptr;
    void (*play)(const char*) = nullptr;
};

const ChimeModule& Chime() {
    static const ChimeModule chime = [] {
        QStringList places = {QCoreApplication::applicationDirPath() + QStringLiteral("/plandeck_chime.so")};
#ifdef PLANDECK_CHIME_MODULE
        places << QStringLiteral(PLANDECK_CHIME_MODULE);
#endif
        for (const QString& place : places) {
            QLibrary library(place);
            if (!library.load())
                continue;
            ChimeModule found;
            found.devicePresent = reinterpret_cast<bool (*)()>(library.resolve("plandeck_chime_device_present"));
            found.play = reinterpret_cast<void (*)(const char*)>(library.resolve("plandeck_chime_play"));
            if (found.devicePresent && found.play)
                return found;
        }
        return ChimeModule{};
    }();
    return chime;
}

} // namespace

Sound::Outcome Sound::play(const std::string& wavPath) {
    if (!FileExists(wavPath))
        return Outcome::NoFile;
    // With no output device the multimedia layer reports nothing and the effect stays "playing" for ever.
    if (!devicePresent())
        return Outcome::NoDevice;
    if (s_testPlayer) {
        s_testPlayer(wavPath);
        return Outcome::Started;
    }
    const ChimeModule& chime = Chime();
    if (!chime.play)
        return Outcome::Unsupported;
    chime.play(wavPath.c_str());
    return Outcome::Started;
}

bool Sound::playerAvailable() {
    return Chime().play != nullptr;
}

bool Sound::devicePresent() {
    if (s_testDevicePresent)
        return *s_testDevicePresent;
    if (s_testPlayer)
        return true;
    const ChimeModule& chime = Chime();
    return chime.devicePresent && chime.devicePresent();
}

void Sound::setTestPlayer(std::function<void(const std::string&)> player) {
    s_testPlayer = std::move(player);
}

void Sound::setTestDevicePresent(std::optional<bool> present) {
    s_testDevicePresent = present;
}

} // namespace plandeck
