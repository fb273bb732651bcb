// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up with each file and folder of the program missing, empty, cut short, a folder in
// place of a file (or a file in place of a folder), or full of random bytes. Every time the
// window opens usable: an arithmetic game and a dictionary game can be started and played to
// their end, or the error box names what stops them; the records and history windows open.
// Closing then never writes a data file with less than it held.
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <cstring>
#include <map>
#include <memory>

#include "HiScore/TfmHiScore.h"
#include "main/rules/ResultCodec.h"
#include "rules/Win1251.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "tests/support/TestPictures.h"
#include "ui/ApplicationSetup.h"
#include "ui/EventGuard.h"
#include "ui/WideButton.h"

namespace {

const QString SettingsFile = QStringLiteral("SaveStat.ini");
const QString RecordsFile = QStringLiteral("SaveRes.res");
const QString HistoryFile = QStringLiteral("SaveRes.hst");
const QString DictionaryFile = QStringLiteral("Dic/words.txt");
const QString PictureFile = QStringLiteral("Img/wall.jpg");
const QString SoundFile = QStringLiteral("Sound/Bad/oops.wav");
const QString PlayerName = QStringLiteral("Тестер");

constexpr int OldEntries = 5;
// Files written elsewhere may hold any byte in a text, also one that Windows-1251 leaves
// unassigned: the second entry of each result file has one as its first character.
constexpr char UnassignedByte = '\x98';
constexpr qsizetype NameTextOffset = 1;
constexpr qsizetype DescriptionTextOffset = 32;
constexpr int RandomBytes = 1000;
constexpr int TicksToEndAnyGame = 5000;
constexpr int WrongAnswersToEnd = 10;

enum class Damage {
    Missing,
    Empty,     // an empty file, or a folder without files
    Truncated, // the file cut in the middle
    Folder,    // a folder (holding a file) in place of the file
    Random,    // random bytes, also in place of a folder
};

QByteArray settingsText()
{
    return toWin1251(QStringLiteral("[SaveStat]\r\ncmbAction=0\r\nedMin=1\r\nedMax=30\r\n"
                                    "cbReverse=False\r\ncbSound=True\r\nedLastName=Тестер\r\n"
                                    "edNameLastWallpaper=wall.jpg\r\n"));
}

QByteArray recordsBytes()
{
    std::deque<OneHiScore> entries;
    for (int i = 0; i < OldEntries; ++i) {
        OneHiScore &entry = entries.emplace_back();
        entry.Name = QStringLiteral("Ученик %1").arg(i);
        entry.MinValue = 1;
        entry.MaxValue = 30;
        entry.Category = i % 2 == 0 ? 0 : 7 + 100 * i;
        entry.Score = 40 - i;
        entry.Date = 45800.5 + i;
        entry.Duration = 0.003;
        entry.Answers = 13 - i;
        entry.Errors = i == 0 ? -1 : 10;
    }
    QByteArray bytes = encodeEntries(entries);
    bytes[EntryBytes<OneHiScore> + NameTextOffset] = UnassignedByte;
    return bytes;
}

QByteArray historyBytes()
{
    std::deque<OneHistory> entries;
    for (int i = 0; i < OldEntries; ++i) {
        OneHistory &entry = entries.emplace_back();
        entry.Name = QStringLiteral("-");
        entry.Description = QStringLiteral("Сложение от 1 до 30");
        entry.Score = 40 - i;
        entry.Date = 45800.5 + i;
        entry.Duration = 0.003;
        entry.Answers = 13 - i;
    }
    QByteArray bytes = encodeEntries(entries);
    bytes[EntryBytes<OneHistory> + DescriptionTextOffset] = UnassignedByte;
    return bytes;
}

QByteArray dictionaryBytes()
{
    return toWin1251(QStringLiteral("Слова\r\ncat\tкошка\r\ndog\tсобака\r\nhouse\tдом\r\n"
                                    "tree\tдерево\r\nsun\tсолнце\r\n"));
}

QByteArray pictureBytes()
{
    QImage image(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    }
    return jpegOf(image);
}

// The healthy application folder that each row damages in one place.
std::map<QString, QByteArray> healthyFiles()
{
    return {{SettingsFile, settingsText()}, {RecordsFile, recordsBytes()},
            {HistoryFile, historyBytes()},  {DictionaryFile, dictionaryBytes()},
            {PictureFile, pictureBytes()},  {SoundFile, silentWav()}};
}

QByteArray randomBytes(quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(RandomBytes, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

void damage(const AppSandbox &sandbox, const QString &target, Damage how, const QByteArray &whole)
{
    const QString path = sandbox.path(target);
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
    switch (how) {
    case Damage::Missing:
        break;
    case Damage::Empty:
        if (whole.isNull())
            sandbox.makeFolder(target);
        else
            sandbox.writeFile(target, QByteArray());
        break;
    case Damage::Truncated:
        sandbox.writeFile(target, whole.left(whole.size() / 2));
        break;
    case Damage::Folder:
        sandbox.writeFile(target + QStringLiteral("/keep.txt"), "precious");
        break;
    case Damage::Random:
        sandbox.writeFile(target, randomBytes(qHash(target)));
        break;
    }
}

// Every file below the folder, by relative path, with its bytes; a folder maps to a null array.
std::map<QString, QByteArray> snapshot(const AppSandbox &sandbox)
{
    std::map<QString, QByteArray> found;
    const QDir root(sandbox.path(QString()));
    QDirIterator it(root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = root.relativeFilePath(path);
        found[relative] = it.fileInfo().isDir() ? QByteArray() : sandbox.readFile(relative);
    }
    return found;
}

bool sameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool sameEntry(const OneHiScore &a, const OneHiScore &b)
{
    return a.Name == b.Name && a.MinValue == b.MinValue && a.MaxValue == b.MaxValue &&
           a.Category == b.Category && a.Score == b.Score && sameDouble(a.Date, b.Date) &&
           sameDouble(a.Duration, b.Duration) && a.Answers == b.Answers && a.Errors == b.Errors;
}

bool sameEntry(const OneHistory &a, const OneHistory &b)
{
    return a.Name == b.Name && a.Description == b.Description && a.Score == b.Score &&
           sameDouble(a.Date, b.Date) && sameDouble(a.Duration, b.Duration) &&
           a.Answers == b.Answers;
}

// Every whole entry of the old file is still there, first and in order, each field equal;
// the games of the run follow. A trailing fragment shorter than one entry is no data: the
// save drops it.
template<typename Entry>
QString keptEntries(const QByteArray &before, const QByteArray &after, int games)
{
    const std::deque<Entry> old = decodeEntries<Entry>(before);
    const std::deque<Entry> saved = decodeEntries<Entry>(after);
    if (after.size() % EntryBytes<Entry> != 0)
        return QStringLiteral("a fragment was saved");
    if (saved.size() != old.size() + std::size_t(games))
        return QStringLiteral("%1 entries saved, %2 expected")
            .arg(saved.size())
            .arg(old.size() + std::size_t(games));
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (!sameEntry(old[i], saved[i]))
            return QStringLiteral("entry %1 changed").arg(i);
    }
    return {};
}

QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// A line that the settings save writes anew: the key of a control.
bool isControlKeyLine(const QByteArray &line, const QStringList &controls)
{
    const qsizetype separator = line.indexOf('=');
    if (separator < 0)
        return false;
    const QString key = QString::fromLatin1(line.first(separator)).trimmed();
    return controls.contains(key, Qt::CaseInsensitive);
}

// Every line of the old settings file is kept, in order, but the controls' own keys.
QString keptSettingLines(const QByteArray &before, const QByteArray &after,
                         const QStringList &controls)
{
    const QList<QByteArray> saved = linesOf(after);
    qsizetype next = 0;
    for (const QByteArray &line : linesOf(before)) {
        if (isControlKeyLine(line, controls))
            continue;
        while (next < saved.size() && saved[next] != line)
            ++next;
        if (next == saved.size())
            return QStringLiteral("line lost: ") + QString::fromLatin1(line.toHex());
        ++next;
    }
    return {};
}

QStringList stateControlNames(const TfmMain &window)
{
    QStringList names;
    for (const char *name : {"cmbAction", "edMin", "edMax", "cbReverse", "cbSound", "edAnswer",
                             "edLastName", "edNameLastWallpaper", "cmbDicFiles"}) {
        if (window.findChild<QWidget *>(QLatin1String(name)))
            names << QLatin1String(name);
    }
    return names;
}

} // namespace

class BadStartTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    void windowOpensUsable_data();
    void windowOpensUsable();
};

