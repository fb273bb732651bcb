// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module: plays WAV files with Qt Multimedia's QSoundEffect. It is a library of its
// own, loaded on the first wrong-answer sound, so a run pays for the audio stack only once it
// plays something.
//
// Qt's sample cache blocks the thread that releases a sample (an effect given a new source, or
// destroyed) until every sample still loading has loaded; a file Qt cannot finish loading then
// blocks the window for good. The files come checked (SoundModule), and the effects are driven
// so that no sample is released during the run: each file gets an effect of its own, given its
// source once and afterwards only replayed.
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>

namespace {

// Qt Multimedia reports a machine without sound (no PulseAudio server, no output device) with
// plain warnings, which no logging category can filter. The player reports no failure, so it
// drops these.
bool isAudioBackEndNoise(const QString &message)
{
    return message.startsWith(QLatin1String("PulseAudioService:")) ||
           message == QLatin1String("No audio device detected");
}

QtMessageHandler previousMessageHandler = nullptr;

void dropAudioBackEndNoise(QtMsgType type, const QMessageLogContext &context,
                           const QString &message)
{
    if (type == QtWarningMsg && isAudioBackEndNoise(message))
        return;
    previousMessageHandler(type, context, message);
}

// The effects of the run, one per file, owned until the application object goes.
class EffectShelf : public QObject {
public:
    explicit EffectShelf(QObject *parent)
        : QObject(parent)
    {
    }
    // Destroying an effect releases its sample, which would wait for good on a load that never
    // ends (a file changed after its check); such a run leaves its effects to the process's end.
    ~EffectShelf() override
    {
        const auto loading = [](const QSoundEffect *effect) {
            return effect->status() == QSoundEffect::Loading;
        };
        if (std::any_of(m_effects.cbegin(), m_effects.cend(), loading)) {
            for (QSoundEffect *effect : std::as_const(m_effects))
                effect->setParent(nullptr);
        }
    }
    EffectShelf(const EffectShelf &) = delete;
    EffectShelf &operator=(const EffectShelf &) = delete;

    void play(const QString &path)
    {
        QSoundEffect *&effect = m_effects[path];
        if (!effect) {
            effect = new QSoundEffect(this);
            effect->setSource(QUrl::fromLocalFile(path));
        }
        // A sound still loading starts once it is loaded; one that failed stays silent.
        if (effect->status() != QSoundEffect::Error)
            effect->play();
    }

private:
    QHash<QString, QSoundEffect *> m_effects;
};

} // namespace

// Starts the file and returns at once; a file that is gone or cannot be played stays silent.
extern "C" Q_DECL_EXPORT void tovelo2PlayWav(const QString &path)
{
    static QPointer<EffectShelf> shelf;
    if (!shelf) {
        if (!previousMessageHandler)
            previousMessageHandler = qInstallMessageHandler(dropAudioBackEndNoise);
        shelf = new EffectShelf(QCoreApplication::instance());
    }
    shelf->play(path);
}
