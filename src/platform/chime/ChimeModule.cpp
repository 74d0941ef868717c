// The reminder chime's player, built as a module of its own (plandeck_chime.so beside the program) that
// Sound loads at the first chime: the multimedia libraries and the sound server's client it pulls in stay
// off the program's start-up.
#include <QAudioDevice>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#include <QVariant>
#include <map>
#include <string>

namespace {

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

} // namespace

// With no output device the multimedia layer reports nothing and an effect stays "playing" for ever, so the
// caller asks first.
extern "C" Q_DECL_EXPORT bool plandeck_chime_device_present() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

// Starts the WAV file at `wavPath` and returns at once.
extern "C" Q_DECL_EXPORT void plandeck_chime_play(const char* wavPath) {
    QSoundEffect* effect = EffectFor(wavPath);
    if (effect->status() == QSoundEffect::Ready)
        effect->play();
    else
        effect->setProperty("pendingPlay", true);
}
