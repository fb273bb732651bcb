// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/TfmMain.h"

#include "rules/Error.h"
#include "ui/DataLocations.h"
#include "ui/JpegLoader.h"
#include "ui/Platform.h"
#include "ui/WavFile.h"
#include "ui_fmMain.h"

namespace {

const QString SoundPattern = QStringLiteral("*.wav");
const QString WallpaperPattern = QStringLiteral("*.jpg");
constexpr qsizetype MaxBadSounds = 1000;
// Every sound played stays loaded for the run: this bounds what the sounds can take together.
constexpr qint64 MaxBadSoundBytes = 64 * 1024 * 1024;
constexpr qsizetype MaxWallpaperCandidates = 100;
constexpr quint8 WrongAnswerSound = 1;

} // namespace

// Only sounds that pass the WAV check are kept: Qt Multimedia can block the window on a broken
// file. The first MaxBadSounds of them in listing order are kept, while their sizes add up to
// at most MaxBadSoundBytes. The player takes only names that are text, so a sound whose name is
// not valid UTF-8 is left out.
void TfmMain::ScanBadSounds()
{
    BadSounds.clear();
    qint64 bytes = 0;
    for (const ContentFile &file : listContent(Content::Sounds, SoundPattern)) {
        if (BadSounds.size() == MaxBadSounds)
            break;
        if (!file.realName)
            continue;
        try {
            const WavFormat wav = readWavFile(file.path);
            if (bytes + wav.dataBytes > MaxBadSoundBytes)
                continue;
            bytes += wav.dataBytes;
            BadSounds << file.name;
        } catch (const Error &) {
            // Left out, as a file that cannot be played is.
        }
    }
}

void TfmMain::PlayBadSound(quint8 kind)
{
    if (!ui->cbSound->isChecked() || kind != WrongAnswerSound || BadSounds.isEmpty())
        return;
    const qint32 index = m_session.random().next(static_cast<qint32>(BadSounds.size()));
    platform().playSound(contentFilePath(Content::Sounds, BadSounds.at(index)));
}

// Returns the name of the picture shown, or the empty text when the folder has none. A picture
// that cannot be loaded raises Error and the picture on show stays.
QString TfmMain::PickWallpaper(const QString &name)
{
    const QList<ContentFile> candidates =
        listContent(Content::Wallpapers, WallpaperPattern).mid(0, MaxWallpaperCandidates);
    if (candidates.isEmpty())
        return {};
    const qsizetype remembered = name.isEmpty() ? -1 : namesOf(candidates).indexOf(name);
    const ContentFile &chosen = candidates.at(
        remembered >= 0 ? remembered
                        : m_session.random().next(static_cast<qint32>(candidates.size())));
    ui->BkgImage->setPicture(loadStretchedJpeg(chosen.path, ui->BkgImage->size()));
    return chosen.name;
}

void TfmMain::btImageClick()
{
    ui->edNameLastWallpaper->setText(PickWallpaper(QString()));
}
