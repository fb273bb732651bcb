#include "main/TfmMain.h"

#include "ui/AppFolder.h"
#include "ui/Error.h"
#include "ui/FolderListing.h"
#include "ui/JpegLoader.h"
#include "ui/Platform.h"
#include "ui/WavFile.h"
#include "ui_fmMain.h"

namespace {

const QString SoundFolder = QStringLiteral("Sound/Bad/");
const QString SoundPattern = QStringLiteral("*.wav");
const QString WallpaperFolder = QStringLiteral("Img/");
const QString WallpaperPattern = QStringLiteral("*.jpg");
constexpr qsizetype MaxBadSounds = 1000;
// Every sound played stays loaded for the run: this bounds what the sounds can take together.
constexpr qint64 MaxBadSoundBytes = 64 * 1024 * 1024;
constexpr qsizetype MaxWallpaperCandidates = 100;
constexpr quint8 WrongAnswerSound = 1;

} // namespace

// Only sounds that pass the WAV check are kept: Qt Multimedia can block the window on a broken
// file. The first MaxBadSounds of them in listing order are kept, while their sizes add up to
// at most MaxBadSoundBytes.
void TfmMain::ScanBadSounds()
{
    const QString folder = AppFolder() + SoundFolder;
    BadSounds.clear();
    qint64 bytes = 0;
    for (const QString &name : listFolder(folder, SoundPattern)) {
        if (BadSounds.size() == MaxBadSounds)
            break;
        try {
            const WavFormat wav = readWavFile(folder + name);
            if (bytes + wav.dataBytes > MaxBadSoundBytes)
                continue;
            bytes += wav.dataBytes;
            BadSounds << name;
        } catch (const Error &) {
            // Left out, as a file that cannot be played is.
        }
    }
}

void TfmMain::PlayBadSound(quint8 kind)
{
    if (!ui->cbSound->isChecked() || kind != WrongAnswerSound || BadSounds.isEmpty())
        return;
    const qint32 index = Random(static_cast<qint32>(BadSounds.size()));
    platform().playSound(AppFolder() + SoundFolder + BadSounds.at(index));
}

// Returns the name of the picture shown, or the empty text when the folder has none. A picture
// that cannot be loaded raises Error and the picture on show stays.
QString TfmMain::PickWallpaper(const QString &name)
{
    const QString folder = AppFolder() + WallpaperFolder;
    const QStringList candidates =
        listFolder(folder, WallpaperPattern).mid(0, MaxWallpaperCandidates);
    if (candidates.isEmpty())
        return {};
    const bool remembered = !name.isEmpty() && candidates.contains(name, Qt::CaseSensitive);
    const QString chosen =
        remembered ? name : candidates.at(Random(static_cast<qint32>(candidates.size())));
    ui->BkgImage->setPicture(loadStretchedJpeg(folder + chosen, ui->BkgImage->size()));
    return chosen;
}

void TfmMain::btImageClick()
{
    ui->edNameLastWallpaper->setText(PickWallpaper(QString()));
}
