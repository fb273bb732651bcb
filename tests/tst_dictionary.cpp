// SPDX-License-Identifier: GPL-3.0-or-later
// Dictionary files without a window: the three encodings and how one is told from another,
// lines and entries, the limits (entries, bytes, texts on screen), bytes that are no text at
// all, special files and other reading errors, the font-size rules, and the dictionaries that
// ship with the program. Special and oversized files are read in a child process with limits
// on time and memory.
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <set>

#include "main/rules/Dictionary.h"
#include "rules/Error.h"
#include "rules/RegularFile.h"
#include "rules/Win1251.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/LimitedChild.h"
#include "tests/support/UnusualFiles.h"

namespace {

const QByteArray Utf16Mark("\xFF\xFE", 2);
const QByteArray Utf8Mark("\xEF\xBB\xBF");
using Encoding = DictionaryEncoding;

QByteArray utf16(const QString &text)
{
    QByteArray bytes = Utf16Mark;
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray win1251(const QString &text)
{
    return toWin1251(text);
}

// Case and the letter ё are no difference to a child reading the buttons.
QString folded(QStringView text)
{
    QString key = text.toString().toCaseFolded();
    key.replace(QChar(u'ё'), QChar(u'е'));
    return key;
}

QStringList numberedEntries(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("w%1\tt%1").arg(i);
    return lines;
}

} // namespace

class DictionaryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parsing_data();
    void parsing();
    void entryLimit_data();
    void entryLimit();
    void anyBytesGiveOnlyEntryLines();
    void splitting_data();
    void splitting();
    void readingErrors_data();
    void readingErrors();
    // Special files
    void specialFilesAreRefused_data();
    void specialFilesAreRefused();
    // Limits
    void oversizeFileIsRefused();
    void shownText_data();
    void shownText();
    // Encodings
    void encodings_data();
    void encodings();
    void everyCyrillicLetterStaysWin1251_data();
    void everyCyrillicLetterStaysWin1251();
    void taskFontSize_data();
    void taskFontSize();
    void optionFontSize_data();
    void optionFontSize();
    void shippedDictionaries_data();
    void shippedDictionaries();
};

