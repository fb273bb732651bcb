// SPDX-License-Identifier: GPL-3.0-or-later
// The INI profile file behind the settings: what reads as empty, how a write changes a file
// (in place, appended to its section, a new section at the end) while every other line stays
// byte for byte, CR LF and LF files, Windows-1251 text, the value cut, round trips, and the
// errors of files that cannot be read or written. Special files and files over the size limit
// are read in a child process with limits on time and memory, so that a regression fails at
// once instead of hanging the suite or filling the machine's memory.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include "tests/support/ErrorOf.h"
#include "tests/support/LimitedChild.h"
#include "tests/support/UnusualFiles.h"

#include <functional>
#include <memory>

#include "ExecStat/rules/IniFile.h"
#include "rules/Error.h"
#include "rules/RegularFile.h"
#include "rules/Win1251.h"

namespace {

const QString Section = QStringLiteral("SaveStat");
const QString Key = QStringLiteral("edMin");
// Memory a child may take beyond what the test process maps: a few times the largest file
// accepted, and far below what a reader that keeps an object per line takes for it.
constexpr rlim_t ReaderMemory = 32 * rlim_t(IniFile::MaxFileBytes);

// Whether the settings file refuses to load with a message naming it and the reason, and that
// a save is therefore never reached.
bool refusedWith(const QString &path, const QString &reason)
{
    try {
        IniFile file(path);
        file.writeString(Section, Key, QStringLiteral("2"));
        file.flush();
    } catch (const Error &error) {
        return error.message().contains(path + QStringLiteral(": ") + reason);
    }
    return false;
}

} // namespace

class IniFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void reading_data();
    void reading();
    void missingFileReadsEmpty();
    void valueCutTo2047Characters();
    void writing_data();
    void writing();
    void roundTrip_data();
    void roundTrip();
    void anyBytesStayReadable();
    void nothingWrittenBeforeFlush();
    void loadingNeverCreatesTheFile();
    void unwritablePathRaises();
    // Special files
    void specialFileInPlaceRaises_data();
    void specialFileInPlaceRaises();
    // Limits
    void oversizeFileIsRefusedAndKept_data();
    void oversizeFileIsRefusedAndKept();
    void largestAcceptedFileStaysSmall();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("SaveStat.ini")); }
    void writeFile(const QByteArray &bytes) const;
    QByteArray readFile() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void IniFileTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void IniFileTest::writeFile(const QByteArray &bytes) const
{
    QFile file(path());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path()));
}

QByteArray IniFileTest::readFile() const
{
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void IniFileTest::reading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QByteArray twoSections = "[Other]\r\nedMin=7\r\n[SaveStat]\r\nedMin=2\r\nedMax=9\r\n";
    QTest::addRow("crlf_file") << twoSections << Section << "edMax"
                               << "9";
    QTest::addRow("key_of_its_own_section") << twoSections << Section << "edMin"
                                            << "2";
    QTest::addRow("key_of_the_other_section") << twoSections << "Other"
                                              << "edMin"
                                              << "7";
    QTest::addRow("lf_file") << QByteArray("[SaveStat]\nedMin=2\nedMax=9\n") << Section << "edMax"
                             << "9";
    QTest::addRow("no_final_line_end") << QByteArray("[SaveStat]\r\nedMax=9") << Section << "edMax"
                                       << "9";
    QTest::addRow("missing_section") << twoSections << "Absent"
                                     << "edMin"
                                     << "";
    QTest::addRow("missing_key") << twoSections << Section << "cbSound"
                                 << "";
    QTest::addRow("key_only_in_another_section")
        << QByteArray("[Other]\r\ncbSound=True\r\n[SaveStat]\r\n") << Section << "cbSound"
        << "";
    QTest::addRow("section_name_any_case") << twoSections << "SAVESTAT"
                                           << "edMax"
                                           << "9";
    QTest::addRow("key_name_any_case") << twoSections << Section << "EDMAX"
                                       << "9";
    QTest::addRow("empty_value") << QByteArray("[SaveStat]\r\nedAnswer=\r\n") << Section
                                 << "edAnswer"
                                 << "";
    QTest::addRow("blanks_around_key_and_value")
        << QByteArray("[SaveStat]\r\n  edMin \t=  5  \r\n") << Section << "edMin"
        << "5";
    QTest::addRow("blanks_around_section_name")
        << QByteArray("  [ SaveStat ]  \r\nedMin=5\r\n") << Section << "edMin"
        << "5";
    QTest::addRow("double_quotes_removed")
        << QByteArray("[SaveStat]\r\nedLastName=\" \xC2\xE0\xF1\xFF \"\r\n") << Section
        << "edLastName"
        << " Вася ";
    QTest::addRow("single_quotes_removed")
        << QByteArray("[SaveStat]\r\nedLastName='Ann'\r\n") << Section << "edLastName"
        << "Ann";
    QTest::addRow("unmatched_quote_kept")
        << QByteArray("[SaveStat]\r\nedLastName=\"Ann\r\n") << Section << "edLastName"
        << "\"Ann";
    QTest::addRow("equals_sign_inside_value")
        << QByteArray("[SaveStat]\r\nedAnswer=2=2\r\n") << Section << "edAnswer"
        << "2=2";
    QTest::addRow("windows_1251_value")
        << QByteArray("[SaveStat]\r\nedLastName=\xCF\xE5\xF2\xFF\r\n") << Section << "edLastName"
        << "Петя";
    QTest::addRow("windows_1251_key_any_case")
        << QByteArray("[SaveStat]\r\n\xCA\xEB\xFE\xF7=1\r\n") << Section << "ключ"
        << "1";
    QTest::addRow("comment_line_is_no_key")
        << QByteArray("[SaveStat]\r\n;edMin=5\r\n") << Section << ";edMin"
        << "";
    QTest::addRow("lines_before_any_section_ignored")
        << QByteArray("edMin=5\r\n[SaveStat]\r\n") << Section << "edMin"
        << "";
    QTest::addRow("first_of_two_keys")
        << QByteArray("[SaveStat]\r\nedMin=1\r\nedMin=2\r\n") << Section << "edMin"
        << "1";
    QTest::addRow("first_of_two_sections")
        << QByteArray("[SaveStat]\r\nedMin=1\r\n[SaveStat]\r\nedMin=2\r\nedMax=3\r\n") << Section
        << "edMax"
        << "";
    QTest::addRow("lone_cr_is_part_of_the_value")
        << QByteArray("[SaveStat]\r\nedMin=1\r2\r\n") << Section << "edMin"
        << "1\r2";
    QTest::addRow("header_without_bracket_is_no_section")
        << QByteArray("[SaveStat\r\nedMin=1\r\n") << Section << "edMin"
        << "";
}

