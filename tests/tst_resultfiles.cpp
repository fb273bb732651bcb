// SPDX-License-Identifier: GPL-3.0-or-later
// The two result files at the byte level: crafted records decode to the right fields, entries
// encode to the documented layout, whole files round-trip, and the file operations fail safely.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/FileBytes.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/LimitedChild.h"
#include "tests/support/UnusualFiles.h"
#include <QtEndian>

#include <sys/resource.h>

#include <bit>
#include <csignal>
#include <cstring>

#include "main/rules/ResultCodec.h"
#include "main/rules/ResultStore.h"
#include "rules/Error.h"
#include "rules/FileReplace.h"
#include "rules/Win1251.h"

namespace {

// Builds a record byte by byte; untouched bytes hold a filler so that decoding must not
// depend on zeros in padding or behind a text.
class RawRecord {
public:
    explicit RawRecord(qsizetype size, char filler = '\xAA')
        : m_bytes(size, filler)
    {
    }
    RawRecord &text(qsizetype at, quint8 lengthByte, const QByteArray &chars)
    {
        m_bytes[at] = char(lengthByte);
        std::memcpy(m_bytes.data() + at + 1, chars.constData(), std::size_t(chars.size()));
        return *this;
    }
    RawRecord &int32(qsizetype at, qint32 value)
    {
        qToLittleEndian(value, m_bytes.data() + at);
        return *this;
    }
    RawRecord &float64(qsizetype at, double value)
    {
        qToLittleEndian(std::bit_cast<quint64>(value), m_bytes.data() + at);
        return *this;
    }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

const QString Cyrillic30 = QStringLiteral("Ёжик Пётр Иванович Щукин-Эйлер");
const QByteArray Filler30 = QByteArray(30, 'N');
const QByteArray Filler50 = QByteArray(50, 'D');

qint32 intAt(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

quint64 bitsAt(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint64>(bytes.constData() + at);
}

OneHiScore sampleRecord(int i)
{
    OneHiScore entry;
    entry.Name = i % 2 ? QStringLiteral("Маша %1").arg(i) : QStringLiteral("Player%1").arg(i);
    entry.MinValue = i;
    entry.MaxValue = 30 + i;
    entry.Category = -i;
    entry.Score = 3 * i;
    entry.Date = 46000.25 + i;
    entry.Duration = 0.001 * i;
    entry.Answers = i;
    entry.Errors = i == 3 ? -1 : 10;
    return entry;
}

OneHistory sampleHistory(int i)
{
    OneHistory entry;
    entry.Name = QStringLiteral("-");
    entry.Description = QStringLiteral("Сложение от 1 до %1").arg(i);
    entry.Score = i;
    entry.Date = 46000.5 + i;
    entry.Duration = 0.002 * i;
    entry.Answers = 2 * i;
    return entry;
}

void compare(const OneHiScore &a, const OneHiScore &b)
{
    QCOMPARE(a.Name, b.Name);
    QCOMPARE(a.MinValue, b.MinValue);
    QCOMPARE(a.MaxValue, b.MaxValue);
    QCOMPARE(a.Category, b.Category);
    QCOMPARE(a.Score, b.Score);
    QCOMPARE(std::bit_cast<quint64>(a.Date), std::bit_cast<quint64>(b.Date));
    QCOMPARE(std::bit_cast<quint64>(a.Duration), std::bit_cast<quint64>(b.Duration));
    QCOMPARE(a.Answers, b.Answers);
    QCOMPARE(a.Errors, b.Errors);
}

void compare(const OneHistory &a, const OneHistory &b)
{
    QCOMPARE(a.Name, b.Name);
    QCOMPARE(a.Description, b.Description);
    QCOMPARE(a.Score, b.Score);
    QCOMPARE(std::bit_cast<quint64>(a.Date), std::bit_cast<quint64>(b.Date));
    QCOMPARE(std::bit_cast<quint64>(a.Duration), std::bit_cast<quint64>(b.Duration));
    QCOMPARE(a.Answers, b.Answers);
}

// The entries as the window loads them at start-up.
template<typename Entry> std::deque<Entry> loaded(const QString &path)
{
    ResultStore<Entry> store;
    store.load(path);
    store.read();
    return std::move(store.entries());
}

} // namespace

class ResultFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decodeRecord_data();
    void decodeRecord();
    void encodeRecordLayout();
    void decodeHistory_data();
    void decodeHistory();
    void encodeHistoryLayout();
    void textsAreCutToTheirFields();
    void textsEncodeAsWin1251_data();
    void textsEncodeAsWin1251();
    void doublesKeepEveryBit();
    void repeatedTextsDecodeAlike();
    void trailingFragmentIgnored_data();
    void trailingFragmentIgnored();
    void filesRoundTrip();
    void missingFileIsCreatedEmpty();
    void missingFileInUnwritablePlaceIsNoError();
    void unreadableFileFails();
    void saveReplacesWholeFile();
    void failedSaveKeepsOldFile();
    void saveIntoImpossiblePlaceFails();
    void copiesMergeTheirChanges_data();
    void copiesMergeTheirChanges();
    void fullDiskIsNamed();
    void hostileThingsInPlaceOfTheFile_data();
    void hostileThingsInPlaceOfTheFile();
};

void ResultFilesTest::decodeRecord_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("errors");

