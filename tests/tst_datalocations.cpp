// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its files and finds its content: the program's folder as it is (a
// writable one keeps everything as always, a read-only one sends the account's files to its own
// data folder), the account's data folder, and the content lists that join the account's files
// to the shipped ones.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "ui/DataLocations.h"

Q_DECLARE_METATYPE(ProgramFolder)
Q_DECLARE_METATYPE(Content)

namespace {

// Paths written as one text, separated by blanks.
QStringList paths(const char *blankSeparated)
{
    return QString::fromLatin1(blankSeparated).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A program folder and an account's data folder, each holding the files it is given.
class TwoFolders {
public:
    QString program() const { return m_dir.filePath(QStringLiteral("program/")); }
    QString account() const { return m_dir.filePath(QStringLiteral("account/")); }

    void add(const QString &path, const QByteArray &bytes = {}) const
    {
        QDir().mkpath(m_dir.filePath(path.section(QLatin1Char('/'), 0, -2)));
        QFile file(m_dir.filePath(path));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }

    DataLocations locations(ProgramFolder kind) const
    {
        DataLocations locations = dataLocationsFor(program(), kind, account());
        locations.wordListsFolder = m_dir.filePath(QStringLiteral("kvtml/"));
        return locations;
    }

    // A path relative to the two folders, to compare with what the program found.
    QString relative(const QString &path) const
    {
        return QDir(m_dir.path()).relativeFilePath(path);
    }

private:
    QTemporaryDir m_dir;
};

} // namespace

class DataLocationsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void programFolderKind_data();
    void programFolderKind();
    void filesFollowTheFolderKind_data();
    void filesFollowTheFolderKind();
    void accountFolderIsTheXdgDataFolder();
    void dataFoldersAreMadeForTheReadOnlyForm();
    void contentJoinsAccountAndShippedFiles_data();
    void contentJoinsAccountAndShippedFiles();
    void systemWordListsAreListedApart_data();
    void systemWordListsAreListedApart();
    void listedNameFindsItsFile_data();
    void listedNameFindsItsFile();
};

void DataLocationsTest::programFolderKind_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<ProgramFolder>("kind");
    QTest::addRow("writable_folder") << "folder" << ProgramFolder::Writable;
    // Nothing can be created there, but no folder was refused either: writes fail as before.
    QTest::addRow("regular_file_in_place") << "file" << ProgramFolder::Writable;
    QTest::addRow("missing_folder") << "missing" << ProgramFolder::Writable;
}

void DataLocationsTest::programFolderKind()
{
    QFETCH(QString, setUp);
    QFETCH(ProgramFolder, kind);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("program"));
    if (setUp == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(folder));
    if (setUp == QLatin1String("file")) {
        QFile file(folder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(::programFolderKind(folder + QLatin1Char('/')), kind);
}

void DataLocationsTest::filesFollowTheFolderKind_data()
{
    QTest::addColumn<ProgramFolder>("kind");
    QTest::addColumn<QString>("settingsFolder");
    QTest::addColumn<QString>("resultsFolder");
    QTest::addColumn<QStringList>("contentRoots");
    // Settings beside the executable, results in the current folder, as always.
    QTest::addRow("writable_keeps_the_usual_places") << ProgramFolder::Writable << "/opt/Tovelo2/"
                                                     << "" << paths("/opt/Tovelo2/");
    QTest::addRow("read_only_uses_the_account_folder")
        << ProgramFolder::ReadOnly << "/home/kid/.local/share/Tovelo2/"
        << "/home/kid/.local/share/Tovelo2/"
        << paths("/home/kid/.local/share/Tovelo2/ /opt/Tovelo2/");
}

void DataLocationsTest::filesFollowTheFolderKind()
{
    QFETCH(ProgramFolder, kind);
    QFETCH(QString, settingsFolder);
    QFETCH(QString, resultsFolder);
    QFETCH(QStringList, contentRoots);
    const DataLocations locations = dataLocationsFor(
        QStringLiteral("/opt/Tovelo2/"), kind, QStringLiteral("/home/kid/.local/share/Tovelo2/"));
    QCOMPARE(locations.settingsFolder, settingsFolder);
    QCOMPARE(locations.resultsFolder, resultsFolder);
    QCOMPARE(locations.contentRoots, contentRoots);
}

void DataLocationsTest::accountFolderIsTheXdgDataFolder()
{
    QTemporaryDir data;
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const QString folder = accountDataFolder();
    qputenv("XDG_DATA_HOME", previous);
    QCOMPARE(folder, data.filePath(QStringLiteral("Tovelo2/")));
}

void DataLocationsTest::dataFoldersAreMadeForTheReadOnlyForm()
{
    const TwoFolders folders;
    prepareDataFolders(folders.locations(ProgramFolder::Writable));
    QVERIFY(!QFileInfo::exists(folders.account()));
    prepareDataFolders(folders.locations(ProgramFolder::ReadOnly));
    for (const QString &folder : paths("Dic Img Sound/Bad"))
        QVERIFY(QFileInfo(folders.account() + folder).isDir());
}

void DataLocationsTest::contentJoinsAccountAndShippedFiles_data()
{
    QTest::addColumn<ProgramFolder>("kind");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("listed"); // folder-relative paths, in list order

    const QStringList both =
        paths("program/Img/b.jpg program/Img/d.jpg account/Img/a.jpg account/Img/c.jpg");
    QTest::addRow("writable_lists_only_the_program_folder")
        << ProgramFolder::Writable << both << paths("program/Img/b.jpg program/Img/d.jpg");
    QTest::addRow("read_only_lists_the_account_files_first")
        << ProgramFolder::ReadOnly << both
        << paths("account/Img/a.jpg account/Img/c.jpg program/Img/b.jpg program/Img/d.jpg");
    QTest::addRow("account_copy_replaces_the_shipped_file")
        << ProgramFolder::ReadOnly
        << paths("program/Img/sea.jpg program/Img/sky.jpg account/Img/sky.jpg")
        << paths("account/Img/sky.jpg program/Img/sea.jpg");
    QTest::addRow("letter_case_makes_another_name")
        << ProgramFolder::ReadOnly << paths("program/Img/Sky.jpg account/Img/sky.jpg")
        << paths("account/Img/sky.jpg program/Img/Sky.jpg");
    QTest::addRow("account_sub_folder_hides_nothing")
        << ProgramFolder::ReadOnly << paths("program/Img/sky.jpg account/Img/sky.jpg/inner.jpg")
        << paths("program/Img/sky.jpg");
    QTest::addRow("no_account_folder_yet")
        << ProgramFolder::ReadOnly << paths("program/Img/sky.jpg") << paths("program/Img/sky.jpg");
}

void DataLocationsTest::contentJoinsAccountAndShippedFiles()
{
    QFETCH(ProgramFolder, kind);
    QFETCH(QStringList, files);
    QFETCH(QStringList, listed);
    const TwoFolders folders;
    for (const QString &file : files)
        folders.add(file);

    QStringList found;
    QStringList names;
    for (const ContentFile &file :
         listContent(folders.locations(kind), Content::Wallpapers, QStringLiteral("*.jpg"))) {
        found << folders.relative(file.path);
        names << file.name;
        // The path a listed name leads back to is the very file listed.
        QCOMPARE(contentFilePath(folders.locations(kind), Content::Wallpapers, file.name),
                 file.path);
    }
    QCOMPARE(found, listed);
    for (qsizetype i = 0; i < names.size(); ++i)
        QCOMPARE(names.at(i), listed.at(i).section(QLatin1Char('/'), -1));
}

void DataLocationsTest::systemWordListsAreListedApart_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("listed");
    QTest::addRow("two_language_lists_only")
        << true << paths("de/animals.kvtml en/zoo.kvtml Fr/Easy.kvtml")
        << paths("kvtml/de/animals.kvtml kvtml/en/zoo.kvtml kvtml/Fr/Easy.kvtml");
    QTest::addRow("no_word_lists_installed") << false << QStringList() << QStringList();
}

