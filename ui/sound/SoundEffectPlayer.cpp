// The sound module: plays WAV files with Qt Multimedia's QSoundEffect. It is a library of its
// own, loaded on the first wrong-answer sound, so a run pays for the audio stack only once it
// plays something.
#include <QCoreApplication>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

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

} // namespace

// Starts the file and returns at once; a file that is gone or cannot be played stays silent.
extern "C" Q_DECL_EXPORT void tovelo2PlayWav(const QString &path)
{
    // Owned by the application object, made with the first sound.
    static QPointer<QSoundEffect> effect;
    if (!effect) {
        if (!previousMessageHandler)
            previousMessageHandler = qInstallMessageHandler(dropAudioBackEndNoise);
        effect = new QSoundEffect(QCoreApplication::instance());
    }
    effect->stop();
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}