    const auto record = [](quint8 length, const QByteArray &chars, qint32 errors) {
        return RawRecord(72)
            .text(0, length, chars)
            .int32(32, -7)
            .int32(36, 2147483647)
            .int32(40, -123456789)
            .int32(44, 42)
            .float64(48, 46000.75)
            .float64(56, 0.0015625)
            .int32(64, 14)
            .int32(68, errors)
            .bytes();
    };
    QTest::addRow("latin_name") << record(4, "Anna" + Filler30.left(26), 3) << "Anna" << 3;
    QTest::addRow("cyrillic_name") << record(30, toWin1251(Cyrillic30), 0) << Cyrillic30 << 0;
    QTest::addRow("empty_name") << record(0, Filler30, 5) << "" << 5;
    QTest::addRow("length_31_read_as_30")
        << record(31, toWin1251(Cyrillic30), 1) << Cyrillic30 << 1;
    QTest::addRow("length_255_read_as_30")
        << record(255, toWin1251(Cyrillic30), 1) << Cyrillic30 << 1;
    QTest::addRow("errors_minus_one_kept") << record(3, "Ivo" + Filler30, -1) << "Ivo" << -1;
}

void ResultFilesTest::decodeRecord()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(int, errors);
    OneHiScore entry;
    decodeEntry(bytes.constData(), entry);
    QCOMPARE(entry.Name, name);
    QCOMPARE(entry.MinValue, -7);
    QCOMPARE(entry.MaxValue, 2147483647);
    QCOMPARE(entry.Category, -123456789);
    QCOMPARE(entry.Score, 42);
    QCOMPARE(entry.Date, 46000.75);
    QCOMPARE(entry.Duration, 0.0015625);
    QCOMPARE(entry.Answers, 14);
    QCOMPARE(entry.Errors, errors);
}

void ResultFilesTest::encodeRecordLayout()
{
    OneHiScore entry;
    entry.Name = QStringLiteral("Вася");
    entry.MinValue = -5;
    entry.MaxValue = 100;
    entry.Category = 6;
    entry.Score = 77;
    entry.Date = 46001.125;
    entry.Duration = 0.01;
    entry.Answers = 25;
    entry.Errors = -1;

    QByteArray bytes(72, '\xFF');
    encodeEntry(entry, bytes.data());
    QCOMPARE(quint8(bytes[0]), quint8(4));
    QCOMPARE(bytes.mid(1, 4), toWin1251(entry.Name));
    QCOMPARE(bytes.mid(5, 27), QByteArray(27, '\0')); // past the name, and the padding byte
    QCOMPARE(intAt(bytes, 32), -5);
    QCOMPARE(intAt(bytes, 36), 100);
    QCOMPARE(intAt(bytes, 40), 6);
    QCOMPARE(intAt(bytes, 44), 77);
    QCOMPARE(bitsAt(bytes, 48), std::bit_cast<quint64>(46001.125));
    QCOMPARE(bitsAt(bytes, 56), std::bit_cast<quint64>(0.01));
    QCOMPARE(intAt(bytes, 64), 25);
    QCOMPARE(intAt(bytes, 68), -1);
}

