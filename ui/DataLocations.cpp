// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DataLocations.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

#include "main/rules/Dictionary.h"
#include "main/rules/KvtmlDictionary.h"
#include "rules/Error.h"
#include "rules/RegularFile.h"
#include "ui/AppFolder.h"
#include "ui/FolderListing.h"
#include "ui/Platform.h"

namespace {

// The folder Qt's AppDataLocation names for the program. It is spelled out rather than taken
// from the application name, which follows the executable's name: a renamed copy must still find
// the same records.
const QString AccountFolderName = QStringLiteral("Tovelo2");

QString subfolderOf(Content content)
{
    switch (content) {
    case Content::Dictionaries:
        return QStringLiteral("Dic/");
    case Content::Wallpapers:
        return QStringLiteral("Img/");
    case Content::Sounds:
        return QStringLiteral("Sound/Bad/");
    }
    return {};
}

// Debian's lists name their second language within the first few kilobytes, if at all: the look
// stops at this many bytes, so that no file of that folder costs more.
constexpr qint64 WordListHead = qint64(64) << 10;

bool holdsTwoLanguages(const QString &path)
{
    try {
        QFile file;
        return openRegularFile(file, path, QIODevice::ReadOnly, MaxDictionaryBytes) &&
               holdsSecondTranslation(file.read(WordListHead));
    } catch (const Error &) {
        return false; // it would fail to load just the same
    }
}

// Listed with QDir rather than listFolder: the names of a package are plain ASCII, and leaving
// out a wildcard and a stat per file saves about 1 ms of the 366 files' 10 ms, most of which is
// opening them. Opening checks what each file is.
QList<ContentFile> wordLists(const QString &folder)
{
    QList<ContentFile> files;
    if (folder.isEmpty())
        return files;
    const QStringList languages = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &language : languages) {
        const QString languageFolder = folder + language + QLatin1Char('/');
        for (const QString &name : QDir(languageFolder).entryList(QDir::Files | QDir::Hidden)) {
            const QString path = languageFolder + name;
            if (isKvtmlFileName(name) && holdsTwoLanguages(path))
                files.append({language + QLatin1Char('/') + name, path});
        }
    }
    std::sort(files.begin(), files.end(), [](const ContentFile &a, const ContentFile &b) {
        const int folded = a.name.compare(b.name, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.name < b.name;
    });
    return files;
}

} // namespace

ProgramFolder programFolderKind(const QString &appFolder)
{
    const QFileInfo info(appFolder);
    if (!info.isDir() || info.isWritable())
        return ProgramFolder::Writable;
    // A teacher's prepared folder may refuse new files but hold a settings file the account
    // can write: the program then works there as it always did, writing its files in place.
    const QFileInfo settings(appFolder + SettingsFileName);
    return settings.isFile() && settings.isWritable() ? ProgramFolder::Writable
                                                      : ProgramFolder::ReadOnly;
}

DataLocations dataLocationsFor(const QString &appFolder, ProgramFolder kind,
                               const QString &accountFolder)
{
    if (kind == ProgramFolder::Writable)
        return {appFolder, QString(), {appFolder}};
    return {accountFolder, accountFolder, {accountFolder, appFolder}};
}

QString accountDataFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        throw Error(QStringLiteral("Не найдена папка данных учётной записи"));
    return data + QLatin1Char('/') + AccountFolderName + QLatin1Char('/');
}

DataLocations dataLocations()
{
    const QString appFolder = AppFolder();
    const ProgramFolder kind = programFolderKind(appFolder);
    DataLocations locations = dataLocationsFor(
        appFolder, kind, kind == ProgramFolder::ReadOnly ? accountDataFolder() : QString());
    locations.wordListsFolder = platform().wordListsFolder();
    return locations;
}

// The account also finds there where its own dictionaries, pictures and sounds go.
void prepareDataFolders(const DataLocations &locations)
{
    if (locations.resultsFolder.isEmpty())
        return;
    for (const Content content : {Content::Dictionaries, Content::Wallpapers, Content::Sounds}) {
        const QString folder = locations.resultsFolder + subfolderOf(content);
        if (!QDir().mkpath(folder))
            throw Error(QStringLiteral("Не удалось создать папку %1").arg(folder));
    }
}

QString settingsFilePath(const QString &fileName)
{
    return dataLocations().settingsFolder + fileName;
}

QString resultFilePath(const QString &fileName)
{
    return dataLocations().resultsFolder + fileName;
}

QList<ContentFile> listContent(const DataLocations &locations, Content content,
                               const QString &pattern)
{
    QList<ContentFile> files;
    QSet<QString> taken;
    for (const QString &root : locations.contentRoots) {
        const QString folder = root + subfolderOf(content);
        for (const ListedFile &file : listFolder(folder, pattern)) {
            if (taken.contains(file.name))
                continue;
            taken.insert(file.name);
            files.append({file.name, file.path, file.realName});
        }
    }
    return files;
}

QList<ContentFile> listContent(Content content, const QString &pattern)
{
    return listContent(dataLocations(), content, pattern);
}

QList<ContentFile> listWordLists(const DataLocations &locations)
{
    return wordLists(locations.wordListsFolder);
}

QList<ContentFile> listWordLists()
{
    return listWordLists(dataLocations());
}

QStringList namesOf(const QList<ContentFile> &files)
{
    QStringList names;
    names.reserve(files.size());
    for (const ContentFile &file : files)
        names.append(file.name);
    return names;
}

QString contentFilePath(const DataLocations &locations, Content content, const QString &name)
{
    const QString subfolder = subfolderOf(content);
    for (const QString &root : locations.contentRoots) {
        const QString path = root + subfolder + name;
        if (!name.isEmpty() && QFileInfo(path).isFile())
            return path;
    }
    return locations.contentRoots.last() + subfolder + name;
}

QString contentFilePath(Content content, const QString &name)
{
    return contentFilePath(dataLocations(), content, name);
}