void IniFileTest::reading()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    writeFile(file);
    QCOMPARE(IniFile(path()).readString(section, key), value);
}

void IniFileTest::missingFileReadsEmpty()
{
    const IniFile file(m_dir->filePath(QStringLiteral("absent.ini")));
    QCOMPARE(file.readString(Section, QStringLiteral("edMin")), QString());
}

void IniFileTest::valueCutTo2047Characters()
{
    const QByteArray longValue(3000, 'a');
    writeFile("[SaveStat]\r\nedAnswer=" + longValue + "\r\n");
    QCOMPARE(IniFile(path()).readString(Section, QStringLiteral("edAnswer")),
             QString(IniFile::MaxValueLength, u'a'));
}

void IniFileTest::writing_data()
{
    QTest::addColumn<QByteArray>("before"); // a null array: no file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::addRow("new_file") << QByteArray() << Section << "edMin"
                              << "2" << QByteArray("[SaveStat]\r\nedMin=2\r\n");
    QTest::addRow("empty_file") << QByteArray("") << Section << "edMin"
                                << "2" << QByteArray("[SaveStat]\r\nedMin=2\r\n");
    QTest::addRow("empty_value_written") << QByteArray() << Section << "edAnswer"
                                         << "" << QByteArray("[SaveStat]\r\nedAnswer=\r\n");
    QTest::addRow("key_updated_on_its_line")
        << QByteArray("[SaveStat]\r\nedMin=1\r\nedMax=30\r\n") << Section << "edMin"
        << "2" << QByteArray("[SaveStat]\r\nedMin=2\r\nedMax=30\r\n");
    QTest::addRow("key_of_other_case_updated_in_place")
        << QByteArray("[savestat]\r\nEDMIN = 1\r\nedMax=30\r\n") << Section << "edMin"
        << "2" << QByteArray("[savestat]\r\nedMin=2\r\nedMax=30\r\n");
    QTest::addRow("new_key_after_last_key_of_its_section")
        << QByteArray("[SaveStat]\r\nedMin=1\r\n\r\n; next\r\n[Other]\r\nx=1\r\n") << Section
        << "edMax"
        << "9"
        << QByteArray("[SaveStat]\r\nedMin=1\r\nedMax=9\r\n\r\n; next\r\n[Other]\r\nx=1\r\n");
    QTest::addRow("new_key_in_section_without_keys")
        << QByteArray("[SaveStat]\r\n\r\n[Other]\r\n") << Section << "edMax"
        << "9" << QByteArray("[SaveStat]\r\nedMax=9\r\n\r\n[Other]\r\n");
    QTest::addRow("new_section_at_end")
        << QByteArray("; settings\r\n[Other]\r\nx=1\r\n") << Section << "edMax"
        << "9"
        << QByteArray("; settings\r\n[Other]\r\nx=1\r\n"
                      "[SaveStat]\r\nedMax=9\r\n");
    QTest::addRow("new_section_after_last_line_without_end")
        << QByteArray("[Other]\r\nx=1") << Section << "edMax"
        << "9" << QByteArray("[Other]\r\nx=1\r\n[SaveStat]\r\nedMax=9\r\n");
    QTest::addRow("lf_lines_kept_as_they_are")
        << QByteArray("[Other]\nx=1\n[SaveStat]\nedMin=1\nedMax=30\n") << Section << "edMin"
        << "2" << QByteArray("[Other]\nx=1\n[SaveStat]\nedMin=2\r\nedMax=30\n");
    QTest::addRow("other_section_same_key_untouched")
        << QByteArray("[Other]\r\nedMin=7\r\n[SaveStat]\r\nedMin=1\r\n") << Section << "edMin"
        << "2" << QByteArray("[Other]\r\nedMin=7\r\n[SaveStat]\r\nedMin=2\r\n");
    QTest::addRow("odd_lines_kept_byte_for_byte")
        << QByteArray("junk\r\n[SaveStat]\r\n  ; comment  \r\nno key here\r\n\t\r\nedMin=1\r\n")
        << Section << "edMin"
        << "2"
        << QByteArray("junk\r\n[SaveStat]\r\n  ; comment  \r\nno key here\r\n\t\r\nedMin=2\r\n");
    QTest::addRow("windows_1251_written")
        << QByteArray() << Section << "edLastName"
        << "Петя" << QByteArray("[SaveStat]\r\nedLastName=\xCF\xE5\xF2\xFF\r\n");
    QTest::addRow("unencodable_character_as_question_mark")
        << QByteArray() << Section << "edLastName"
        << "A\u4E2DB" << QByteArray("[SaveStat]\r\nedLastName=A?B\r\n");
    QTest::addRow("line_breaks_in_value_become_blanks")
        << QByteArray() << Section << "edAnswer"
        << "1\r\n[x]\nk=2" << QByteArray("[SaveStat]\r\nedAnswer=1  [x] k=2\r\n");
    QTest::addRow("surrounding_blanks_quoted")
        << QByteArray() << Section << "edLastName"
        << " Ann " << QByteArray("[SaveStat]\r\nedLastName=\" Ann \"\r\n");
    QTest::addRow("quoted_value_quoted_again")
        << QByteArray() << Section << "edLastName"
        << "'Ann'" << QByteArray("[SaveStat]\r\nedLastName=\"'Ann'\"\r\n");
}

