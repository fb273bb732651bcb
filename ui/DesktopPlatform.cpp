#include "ui/DesktopPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <QUrl>

#include <chrono>

#include "ui/ErrorBox.h"

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

// Once per process, before the first sound effect starts the audio back end.
void filterAudioBackEndNoise()
{
    static const bool installed = [] {
        previousMessageHandler = qInstallMessageHandler(dropAudioBackEndNoise);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

TDateTime DesktopPlatform::now()
{
    return toDateTime(QDateTime::currentDateTime());
}

void DesktopPlatform::pause(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

quint32 DesktopPlatform::randomSeed()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<quint32>(ticks);
}

void DesktopPlatform::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(executablePath()), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void DesktopPlatform::showError(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

QString DesktopPlatform::inputQuery(const QString &caption, const QString &prompt,
                                    const QString &initial)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), caption, prompt,
                                               QLineEdit::Normal, initial, &accepted);
    return accepted ? text : initial;
}

void DesktopPlatform::showModal(QDialog &dialog)
{
    dialog.exec();
}

void DesktopPlatform::playSound(const QString &path)
{
    if (!m_sound) {
        filterAudioBackEndNoise();
        m_sound = new QSoundEffect(qApp);
    }
    m_sound->stop();
    m_sound->setSource(QUrl::fromLocalFile(path));
    m_sound->play();
}

QString DesktopPlatform::executablePath()
{
    return QCoreApplication::applicationFilePath();
}

QRect DesktopPlatform::displayGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}
