// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DesktopPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QThread>

#include <chrono>

#include "ui/QuitSignals.h"
#include "ui/rules/WindowTexts.h"

DesktopPlatform::DesktopPlatform(QString soundModuleFolder)
    : m_sound(std::move(soundModuleFolder))
{
}

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

// After a request to end the program no box opens: it would wait for an answer nobody gives.
void DesktopPlatform::showMessage(const QString &text)
{
    if (!mayOpenBoxes())
        return;
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(executablePath()), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void DesktopPlatform::showError(const QString &title, const QString &text)
{
    if (!mayOpenBoxes())
        return;
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

QString DesktopPlatform::inputQuery(const QString &caption, const QString &prompt,
                                    const QString &initial)
{
    if (!mayOpenBoxes())
        return initial;
    bool accepted = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), caption, prompt,
                                               QLineEdit::Normal, initial, &accepted);
    return accepted ? text : initial;
}

void DesktopPlatform::showModal(QDialog &dialog)
{
    if (!mayOpenBoxes())
        return;
    dialog.exec();
}

void DesktopPlatform::playSound(const QString &path)
{
    m_sound.play(path);
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

QRect DesktopPlatform::availableGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