void ResultFilesTest::decodeHistory_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    const QString long50 = QStringLiteral("Иностранный язык Очень длинное имя словаря про зве");
    QVERIFY(long50.size() == 50);
    const auto record = [](quint8 nameLength, const QByteArray &name, quint8 descriptionLength,
                           const QByteArray &description) {
        return RawRecord(112)
            .text(0, nameLength, name)
            .text(31, descriptionLength, description)
            .int32(84, 39)
            .float64(88, 45999.5)
            .float64(96, 0.003)
            .int32(104, 13)
            .bytes();
    };
    QTest::addRow("plain") << record(1, "-" + Filler30, 19, toWin1251(u"Сложение от 1 до 30"))
                           << "-"
                           << "Сложение от 1 до 30";
    QTest::addRow("description_length_51_read_as_50")
        << record(1, "-" + Filler30, 51, toWin1251(long50)) << "-" << long50;
    QTest::addRow("both_lengths_255")
        << record(255, toWin1251(Cyrillic30), 255, toWin1251(long50)) << Cyrillic30 << long50;
    QTest::addRow("empty_texts") << record(0, Filler30, 0, Filler50) << ""
                                 << "";
}

void ResultFilesTest::decodeHistory()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(QString, description);
    OneHistory entry;
    decodeEntry(bytes.constData(), entry);
    QCOMPARE(entry.Name, name);
    QCOMPARE(entry.Description, description);
    QCOMPARE(entry.Score, 39);
    QCOMPARE(entry.Date, 45999.5);
    QCOMPARE(entry.Duration, 0.003);
    QCOMPARE(entry.Answers, 13);
}

void ResultFilesTest::encodeHistoryLayout()
{
    OneHistory entry;
    entry.Name = QStringLiteral("-");
    entry.Description = QStringLiteral("Деление от 2 до 9");
    entry.Score = 12;
    entry.Date = 46002.0;
    entry.Duration = 0.5;
    entry.Answers = 4;

    QByteArray bytes(112, '\xFF');
    encodeEntry(entry, bytes.data());
    QCOMPARE(quint8(bytes[0]), quint8(1));
    QCOMPARE(bytes[1], '-');
    QCOMPARE(bytes.mid(2, 29), QByteArray(29, '\0'));
    QCOMPARE(quint8(bytes[31]), quint8(entry.Description.size()));
    QCOMPARE(bytes.mid(32, entry.Description.size()), toWin1251(entry.Description));
    const qsizetype past = 32 + entry.Description.size();
    QCOMPARE(bytes.mid(past, 84 - past), QByteArray(84 - past, '\0')); // and 2 padding bytes
    QCOMPARE(intAt(bytes, 84), 12);
    QCOMPARE(bitsAt(bytes, 88), std::bit_cast<quint64>(46002.0));
    QCOMPARE(bitsAt(bytes, 96), std::bit_cast<quint64>(0.5));
    QCOMPARE(intAt(bytes, 104), 4);
    QCOMPARE(intAt(bytes, 108), 0);
}