void BadStartTest::windowOpensUsable_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<Damage>("how");
    // A text that every error box must hold; empty when no error may come.
    QTest::addColumn<QString>("culprit");

    const QString dictionaryFolder = QStringLiteral("Dic/");
    const struct {
        const char *name;
        Damage how;
    } fileDamages[] = {{"missing", Damage::Missing},
                       {"empty", Damage::Empty},
                       {"truncated", Damage::Truncated},
                       {"folder_in_place", Damage::Folder},
                       {"random_bytes", Damage::Random}};
    const struct {
        const char *name;
        QString target;
        QString culprits[5]; // by damage, in the order above
    } files[] = {
        {"settings", SettingsFile, {{}, {}, {}, SettingsFile, {}}},
        {"records", RecordsFile, {{}, {}, {}, RecordsFile, {}}},
        {"history", HistoryFile, {{}, {}, {}, HistoryFile, {}}},
        {"dictionary", DictionaryFile, {dictionaryFolder, {}, {}, dictionaryFolder, {}}},
        {"picture", PictureFile, {{}, PictureFile, {}, {}, PictureFile}},
        {"sound", SoundFile, {{}, {}, {}, {}, {}}},
    };
    for (const auto &file : files) {
        for (int i = 0; i < 5; ++i) {
            QTest::addRow("%s_%s", file.name, fileDamages[i].name)
                << file.target << fileDamages[i].how << file.culprits[i];
        }
    }

    QTest::addRow("dictionary_folder_missing") << "Dic" << Damage::Missing << dictionaryFolder;
    QTest::addRow("dictionary_folder_empty") << "Dic" << Damage::Empty << dictionaryFolder;
    QTest::addRow("dictionary_folder_is_a_file") << "Dic" << Damage::Random << dictionaryFolder;
    QTest::addRow("picture_folder_missing") << "Img" << Damage::Missing << QString();
    QTest::addRow("picture_folder_empty") << "Img" << Damage::Empty << QString();
    QTest::addRow("picture_folder_is_a_file") << "Img" << Damage::Random << QString();
    QTest::addRow("sound_folder_missing") << "Sound/Bad" << Damage::Missing << QString();
    QTest::addRow("sound_folder_empty") << "Sound/Bad" << Damage::Empty << QString();
    QTest::addRow("sound_folder_is_a_file") << "Sound/Bad" << Damage::Random << QString();
}