void DictionaryTest::parsing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("unicode");
    QTest::addColumn<QStringList>("lines");

    const QString tab = QStringLiteral("\t");
    QTest::addRow("utf16_title_then_entry_crlf")
        << utf16(QStringLiteral("Английский\r\nred\tкрасный\r\n")) << true
        << QStringList{QStringLiteral("red\tкрасный")};
    QTest::addRow("utf16_first_line_is_an_entry")
        << utf16(QStringLiteral("one\tодин\ntwo\tдва\n")) << true
        << QStringList{QStringLiteral("one\tодин"), QStringLiteral("two\tдва")};
    QTest::addRow("utf16_only_line_without_line_end")
        << utf16(QStringLiteral("Haus\tдом")) << true << QStringList{QStringLiteral("Haus\tдом")};
    QTest::addRow("utf16_lf_endings")
        << utf16(QStringLiteral("a\tб\nc\tд\n")) << true
        << QStringList{QStringLiteral("a\tб"), QStringLiteral("c\tд")};
    QTest::addRow("win1251_title_line_skipped")
        << win1251(QStringLiteral("Школьные слова\r\nred\tкрасный\r\nblue\tсиний\r\n")) << false
        << QStringList{QStringLiteral("red\tкрасный"), QStringLiteral("blue\tсиний")};
    QTest::addRow("win1251_entry_on_first_line_is_no_entry")
        << win1251(QStringLiteral("red\tкрасный\r\n")) << false << QStringList{};
    QTest::addRow("win1251_same_line_second_is_an_entry")
        << win1251(QStringLiteral("red\tкрасный\nred\tкрасный")) << false
        << QStringList{QStringLiteral("red\tкрасный")};
    QTest::addRow("win1251_no_title_loses_first_entry")
        << win1251(QStringLiteral("a\tb\nc\td\n")) << false << QStringList{QStringLiteral("c\td")};
    QTest::addRow("win1251_lf_no_final_newline")
        << win1251(QStringLiteral("t\na\tb\nc\td")) << false
        << QStringList{QStringLiteral("a\tb"), QStringLiteral("c\td")};
    QTest::addRow("lines_without_tab_ignored")
        << win1251(QStringLiteral("t\n# Цвета\n\n   \na\tb\r\n\r\nкомментарий")) << false
        << QStringList{QStringLiteral("a\tb")};
    QTest::addRow("extra_tabs_kept_in_translation")
        << win1251(QStringLiteral("t\nword\tслово\tпримечание\t\n")) << false
        << QStringList{QStringLiteral("word\tслово\tпримечание\t")};
    QTest::addRow("leading_tab") << win1251(QStringLiteral("t\n\tответ\n")) << false
                                 << QStringList{QStringLiteral("\tответ")};
    QTest::addRow("empty_translation") << win1251(QStringLiteral("t\nвопрос\t\n")) << false
                                       << QStringList{QStringLiteral("вопрос\t")};
    QTest::addRow("tab_only") << win1251(QStringLiteral("t\n\t\n")) << false << QStringList{tab};
    QTest::addRow("blanks_not_trimmed") << win1251(QStringLiteral("t\n  a \t b  \n")) << false
                                        << QStringList{QStringLiteral("  a \t b  ")};
    QTest::addRow("cr_inside_a_line_dropped") << win1251(QStringLiteral("t\r\na\rb\t\rc\r\r\n"))
                                              << false << QStringList{QStringLiteral("ab\tc")};
    QTest::addRow("lone_cr_ends_no_line") << win1251(QStringLiteral("t\na\tb\rc\td\n")) << false
                                          << QStringList{QStringLiteral("a\tbc\td")};
    QTest::addRow("cr_in_utf16_dropped")
        << utf16(QStringLiteral("a\r\tb\r\n\r")) << true << QStringList{QStringLiteral("a\tb")};
    // The entries move up over the lines left out before them.
    QTest::addRow("utf16_cr_inside_lines_after_skipped_ones")
        << utf16(QStringLiteral("Слова\nr\red\tкрасный\r\n\ns\rky\tнебо\r\n")) << true
        << QStringList{QStringLiteral("red\tкрасный"), QStringLiteral("sky\tнебо")};
    QTest::addRow("substitute_character_is_ordinary")
        << QByteArray("t\na\x1A\tb\x1A\nc\td", 11) << false
        << QStringList{QStringLiteral("a\u001A\tb\u001A"), QStringLiteral("c\td")};
    QTest::addRow("nul_bytes_kept")
        << QByteArray("t\na\0\tb\n", 7) << false << QStringList{QString::fromUtf16(u"a\0\tb", 4)};
    QTest::addRow("win1251_upper_half_decoded")
        << QByteArray("t\n\xA8\xB8\t\xB9\n") << false << QStringList{QStringLiteral("Ёё\t№")};
    QTest::addRow("empty_file") << QByteArray() << false << QStringList{};
    QTest::addRow("one_byte_ff") << QByteArray("\xFF") << false << QStringList{};
    QTest::addRow("ff_fe_only") << Utf16Mark << true << QStringList{};
    QTest::addRow("fe_ff_is_not_a_mark")
        << QByteArray("\xFE\xFFt\na\tb") << false << QStringList{QStringLiteral("a\tb")};
    QTest::addRow("ff_fe_then_8bit_text_read_as_utf16") << QByteArray("\xFF\xFE"
                                                                      "t\na\tb")
                                                        << true << QStringList{};
    QTest::addRow("ff_fe_then_lone_surrogate_kept")
        << QByteArray("\xFF\xFE\x00\xD8\x09\x00\x41\x00", 8) << true
        << QStringList{QString::fromUtf16(u"\xD800\tA", 3)};
    QTest::addRow("odd_byte_count_ignores_last_byte")
        << QByteArray("\xFF\xFE"
                      "a\0\t\0b\0c",
                      9)
        << true << QStringList{QStringLiteral("a\tb")};
    QTest::addRow("odd_byte_count_mark_and_one_byte")
        << QByteArray("\xFF\xFE\x09") << true << QStringList{};
}

