// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps what it writes and finds the content it shows.
//
// Run from a folder this account can write (build/Tovelo2/, a per-user install, a teacher's
// shared folder), everything stays where it always was: the settings file beside the
// executable, the result files in the current folder, and Dic, Img and Sound/Bad beside the
// executable. Installed where the account cannot write (a system-wide package under /usr), the
// settings and the result files go to the account's own data folder (~/.local/share/Tovelo2),
// and that folder's own Dic, Img and Sound/Bad are listed together with the shipped ones.
//
// Word lists of KDE's trainers that the system has installed (Debian's kdeedu-kvtml-data) are
// listed on their own, as "<language>/<file>": finding them opens hundreds of files, so the
// window adds them after the dictionaries of both folders only when its list is opened.
//
// The form is decided afresh from the executable's folder (through the platform seam) at every
// call, so tests choose it by choosing the executable's path.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The settings file, beside the executable in the usual form.
inline const QString SettingsFileName = QStringLiteral("SaveStat.ini");

// Where Debian installs the word lists, one folder per language.
inline const QString SystemWordListsFolder = QStringLiteral("/usr/share/apps/kvtml/");

enum class ProgramFolder { Writable, ReadOnly };

// The folders of content the user may fill.
enum class Content { Dictionaries, Wallpapers, Sounds };

struct DataLocations {
    // Prepended to the file names, each empty or ending in "/"; empty is the current folder.
    QString settingsFolder;
    QString resultsFolder;
    // Folders whose Dic, Img and Sound/Bad are listed, each with a trailing "/"; where two hold
    // a file of the same name, the earlier one's file is the one used.
    QStringList contentRoots;
    // Holds the word lists, with a trailing "/"; empty for none.
    QString wordListsFolder = SystemWordListsFolder;
};

struct ContentFile {
    QString name; // without folder, as the lists show it
    QString path; // opens it by its real bytes (rules/NativeName.h)
    // Whether `name` is the real name itself, as every valid UTF-8 name is.
    bool realName = true;
};

// Only a folder that exists and refuses this account's writes, with no settings file in it that
// the account can write, counts as read-only: a program folder that is no folder at all keeps
// the usual form, and its writes fail as they always did.
ProgramFolder programFolderKind(const QString &appFolder);

// The decision itself. appFolder and accountFolder end in "/".
DataLocations dataLocationsFor(const QString &appFolder, ProgramFolder kind,
                               const QString &accountFolder);

// The account's data folder, with a trailing "/"; nothing is created.
QString accountDataFolder();

// The locations of this run; nothing is created.
DataLocations dataLocations();

// In the read-only form, makes the account's data folder and its Dic, Img and Sound/Bad where
// they are missing; once, at start-up. Throws Error when one cannot be made.
void prepareDataFolders(const DataLocations &locations);

// Where the settings file and the result files of these names are; nothing is created.
QString settingsFilePath(const QString &fileName);
QString resultFilePath(const QString &fileName);

// The files of one content folder that match the pattern: the account's own first, then the
// shipped ones, each folder in listing order; a shipped file whose name the account's folder
// also holds is left out, so the account's copy replaces it.
QList<ContentFile> listContent(const DataLocations &locations, Content content,
                               const QString &pattern);
QList<ContentFile> listContent(Content content, const QString &pattern);

// The system's word lists that hold two languages (the others give the drill no entry), named
// "<language>/<file>" so that the many lists of the same name stay apart, sorted by that name.
// Each list's head is read: on a cold disk this takes a noticeable time.
QList<ContentFile> listWordLists(const DataLocations &locations);
QList<ContentFile> listWordLists();

QStringList namesOf(const QList<ContentFile> &files);

// The path of a listed name: the file of the first content root that holds it, or the program's
// own folder when none does (which then fails to read as it always did).
QString contentFilePath(const DataLocations &locations, Content content, const QString &name);
QString contentFilePath(Content content, const QString &name);