void ResultFilesTest::textsAreCutToTheirFields()
{
    OneHiScore record;
    record.Name = QString(40, QLatin1Char('n'));
    OneHistory past;
    past.Name = QString(31, QChar(0x0416)); // Ж
    past.Description = QString(60, QLatin1Char('d'));

    QByteArray recordBytes(72, '\0');
    encodeEntry(record, recordBytes.data());
    QCOMPARE(quint8(recordBytes[0]), quint8(30));
    QCOMPARE(recordBytes.mid(1, 31), QByteArray(30, 'n') + '\0');

    QByteArray historyBytes(112, '\0');
    encodeEntry(past, historyBytes.data());
    QCOMPARE(quint8(historyBytes[0]), quint8(30));
    QCOMPARE(quint8(historyBytes[31]), quint8(50));
    QCOMPARE(historyBytes.mid(32, 52), QByteArray(50, 'd') + QByteArray(2, '\0'));

    OneHistory back;
    decodeEntry(historyBytes.constData(), back);
    QCOMPARE(back.Name, QString(30, QChar(0x0416)));
}

void ResultFilesTest::textsEncodeAsWin1251_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("ascii") << "Player 1 ~!";
    QTest::addRow("cyrillic_alphabet") << "АБВЮЯабвюя";
    QTest::addRow("outside_the_alphabet") << "Ёё№€Ґ«»";
    QTest::addRow("unencodable_becomes_question_marks") << "日本 \U0001F600";
}

void ResultFilesTest::textsEncodeAsWin1251()
{
    QFETCH(QString, text);
    OneHistory entry;
    entry.Description = text;
    QByteArray bytes(112, '\0');
    encodeEntry(entry, bytes.data());
    const QByteArray expected = toWin1251(text);
    QCOMPARE(quint8(bytes[31]), quint8(expected.size()));
    QCOMPARE(bytes.mid(32, expected.size()), expected);
}

void ResultFilesTest::doublesKeepEveryBit()
{
    const quint64 nanWithPayload = 0x7FF8'0000'DEAD'BEEFull;
    OneHiScore entry;
    entry.Date = std::bit_cast<double>(nanWithPayload);
    entry.Duration = -0.0;
    QByteArray bytes(72, '\0');
    encodeEntry(entry, bytes.data());
    OneHiScore back;
    decodeEntry(bytes.constData(), back);
    QCOMPARE(std::bit_cast<quint64>(back.Date), nanWithPayload);
    QCOMPARE(std::bit_cast<quint64>(back.Duration), std::bit_cast<quint64>(-0.0));
}

void ResultFilesTest::repeatedTextsDecodeAlike()
{
    const QStringList names = {
        QStringLiteral("Аня"),  QStringLiteral("Аня"), QString(),
        QStringLiteral("Боря"), QStringLiteral("Аня"), QStringLiteral("Аня и Боря")};
    std::deque<OneHiScore> records;
    for (const QString &name : names)
        records.push_back(OneHiScore{name});
    const QByteArray bytes = encodeEntries(records);
    const auto loaded = decodeEntries<OneHiScore>(bytes);
    QCOMPARE(loaded.size(), std::size_t(names.size()));
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(loaded[std::size_t(i)].Name, names[i]);
}

void ResultFilesTest::trailingFragmentIgnored_data()
{
    QTest::addColumn<int>("whole");
    QTest::addColumn<int>("fragment");
    QTest::addRow("empty") << 0 << 0;
    QTest::addRow("fragment_only") << 0 << 71;
    QTest::addRow("three_whole") << 3 << 0;
    QTest::addRow("three_and_one_byte") << 3 << 1;
    QTest::addRow("three_and_71_bytes") << 3 << 71;
}

void ResultFilesTest::trailingFragmentIgnored()
{
    QFETCH(int, whole);
    QFETCH(int, fragment);
    std::deque<OneHiScore> records;
    std::deque<OneHistory> history;
    for (int i = 0; i < whole; ++i) {
        records.push_back(sampleRecord(i));
        history.push_back(sampleHistory(i));
    }
    const QByteArray tail(fragment, '\x11');

    const auto loadedRecords = decodeEntries<OneHiScore>(encodeEntries(records) + tail);
    QCOMPARE(loadedRecords.size(), std::size_t(whole));
    const auto loadedHistory = decodeEntries<OneHistory>(encodeEntries(history) + tail);
    QCOMPARE(loadedHistory.size(), std::size_t(whole));
    if (whole > 0) {
        compare(loadedRecords.back(), records.back());
        compare(loadedHistory.back(), history.back());
    }
    QCOMPARE(encodeEntries(loadedRecords).size(), qsizetype(72 * whole));
}