void DictionaryTest::parsing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, unicode);
    QFETCH(QStringList, lines);

    const ParsedDictionary parsed = parseDictionary(bytes);
    QCOMPARE(parsed.unicode, unicode);
    QCOMPARE(parsed.lines, lines);
}

void DictionaryTest::entryLimit_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<bool>("unicode");
    QTest::addColumn<int>("kept");

    QTest::addRow("win1251_just_below") << 19999 << false << 19999;
    QTest::addRow("win1251_at_limit") << 20000 << false << 20000;
    QTest::addRow("win1251_above_limit") << 20001 << false << 20000;
    QTest::addRow("utf16_far_above_limit") << 25000 << true << 20000;
}

void DictionaryTest::entryLimit()
{
    QFETCH(int, entries);
    QFETCH(bool, unicode);
    QFETCH(int, kept);

    const QStringList lines = numberedEntries(entries);
    const QString text = QStringLiteral("title\r\n") + lines.join(QStringLiteral("\r\n"));
    const ParsedDictionary parsed = parseDictionary(unicode ? utf16(text) : win1251(text));
    QCOMPARE(parsed.lines.size(), kept);
    QCOMPARE(parsed.lines.at(0), lines.first());
    QCOMPARE(parsed.lines.at(kept - 1), lines.at(kept - 1));
}

// Whatever the bytes, the result holds entry lines only, within the limit.
void DictionaryTest::anyBytesGiveOnlyEntryLines()
{
    QRandomGenerator random(2024);
    constexpr int Rounds = 3000;
    constexpr int MaxLength = 300;
    for (int round = 0; round < Rounds; ++round) {
        QByteArray bytes(random.bounded(MaxLength), Qt::Uninitialized);
        for (char &b : bytes) {
            // Mostly line ends, TABs and CRs, so that many short lines appear.
            static constexpr char Interesting[] = {'\n', '\t', '\r', '\xFF', '\xFE', '\0', 'a'};
            b = random.bounded(3) == 0 ? Interesting[random.bounded(int(sizeof Interesting))]
                                       : static_cast<char>(random.bounded(256));
        }
        if (round % 2 == 0)
            bytes.prepend(Utf16Mark);
        const ParsedDictionary parsed = parseDictionary(bytes);
        QCOMPARE(parsed.unicode, bytes.startsWith(Utf16Mark));
        QVERIFY(parsed.lines.size() <= MaxDictionaryEntries);
        for (const QString &line : parsed.lines) {
            QVERIFY(line.contains(QLatin1Char('\t')));
            QVERIFY(!line.contains(QLatin1Char('\n')));
            QVERIFY(!line.contains(QLatin1Char('\r')));
        }
    }
}

void DictionaryTest::splitting_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("translation");

    QTest::addRow("plain") << QStringLiteral("dog\tсобака") << QStringLiteral("dog")
                           << QStringLiteral("собака");
    QTest::addRow("note_stays_with_translation")
        << QStringLiteral("dog\tсобака\t(животное)") << QStringLiteral("dog")
        << QStringLiteral("собака\t(животное)");
    QTest::addRow("leading_tab_empty_word")
        << QStringLiteral("\tсобака") << QString() << QStringLiteral("собака");
    QTest::addRow("ending_tab_empty_translation")
        << QStringLiteral("dog\t") << QStringLiteral("dog") << QString();
    QTest::addRow("blanks_kept") << QStringLiteral(" a \t b ") << QStringLiteral(" a ")
                                 << QStringLiteral(" b ");
}

