#include "main/TfmMain.h"

#include <algorithm>

#include "ui/AppFolder.h"
#include "ui/FolderListing.h"
#include "ui/JpegLoader.h"
#include "ui/Platform.h"
#include "ui_fmMain.h"

namespace {

const QString SoundFolder = QStringLiteral("Sound/Bad/");
const QString SoundPattern = QStringLiteral("*.wav");
const QString WallpaperFolder = QStringLiteral("Img/");
const QString WallpaperPattern = QStringLiteral("*.jpg");
constexpr qsizetype MaxBadSounds = 1000;
constexpr qsizetype MaxWallpaperCandidates = 100;
constexpr quint8 WrongAnswerSound = 1;

} // namespace

// A folder with more than MaxBadSounds files keeps its first names in listing order. The player
// takes only names that are text, so a sound whose name is not valid UTF-8 is left out.
void TfmMain::ScanBadSounds()
{
    BadSounds.clear();
    for (const ListedFile &file : listFolder(AppFolder() + SoundFolder, SoundPattern)) {
        if (BadSounds.size() == MaxBadSounds)
            break;
        if (file.realName)
            BadSounds.append(file.name);
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
    std::vector<ListedFile> candidates =
        listFolder(AppFolder() + WallpaperFolder, WallpaperPattern);
    if (qsizetype(candidates.size()) > MaxWallpaperCandidates)
        candidates.resize(MaxWallpaperCandidates);
    if (candidates.empty())
        return {};
    // The name is remembered as shown; the picture is opened by its real bytes.
    const auto remembered =
        std::find_if(candidates.begin(), candidates.end(), [&name](const ListedFile &file) {
            return !name.isEmpty() && file.name == name;
        });
    const ListedFile &chosen =
        remembered != candidates.end()
            ? *remembered
            : candidates.at(std::size_t(Random(static_cast<qint32>(candidates.size()))));
    ui->BkgImage->setPicture(loadStretchedJpeg(chosen.path, ui->BkgImage->size()));
    return chosen.name;
}

void TfmMain::btImageClick()
{
    ui->edNameLastWallpaper->setText(PickWallpaper(QString()));
}
