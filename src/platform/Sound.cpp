#include "platform/Sound.h"

#include "base/TextFile.h"

#ifdef PLANDECK_HAVE_MULTIMEDIA
#include <QAudioDevice>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#include <QVariant>
#include <map>
#endif

namespace plandeck {

namespace {

#ifdef PLANDECK_HAVE_MULTIMEDIA
// One effect per file, kept for the program's life: a chime decoded once plays at once next time.
QSoundEffect* EffectFor(const std::string& path) {
    static std::map<std::string, QPointer<QSoundEffect>> effects;
    QPointer<QSoundEffect>& effect = effects[path];
    if (!effect) {
        effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
        // A file that is still loading plays as soon as it is ready; one that fails to decode plays nothing.
        QObject::connect(effect.data(), &QSoundEffect::statusChanged, effect.data(), [e = effect.data()] {
            if (e->status() == QSoundEffect::Ready && e->property("pendingPlay").toBool()) {
                e->setProperty("pendingPlay", false);
                e->play();
            }
        });
    }
    return effect.data();
}
#endif

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
#ifdef PLANDECK_HAVE_MULTIMEDIA
    QSoundEffect* effect = EffectFor(wavPath);
    if (effect->status() == QSoundEffect::Ready)
        effect->play();
    else
        effect->setProperty("pendingPlay", true);
    return Outcome::Started;
#else
    return Outcome::Unsupported;
#endif
}

bool Sound::devicePresent() {
    if (s_testDevicePresent)
        return *s_testDevicePresent;
    if (s_testPlayer)
        return true;
#ifdef PLANDECK_HAVE_MULTIMEDIA
    return !QMediaDevices::audioOutputs().isEmpty();
#else
    return false;
#endif
}

void Sound::setTestPlayer(std::function<void(const std::string&)> player) {
    s_testPlayer = std::move(player);
}

void Sound::setTestDevicePresent(std::optional<bool> present) {
    s_testDevicePresent = present;
}

} // namespace plandeck