void DictionaryTest::splitting()
{
    QFETCH(QString, line);
    QFETCH(QString, word);
    QFETCH(QString, translation);

    const DictionaryEntry entry = splitEntry(line);
    QCOMPARE(entry.word.toString(), word);
    QCOMPARE(entry.translation.toString(), translation);
}

void DictionaryTest::readingErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("makeFolder");
    QTest::addColumn<QString>("reason"); // said in the message after the path

    const QString folder = QStringLiteral("это папка");
    QTest::addRow("missing_file") << QStringLiteral("нет такого.txt") << false
                                  << QStringLiteral("файл или папка не существует");
    QTest::addRow("folder_in_place_of_file") << QStringLiteral("sub") << true << folder;
    QTest::addRow("folder_path_with_separator") << QString() << false << folder;
}

void DictionaryTest::readingErrors()
{
    QFETCH(QString, name);
    QFETCH(bool, makeFolder);
    QFETCH(QString, reason);

    const QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (makeFolder)
        QVERIFY(QDir(dir.path()).mkdir(name));
    const QString path = dir.path() + QLatin1Char('/') + name;
    const QString message = errorOf([&] { readDictionaryFile(path); });
    QVERIFY2(message.contains(QStringLiteral("словарь ") + path + QStringLiteral(": ") + reason),
             qPrintable(message));
}

void DictionaryTest::specialFilesAreRefused_data()
{
    addUnusualFileRows(false);
}

// Refused at once: a FIFO would block open() for good, a device would feed bytes until memory
// runs out.
void DictionaryTest::specialFilesAreRefused()
{
    QFETCH(Special, kind);
    QFETCH(QString, reason);

    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words.txt"));
    QVERIFY(makeSpecial(path, kind));
    const QString expected = path + QStringLiteral(": ") + reason;
    QCOMPARE(
        runLimited([&] { return errorOf([&] { readDictionaryFile(path); }).contains(expected); }),
        ChildPassed);
}

// Refused before it is read: the child could not even hold it.
void DictionaryTest::oversizeFileIsRefused()
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(MaxDictionaryBytes + 1));
    file.close();
    const QString expected = path + QStringLiteral(": файл слишком велик");
    const auto refused = [&] {
        return errorOf([&] { readDictionaryFile(path); }).contains(expected);
    };
    QCOMPARE(runLimited(refused, {10, rlim_t(MaxDictionaryBytes / 2)}), ChildPassed);

    QVERIFY(file.resize(MaxDictionaryBytes));
    QCOMPARE(readDictionaryFile(path).size(), MaxDictionaryBytes);
}

void DictionaryTest::shownText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    const QString cut = QString(MaxShownLength - 1, u'a') + QChar(ShownCutMark);
    const QString pair = QStringLiteral("\U0001F600");
    QTest::addRow("short_whole") << QStringLiteral("собака") << QStringLiteral("собака");
    QTest::addRow("at_the_limit_whole")
        << QString(MaxShownLength, u'a') << QString(MaxShownLength, u'a');
    QTest::addRow("one_over_cut") << QString(MaxShownLength + 1, u'a') << cut;
    QTest::addRow("ten_megabytes_cut") << QString(10 << 20, u'a') << cut;
    QTest::addRow("surrogate_pair_at_the_cut_kept_whole")
        << QString(MaxShownLength - 2, u'a') + pair + QStringLiteral("bb")
        << QString(MaxShownLength - 2, u'a') + QChar(ShownCutMark);
}

void DictionaryTest::shownText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(::shownText(text), shown);
    QVERIFY(::shownText(text).size() <= MaxShownLength);
}