void DataLocationsTest::systemWordListsAreListedApart()
{
    QFETCH(bool, installed);
    QFETCH(QStringList, names);
    QFETCH(QStringList, listed);
    const TwoFolders folders;
    folders.add(QStringLiteral("program/Dic/b.txt"));
    folders.add(QStringLiteral("account/Dic/a.kvtml"));
    // Shaped as Debian installs them: one folder per language, the same names in many, most
    // lists with one language only or an empty second side.
    const QByteArray second = "<translation id=\"1\" >\n<text>x</text></translation>";
    const std::pair<const char *, QByteArray> wordLists[] = {
        {"kvtml/de/animals.kvtml", second},
        {"kvtml/en/zoo.kvtml", second},
        {"kvtml/Fr/Easy.kvtml", "<translation id='1'><text>x</text></translation>"},
        {"kvtml/en/animals.kvtml", "<translation id=\"0\"><text>x</text></translation>"},
        {"kvtml/fi/animals.kvtml", "<translation id=\"1\"><text></text></translation>"},
        {"kvtml/ru/notes.txt", second},
        {"kvtml/top.kvtml", second},
    };
    for (const auto &[path, bytes] : wordLists) {
        if (installed)
            folders.add(QString::fromLatin1(path), bytes);
    }
    const DataLocations locations = folders.locations(ProgramFolder::ReadOnly);
    QCOMPARE(namesOf(listContent(locations, Content::Dictionaries, QStringLiteral("*"))),
             paths("a.kvtml b.txt"));
    QStringList found;
    QStringList shown;
    for (const ContentFile &file : listWordLists(locations)) {
        found << folders.relative(file.path);
        shown << file.name;
    }
    QCOMPARE(shown, names);
    QCOMPARE(found, listed);
}

void DataLocationsTest::listedNameFindsItsFile_data()
{
    QTest::addColumn<Content>("content");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::addRow("sound_of_the_account")
        << Content::Sounds << paths("account/Sound/Bad/oops.wav") << "oops.wav"
        << "account/Sound/Bad/oops.wav";
    QTest::addRow("shipped_dictionary")
        << Content::Dictionaries << paths("program/Dic/german.txt") << "german.txt"
        << "program/Dic/german.txt";
    // The program's own folder, where reading it then fails as it always did.
    QTest::addRow("gone_file_names_the_program_folder")
        << Content::Dictionaries << paths("") << "german.txt"
        << "program/Dic/german.txt";
    QTest::addRow("no_name_names_the_program_folder")
        << Content::Dictionaries << paths("account/Dic/german.txt") << ""
        << "program/Dic";
}

void DataLocationsTest::listedNameFindsItsFile()
{
    QFETCH(Content, content);
    QFETCH(QStringList, files);
    QFETCH(QString, name);
    QFETCH(QString, path);
    const TwoFolders folders;
    for (const QString &file : files)
        folders.add(file);
    QCOMPARE(folders.relative(
                 contentFilePath(folders.locations(ProgramFolder::ReadOnly), content, name)),
             path);
}

QTEST_GUILESS_MAIN(DataLocationsTest)
#include "tst_datalocations.moc"