void ResultFilesTest::filesRoundTrip()
{
    QTemporaryDir dir;
    const QString recordsPath = dir.filePath(QStringLiteral("SaveRes.res"));
    const QString historyPath = dir.filePath(QStringLiteral("SaveRes.hst"));
    // Filler in padding and behind texts: only those bytes may change on the way round.
    QByteArray records;
    for (int i = 0; i < 5; ++i) {
        const QByteArray name = toWin1251(sampleRecord(i).Name);
        records += RawRecord(72, char(0x30 + i))
                       .text(0, quint8(name.size()), name)
                       .int32(32, i)
                       .int32(36, 30 + i)
                       .int32(40, -i)
                       .int32(44, 3 * i)
                       .float64(48, 46000.25 + i)
                       .float64(56, 0.001 * i)
                       .int32(64, i)
                       .int32(68, i == 3 ? -1 : 10)
                       .bytes();
    }
    writeAll(recordsPath, records);
    QByteArray history;
    for (int i = 0; i < 4; ++i) {
        const OneHistory entry = sampleHistory(i);
        history += RawRecord(112, char(0x40 + i))
                       .text(0, 1, "-")
                       .text(31, quint8(entry.Description.size()), toWin1251(entry.Description))
                       .int32(84, entry.Score)
                       .float64(88, entry.Date)
                       .float64(96, entry.Duration)
                       .int32(104, entry.Answers)
                       .bytes();
    }
    writeAll(historyPath, history);

    const auto loadedRecords = loaded<OneHiScore>(recordsPath);
    const auto loadedHistory = loaded<OneHistory>(historyPath);
    QCOMPARE(loadedRecords.size(), std::size_t(5));
    QCOMPARE(loadedHistory.size(), std::size_t(4));
    for (int i = 0; i < 5; ++i)
        compare(loadedRecords[std::size_t(i)], sampleRecord(i));
    for (int i = 0; i < 4; ++i)
        compare(loadedHistory[std::size_t(i)], sampleHistory(i));

    replaceFile(recordsPath, encodeEntries(loadedRecords));
    replaceFile(historyPath, encodeEntries(loadedHistory));
    const QByteArray savedRecords = readAll(recordsPath);
    QCOMPARE(savedRecords.size(), records.size());
    QCOMPARE(readAll(historyPath).size(), history.size());
    const auto again = decodeEntries<OneHiScore>(savedRecords);
    for (int i = 0; i < 5; ++i)
        compare(again[std::size_t(i)], sampleRecord(i));
    const auto historyAgain = decodeEntries<OneHistory>(readAll(historyPath));
    for (int i = 0; i < 4; ++i)
        compare(historyAgain[std::size_t(i)], sampleHistory(i));
}

void ResultFilesTest::missingFileIsCreatedEmpty()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SaveRes.res"));
    QVERIFY(loaded<OneHiScore>(path).empty());
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), qint64(0));
}

void ResultFilesTest::missingFileInUnwritablePlaceIsNoError()
{
    QTemporaryDir dir;
    writeAll(dir.filePath(QStringLiteral("plain")), "x");
    const QString path = dir.filePath(QStringLiteral("plain/SaveRes.res"));
    QVERIFY(loaded<OneHiScore>(path).empty());
    QVERIFY(!QFile::exists(path));
}

void ResultFilesTest::unreadableFileFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SaveRes.res"));
    QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    try {
        loaded<OneHiScore>(path);
        QFAIL("a folder was read as a file");
    } catch (const Error &e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
    QVERIFY(QFileInfo(path).isDir());
}

