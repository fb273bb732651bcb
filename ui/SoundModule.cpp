// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SoundModule.h"

#include <QCoreApplication>

#include "rules/Error.h"
#include "ui/WavFile.h"

namespace {
const QString ModuleName = QStringLiteral("tovelo2sound");
constexpr const char *PlayFunctionName = "tovelo2PlayWav";
} // namespace

SoundModule::SoundModule(QString folder)
    : m_folder(std::move(folder))
{
}

void SoundModule::load()
{
    m_tried = true;
    const QString folder = m_folder.isEmpty() ? QCoreApplication::applicationDirPath() : m_folder;
    m_library.setFileName(folder + QLatin1Char('/') + ModuleName);
    m_play = reinterpret_cast<PlayFunction>(m_library.resolve(PlayFunctionName));
}

void SoundModule::play(const QString &path)
{
    // Checked again here, just before Qt reads it: the file may have changed since the folder
    // was scanned, and Qt must never get a file it cannot finish loading.
    try {
        readWavFile(path);
    } catch (const Error &) {
        return;
    }
    if (!m_tried)
        load();
    if (m_play)
        m_play(path);
}