void BadStartTest::windowOpensUsable()
{
    QFETCH(QString, target);
    QFETCH(Damage, how);
    QFETCH(QString, culprit);

    AppSandbox sandbox;
    const std::map<QString, QByteArray> healthy = healthyFiles();
    for (const auto &[name, bytes] : healthy)
        sandbox.writeFile(name, bytes);
    const auto whole = healthy.find(target);
    damage(sandbox, target, how, whole == healthy.end() ? QByteArray() : whole->second);
    const std::map<QString, QByteArray> before = snapshot(sandbox);
    sandbox.platform.inputAnswers = {PlayerName, PlayerName};

    auto window = std::make_unique<TfmMain>();
    auto records = std::make_unique<TfmHiScore>();
    window->setRecordsWindow(records.get());
    const QStringList controls = stateControlNames(*window);

    // An arithmetic game: two right answers, then wrong ones to its end.
    selectKind(*window, ExerciseKind::Addition);
    setRange(*window, QStringLiteral("1"), QStringLiteral("30"));
    window->btStartClick();
    QVERIFY(window->isGameRunning());
    answerRight(*window);
    answerRight(*window);
    for (int i = 0; i < WrongAnswersToEnd; ++i)
        answerWrong(*window);
    QVERIFY(!window->isGameRunning());
    int games = 1;

    // A dictionary game: one click, then the clock to its end; or an error that says why not.
    selectKind(*window, ExerciseKind::ForeignLanguage);
    const qsizetype errorsBefore = sandbox.platform.errors.size();
    guarded([&] { window->btStartClick(); });
    const bool dictionaryFails = culprit.startsWith(QStringLiteral("Dic"));
    QCOMPARE(window->isGameRunning(), !dictionaryFails);
    QCOMPARE(sandbox.platform.errors.size() > errorsBefore, dictionaryFails);
    if (window->isGameRunning()) {
        window->btOptionClick(control<WideButton>(*window, "btOption1"));
        for (int i = 0; i < TicksToEndAnyGame && window->isGameRunning(); ++i)
            window->TimerTimer();
        QVERIFY(!window->isGameRunning());
        ++games;
    }

    guarded([&] { window->btImageClick(); });
    guarded([&] { window->btHiscoreClick(); });
    guarded([&] { window->btHistoryClick(); });
    QVERIFY(sandbox.platform.modalShows >= 2);

    window->setRecordsWindow(nullptr);
    records.reset();
    window.reset();

    if (culprit.isEmpty()) {
        QVERIFY2(sandbox.platform.errors.isEmpty(),
                 qPrintable(sandbox.platform.errors.join(u'\n')));
    } else {
        QVERIFY(!sandbox.platform.errors.isEmpty());
        for (const QString &error : std::as_const(sandbox.platform.errors))
            QVERIFY2(error.contains(culprit), qPrintable(error));
    }

    // Nothing is lost: the data files hold at least what they held, everything else is as
    // it was.
    const std::map<QString, QByteArray> after = snapshot(sandbox);
    for (const auto &[name, bytes] : before) {
        const auto now = after.find(name);
        QVERIFY2(now != after.end(), qPrintable(name + QStringLiteral(" is gone")));
        const bool folder = bytes.isNull() && !QFileInfo(sandbox.path(name)).isFile();
        if (folder) {
            QVERIFY2(QFileInfo(sandbox.path(name)).isDir(), qPrintable(name));
            continue;
        }
        QString lost;
        if (name == RecordsFile)
            lost = keptEntries<OneHiScore>(bytes, now->second, games);
        else if (name == HistoryFile)
            lost = keptEntries<OneHistory>(bytes, now->second, games);
        else if (name == SettingsFile)
            lost = keptSettingLines(bytes, now->second, controls);
        else if (now->second != bytes)
            lost = QStringLiteral("changed");
        QVERIFY2(lost.isEmpty(), qPrintable(name + QStringLiteral(": ") + lost));
    }
    // A missing result file is made with the games of the run.
    if (how == Damage::Missing && (target == RecordsFile || target == HistoryFile))
        QVERIFY(QFileInfo(sandbox.path(target)).isFile());
}

QTEST_MAIN(BadStartTest)
#include "tst_badstart.moc"