void DictionaryTest::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Encoding>("encoding");
    QTest::addColumn<QStringList>("lines");

    const QString entry = QStringLiteral("dog\tсобака");
    const QString heading = QStringLiteral("Животные\tanimals");
    const QByteArray utf8 =
        (heading + QStringLiteral("\r\n") + entry + QStringLiteral("\n")).toUtf8();
    QTest::addRow("utf8_mark_first_line_is_an_entry")
        << Utf8Mark + utf8 << Encoding::Utf8 << QStringList{heading, entry};
    QTest::addRow("utf8_without_mark_first_line_is_an_entry")
        << utf8 << Encoding::Utf8 << QStringList{heading, entry};
    QTest::addRow("utf8_title_without_tab_skipped")
        << QStringLiteral("Слова\n").toUtf8() + entry.toUtf8() << Encoding::Utf8
        << QStringList{entry};
    QTest::addRow("utf8_mark_only") << Utf8Mark << Encoding::Utf8 << QStringList{};
    QTest::addRow("utf8_mark_ascii_first_line_is_an_entry")
        << Utf8Mark + "a\tb\nc\td" << Encoding::Utf8
        << QStringList{QStringLiteral("a\tb"), QStringLiteral("c\td")};
    QTest::addRow("utf8_four_byte_character")
        << QStringLiteral("x\n\U0001F436\tсобака").toUtf8() << Encoding::Utf8
        << QStringList{QStringLiteral("\U0001F436\tсобака")};
    QTest::addRow("utf8_mark_then_invalid_bytes_replaced")
        << Utf8Mark + "a\t\xFF\n"
        << Encoding::Utf8 << QStringList{QStringLiteral("a\t\uFFFD")};
    QTest::addRow("ascii_only_keeps_the_title_line")
        << QByteArray("a\tb\nc\td\n") << Encoding::Win1251 << QStringList{QStringLiteral("c\td")};
    QTest::addRow("utf8_with_one_stray_byte_is_win1251")
        << QStringLiteral("x\nкот\tcat\n").toUtf8() + "\xFF\tz" << Encoding::Win1251
        << QStringList{fromWin1251(QStringLiteral("кот\tcat").toUtf8()), QStringLiteral("я\tz")};
    QTest::addRow("overlong_sequence_is_win1251")
        << QByteArray("x\n\xC0\xAF\ty") << Encoding::Win1251
        << QStringList{fromWin1251("\xC0\xAF") + QStringLiteral("\ty")};
    QTest::addRow("encoded_surrogate_is_win1251")
        << QByteArray("x\n\xED\xA0\x80\ty") << Encoding::Win1251
        << QStringList{fromWin1251("\xED\xA0\x80") + QStringLiteral("\ty")};
    QTest::addRow("cut_sequence_at_the_end_is_win1251")
        << QByteArray("x\na\t\xD0") << Encoding::Win1251 << QStringList{QStringLiteral("a\tР")};
    QTest::addRow("win1251_cyrillic")
        << win1251(QStringLiteral("Животные\nсобака\tdog\n")) << Encoding::Win1251
        << QStringList{QStringLiteral("собака\tdog")};
    QTest::addRow("utf16_mark_before_utf8_looking_bytes")
        << utf16(QStringLiteral("a\tb")) << Encoding::Utf16Le
        << QStringList{QStringLiteral("a\tb")};
}

void DictionaryTest::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Encoding, encoding);
    QFETCH(QStringList, lines);

    const ParsedDictionary parsed = parseDictionary(bytes);
    QCOMPARE(parsed.encoding, encoding);
    QCOMPARE(parsed.unicode, encoding == Encoding::Utf16Le);
    QCOMPARE(parsed.lines, lines);
}

// Each Russian letter in Windows-1251 is a byte that no UTF-8 text holds alone, so a file with
// any of them reads as Windows-1251 as it always did.
void DictionaryTest::everyCyrillicLetterStaysWin1251_data()
{
    QTest::addColumn<QString>("letter");

    QString letters = QStringLiteral("Ёё");
    for (char16_t c = u'А'; c <= u'я'; ++c)
        letters.append(QChar(c));
    for (const QChar letter : letters)
        QTest::addRow("%s", qPrintable(QString(letter))) << QString(letter);
    QTest::addRow("whole_alphabet") << letters;
}