void IniFileTest::writing()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    if (!before.isNull())
        writeFile(before);
    IniFile file(path());
    file.writeString(section, key, value);
    file.flush();
    QCOMPARE(readFile(), after);
}

void IniFileTest::roundTrip_data()
{
    QTest::addColumn<QString>("value");

    QTest::addRow("plain") << "Player";
    QTest::addRow("empty") << "";
    QTest::addRow("cyrillic") << "Маша и медведь";
    QTest::addRow("leading_blanks") << "  Ann";
    QTest::addRow("trailing_tab") << "Ann\t";
    QTest::addRow("double_quoted") << "\"Ann\"";
    QTest::addRow("single_quoted") << "'Ann'";
    QTest::addRow("one_quote") << "\"";
    QTest::addRow("comment_mark_first") << ";x";
    QTest::addRow("section_like") << "[SaveStat]";
    QTest::addRow("equals_signs") << "a=b=c";
    QTest::addRow("2047_characters") << QString(IniFile::MaxValueLength, u'z');
}

void IniFileTest::roundTrip()
{
    QFETCH(QString, value);

    writeFile("[SaveStat]\r\nedMin=1\r\n[Other]\r\nx=1\r\n");
    {
        IniFile file(path());
        file.writeString(Section, QStringLiteral("edLastName"), value);
        file.writeString(Section, QStringLiteral("edMin"), value);
        QCOMPARE(file.readString(Section, QStringLiteral("edLastName")), value);
        file.flush();
    }
    const IniFile reread(path());
    QCOMPARE(reread.readString(Section, QStringLiteral("edLastName")), value);
    QCOMPARE(reread.readString(Section, QStringLiteral("edMin")), value);
    QCOMPARE(reread.readString(QStringLiteral("Other"), QStringLiteral("x")), QStringLiteral("1"));

    // Writing the same values again leaves the file as it is.
    const QByteArray written = readFile();
    IniFile again(path());
    again.writeString(Section, QStringLiteral("edLastName"), value);
    again.writeString(Section, QStringLiteral("edMin"), value);
    again.flush();
    QCOMPARE(readFile(), written);
}