void ResultFilesTest::saveReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SaveRes.hst"));
    writeAll(path, QByteArray(1000, 'o'));
    replaceFile(path, "new");
    QCOMPARE(readAll(path), QByteArray("new"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("SaveRes.hst")});
}

void ResultFilesTest::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SaveRes.res"));
    std::deque<OneHiScore> old;
    for (int i = 0; i < 3; ++i)
        old.push_back(sampleRecord(i));
    const QByteArray oldBytes = encodeEntries(old);
    writeAll(path, oldBytes);

    std::deque<OneHiScore> grown = old;
    for (int i = 3; i < 500; ++i)
        grown.push_back(sampleRecord(i));
    {
        const FileSizeLimit diskFull(4096);
        QVERIFY(diskFull.active());
        QVERIFY_THROWS_EXCEPTION(Error, replaceFile(path, encodeEntries(grown)));
    }
    QCOMPARE(readAll(path), oldBytes);
    // Nothing half-written is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("SaveRes.res")});
}

void ResultFilesTest::saveIntoImpossiblePlaceFails()
{
    QTemporaryDir dir;
    writeAll(dir.filePath(QStringLiteral("plain")), "x");
    QVERIFY_THROWS_EXCEPTION(
        Error, replaceFile(dir.filePath(QStringLiteral("plain/SaveRes.res")), "data"));
    QCOMPARE(readAll(dir.filePath(QStringLiteral("plain"))), QByteArray("x"));
}

// Two copies load the same file, change it each in its own way, and save: B first, then A.
void ResultFilesTest::copiesMergeTheirChanges_data()
{
    QTest::addColumn<QString>("renameInA");
    QTest::addColumn<QString>("renameInB");
    QTest::addColumn<bool>("gameInA");
    QTest::addColumn<bool>("gameInB");
    QTest::addColumn<bool>("deletedBeforeA");
    QTest::addColumn<QStringList>("expected"); // the names in the file, in order

    const QString a = QStringLiteral("Аня");
    const QString b = QStringLiteral("Боря");
    QTest::addRow("both_add_games") << QString() << QString() << true << true << false
                                    << QStringList{NewResName, QStringLiteral("Оля"), b, a};
    QTest::addRow("name_given_in_one_game_added_in_other")
        << a << QString() << false << true << false << QStringList{a, QStringLiteral("Оля"), b};
    QTest::addRow("first_name_given_stays")
        << a << b << false << false << false << QStringList{b, QStringLiteral("Оля")};
    QTest::addRow("file_deleted_by_hand_keeps_only_new_games")
        << a << QString() << true << false << true << QStringList{a};
    QTest::addRow("unchanged_copy_writes_nothing")
        << QString() << QString() << false << false << true << QStringList();
}

void ResultFilesTest::copiesMergeTheirChanges()
{
    QFETCH(QString, renameInA);
    QFETCH(QString, renameInB);
    QFETCH(bool, gameInA);
    QFETCH(bool, gameInB);
    QFETCH(bool, deletedBeforeA);
    QFETCH(QStringList, expected);

    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SaveRes.res"));
    std::deque<OneHiScore> old = {sampleRecord(1), sampleRecord(2)};
    old[0].Name = NewResName;
    old[1].Name = QStringLiteral("Оля");
    writeAll(path, encodeEntries(old));

    ResultStore<OneHiScore> copyA;
    ResultStore<OneHiScore> copyB;
    for (ResultStore<OneHiScore> *copy : {&copyA, &copyB}) {
        copy->load(path);
        copy->read();
    }
    const auto play = [](ResultStore<OneHiScore> &copy, const QString &name, int game) {
        OneHiScore entry = sampleRecord(game);
        entry.Name = name;
        copy.append(entry);
    };
    if (!renameInA.isEmpty())
        copyA.entries()[0].Name = renameInA;
    if (!renameInB.isEmpty())
        copyB.entries()[0].Name = renameInB;
    if (gameInA)
        play(copyA, QStringLiteral("Аня"), 10);
    if (gameInB)
        play(copyB, QStringLiteral("Боря"), 20);

    copyB.save(path);
    if (deletedBeforeA)
        QVERIFY(QFile::remove(path));
    copyA.save(path);

    QCOMPARE(QFile::exists(path), !expected.isEmpty());
    const QByteArray bytes = expected.isEmpty() ? QByteArray() : readAll(path);
    QCOMPARE(bytes.size() % EntryBytes<OneHiScore>, 0);
    QStringList names;
    for (const OneHiScore &entry : decodeEntries<OneHiScore>(bytes))
        names << entry.Name;
    QCOMPARE(names, expected);
    // No lock or temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             expected.isEmpty() ? QStringList() : QStringList{QStringLiteral("SaveRes.res")});
}