void DictionaryTest::everyCyrillicLetterStaysWin1251()
{
    QFETCH(QString, letter);

    const QString entry = QStringLiteral("w\t") + letter;
    const ParsedDictionary parsed = parseDictionary(win1251(QStringLiteral("t\r\n") + entry));
    QCOMPARE(parsed.encoding, Encoding::Win1251);
    QCOMPARE(parsed.lines, QStringList{entry});
}

void DictionaryTest::taskFontSize_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("size");

    QTest::addRow("empty") << 0 << 36;
    QTest::addRow("16") << 16 << 36;
    QTest::addRow("17") << 17 << 24;
    QTest::addRow("22") << 22 << 24;
    QTest::addRow("23") << 23 << 22;
    QTest::addRow("50") << 50 << 11;
    QTest::addRow("100") << 100 << 6;
    QTest::addRow("250") << 250 << 3;
    QTest::addRow("251") << 251 << 2;
    QTest::addRow("500") << 500 << 2;
    QTest::addRow("501") << 501 << 1;
    QTest::addRow("100000") << 100000 << 1;
}

void DictionaryTest::taskFontSize()
{
    QFETCH(int, length);
    QFETCH(int, size);
    QCOMPARE(::taskFontSize(length), size);
}

void DictionaryTest::optionFontSize_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("size");

    QTest::addRow("empty") << 0 << 11;
    QTest::addRow("30") << 30 << 11;
    QTest::addRow("31") << 31 << 10;
    QTest::addRow("40") << 40 << 10;
    QTest::addRow("41") << 41 << 9;
    QTest::addRow("60") << 60 << 9;
    QTest::addRow("61") << 61 << 7;
    QTest::addRow("1000") << 1000 << 7;
}

void DictionaryTest::optionFontSize()
{
    QFETCH(int, length);
    QFETCH(int, size);
    QCOMPARE(::optionFontSize(length), size);
}

void DictionaryTest::shippedDictionaries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Encoding>("encoding");
    QTest::addColumn<int>("entries");

    // The Windows-1251 one shows that real Russian text is never taken for UTF-8.
    QTest::addRow("english_school")
        << QStringLiteral("english_school.txt") << Encoding::Win1251 << 526;
    QTest::addRow("english_phrases")
        << QStringLiteral("english_phrases.txt") << Encoding::Utf16Le << 106;
    QTest::addRow("german_school")
        << QStringLiteral("german_school.txt") << Encoding::Utf16Le << 337;
}

// Every shipped entry must make a fair task: both sides filled, and no answer that two
// buttons could carry in either direction.
void DictionaryTest::shippedDictionaries()
{
    QFETCH(QString, name);
    QFETCH(Encoding, encoding);
    QFETCH(int, entries);

    const QString path = QFINDTESTDATA(QStringLiteral("../samples/Dic/") + name);
    QVERIFY2(!path.isEmpty(), qPrintable(name));
    const ParsedDictionary parsed = parseDictionary(readDictionaryFile(path));
    QCOMPARE(parsed.encoding, encoding);
    QCOMPARE(parsed.lines.size(), entries);

    std::set<QString> words;
    std::set<QString> translations;
    for (const QString &line : parsed.lines) {
        QCOMPARE(line.count(QLatin1Char('\t')), 1);
        const DictionaryEntry entry = splitEntry(line);
        QVERIFY2(!entry.word.isEmpty() && !entry.translation.isEmpty(), qPrintable(line));
        QVERIFY2(words.insert(folded(entry.word)).second, qPrintable(line));
        QVERIFY2(translations.insert(folded(entry.translation)).second, qPrintable(line));
        QVERIFY2(!line.contains(QChar::ReplacementCharacter), qPrintable(line));
    }
}

QTEST_GUILESS_MAIN(DictionaryTest)
#include "tst_dictionary.moc"