// Whatever a hand-edited file holds, a write lands where a read finds it again.
void IniFileTest::anyBytesStayReadable()
{
    constexpr int Files = 500;
    constexpr int MaxLength = 120;
    const QByteArray alphabet = "[]=;\r\n \t\"'kSs";
    QRandomGenerator random(2024);
    for (int round = 0; round < Files; ++round) {
        QByteArray bytes;
        const int length = random.bounded(MaxLength);
        for (int i = 0; i < length; ++i)
            bytes += alphabet[random.bounded(alphabet.size())];
        writeFile(bytes);

        IniFile file(path());
        file.readString(QStringLiteral("s"), QStringLiteral("k"));
        file.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral(" v "));
        file.writeString(Section, QStringLiteral("edMin"), QStringLiteral("2"));
        file.flush();

        const IniFile reread(path());
        QCOMPARE(reread.readString(QStringLiteral("s"), QStringLiteral("K")),
                 QStringLiteral(" v "));
        QCOMPARE(reread.readString(Section, QStringLiteral("edMin")), QStringLiteral("2"));
    }
}

void IniFileTest::nothingWrittenBeforeFlush()
{
    const QByteArray original = "[SaveStat]\r\nedMin=1\r\n";
    writeFile(original);
    IniFile file(path());
    file.writeString(Section, QStringLiteral("edMin"), QStringLiteral("2"));
    file.writeString(Section, QStringLiteral("edMax"), QStringLiteral("9"));
    QCOMPARE(readFile(), original);
    file.flush();
    QCOMPARE(readFile(), QByteArray("[SaveStat]\r\nedMin=2\r\nedMax=9\r\n"));
}

void IniFileTest::loadingNeverCreatesTheFile()
{
    IniFile file(path());
    QCOMPARE(file.readString(Section, QStringLiteral("edMin")), QString());
    file.flush();
    QVERIFY(!QFile::exists(path()));
}

void IniFileTest::unwritablePathRaises()
{
    // A folder that is a regular file cannot hold the settings file, whoever runs the test.
    const QString blocker = m_dir->filePath(QStringLiteral("blocker"));
    QFile(blocker).open(QIODevice::WriteOnly);
    const QString target = blocker + QStringLiteral("/SaveStat.ini");

    IniFile file(target);
    file.writeString(Section, QStringLiteral("edMin"), QStringLiteral("2"));
    QCOMPARE(errorOf([&] { file.flush(); }), QStringLiteral("Unable to write to ") + target);
}

void IniFileTest::specialFileInPlaceRaises_data()
{
    addUnusualFileRows(true);
}

// Refused at once with the reason, and kept: a FIFO would block open() for good, a device
// would feed bytes until memory runs out.
void IniFileTest::specialFileInPlaceRaises()
{
    QFETCH(Special, kind);
    QFETCH(QString, reason);

    QVERIFY(makeSpecial(path(), kind));
    const mode_t before = kindAt(path());
    QCOMPARE(runLimited([&] { return refusedWith(path(), reason); }), ChildPassed);
    QCOMPARE(kindAt(path()), before);
}

void IniFileTest::oversizeFileIsRefusedAndKept_data()
{
    QTest::addColumn<qint64>("bytes");

    QTest::addRow("one_byte_over_the_limit") << IniFile::MaxFileBytes + 1;
    // 20 MB of blank lines once took the program seven seconds and 2 GB of memory.
    QTest::addRow("blank_lines_20_mb") << (qint64(20) << 20);
}

void IniFileTest::oversizeFileIsRefusedAndKept()
{
    QFETCH(qint64, bytes);

    const QByteArray content = "[SaveStat]\r\n" + QByteArray(bytes, '\n');
    writeFile(content);
    QCOMPARE(runLimited([&] { return refusedWith(path(), QStringLiteral("файл слишком велик")); },
                        {10, ReaderMemory}),
             ChildPassed);
    QCOMPARE(readFile(), content);
}

// A file of blank lines just below the limit (room left for the line the save adds) is read,
// changed and saved within a small multiple of its own size, by a fresh process.
void IniFileTest::largestAcceptedFileStaysSmall()
{
    constexpr qsizetype RoomForOneLine = 16;
    constexpr int ProbeTimeoutMs = 20000;
    const QByteArray head = "[SaveStat]\r\nedMax=9\r\n";
    const QByteArray content =
        head + QByteArray(IniFile::MaxFileBytes - RoomForOneLine - head.size(), '\n');
    writeFile(content);

    QProcess probe;
    probe.start(QStringLiteral(SETTINGS_PROBE), {path(), QString::number(ReaderMemory)});
    QVERIFY(probe.waitForFinished(ProbeTimeoutMs));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QVERIFY2(probe.exitCode() == 0, probe.readAllStandardError().constData());
    QCOMPARE(readFile(), head + "edMin=2\r\n" + content.sliced(head.size()));
}

QTEST_GUILESS_MAIN(IniFileTest)
#include "tst_inifile.moc"