// The cause of a failed save reaches the player in words a parent can act on: a small disk of
// its own (a tmpfs, which only root may mount) runs full for real.
void ResultFilesTest::fullDiskIsNamed()
{
    constexpr int DiskBytes = 64 * 1024;
    const QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkdir(disk));
    const int mounted = QProcess::execute(
        QStringLiteral("mount"),
        {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
         QStringLiteral("size=%1").arg(DiskBytes), QStringLiteral("tmpfs"), disk});
    if (mounted != 0)
        QSKIP("a small disk cannot be mounted here (needs root)");
    const auto unmount =
        qScopeGuard([&disk] { QProcess::execute(QStringLiteral("umount"), {disk}); });

    const QString path = disk + QStringLiteral("/SaveRes.res");
    const QByteArray old(DiskBytes / 2, 'o');
    writeAll(path, old);
    try {
        replaceFile(path, QByteArray(DiskBytes, 'n'));
        QFAIL("a save larger than the disk succeeded");
    } catch (const Error &e) {
        QVERIFY2(e.message().contains(QStringLiteral("на диске не осталось места")),
                 qPrintable(e.message()));
    }
    QCOMPARE(readAll(path), old);
}

// A pipe would block the start-up in open() for good, a link to /dev/zero would feed it bytes
// until memory runs out: both, and a file past the size limit, are refused at once at start-up
// and never written over at exit. Each runs in a child with limits on time and memory.
void ResultFilesTest::hostileThingsInPlaceOfTheFile_data()
{
    QTest::addColumn<int>("special"); // a Special, or -1 for a file past the size limit
    QTest::addRow("fifo") << int(Special::Fifo);
    QTest::addRow("socket") << int(Special::Socket);
    QTest::addRow("link_to_dev_zero") << int(Special::LinkToZero);
    QTest::addRow("link_to_dev_urandom") << int(Special::LinkToRandom);
    QTest::addRow("larger_than_the_limit") << -1;
}

void ResultFilesTest::hostileThingsInPlaceOfTheFile()
{
    QFETCH(int, special);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SaveRes.res"));
    if (special >= 0) {
        QVERIFY(makeSpecial(path, Special(special)));
    } else {
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(MaxResultFileBytes + 1)); // sparse: no disk is used
    }
    const QFileInfo before(path);

    const int outcome = runLimited([&path] {
        ResultStore<OneHiScore> store;
        try {
            store.load(path);
            return false;
        } catch (const Error &e) {
            if (!e.message().contains(path))
                return false;
        }
        // A game of this run cannot go into it: reported, and the thing stays as it was.
        store.append(sampleRecord(1));
        try {
            store.save(path);
            return false;
        } catch (const Error &) {
            return true;
        }
    });
    QCOMPARE(outcome, ChildPassed);
    const QFileInfo after(path);
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.isFile(), before.isFile());
}

QTEST_GUILESS_MAIN(ResultFilesTest)
#include "tst_resultfiles.moc"
