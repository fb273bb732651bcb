// SPDX-License-Identifier: GPL-3.0-or-later
// The rules the windows stand on: integer conversion, Windows-1251, date-time
// values and texts, the error-box and title rules, the application folder, centring, typed
// answers, category codes, and the opening of files that may be anything.
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <limits>

#include "main/rules/CategoryCode.h"
#include "main/rules/TypedAnswer.h"
#include "rules/DateTime.h"
#include "rules/Error.h"
#include "rules/RegularFile.h"
#include "rules/StrToInt.h"
#include "rules/Win1251.h"
#include "ui/rules/AppFolderPath.h"
#include "ui/rules/Centring.h"
#include "ui/rules/WindowTexts.h"

class RulesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void integerConversion_data();
    void integerConversion();
    void integerConversionErrorText();
    void win1251MatchesSystemCodec();
    void win1251RoundTripAndUnencodable();
    void dateTimeRoundTrip_data();
    void dateTimeRoundTrip();
    void dateTimeEpoch();
    void timeTexts();
    void dateTextOmitsMidnight();
    void longTimeFollowsLocale();
    void datesThatAreNoDates_data();
    void datesThatAreNoDates();
    void errorBoxText_data();
    void errorBoxText();
    void applicationTitle_data();
    void applicationTitle();
    void appFolder_data();
    void appFolder();
    void centring_data();
    void centring();
    void typedAnswer_data();
    void typedAnswer();
    void nameHashAndCategoryCodes();
    void onlyRegularFilesOpen_data();
    void onlyRegularFilesOpen();
};

void RulesTest::integerConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");

    QTest::addRow("plain") << "30" << true << 30;
    QTest::addRow("leading_blank") << " 5" << true << 5;
    QTest::addRow("plus_sign") << "+5" << true << 5;
    QTest::addRow("minus_sign") << "-17" << true << -17;
    QTest::addRow("blanks_then_sign") << "   -3" << true << -3;
    QTest::addRow("leading_zeros") << "007" << true << 7;
    QTest::addRow("dollar_hex") << "$1F" << true << 31;
    QTest::addRow("x_hex") << "xff" << true << 255;
    QTest::addRow("X_hex") << "XFF" << true << 255;
    QTest::addRow("0x_hex") << "0x10" << true << 16;
    QTest::addRow("0X_hex_mixed_case") << "0XaB" << true << 171;
    QTest::addRow("negative_hex") << "-$10" << true << -16;
    QTest::addRow("int_max") << "2147483647" << true << 2147483647;
    QTest::addRow("int_min") << "-2147483648" << true << int(-2147483648LL);
    QTest::addRow("hex_int_max") << "$7FFFFFFF" << true << 2147483647;

    QTest::addRow("empty") << "" << false << 0;
    QTest::addRow("blanks_only") << "   " << false << 0;
    QTest::addRow("letters") << "abc" << false << 0;
    QTest::addRow("trailing_blank") << "5 " << false << 0;
    QTest::addRow("sign_only") << "-" << false << 0;
    QTest::addRow("two_signs") << "+-5" << false << 0;
    QTest::addRow("blank_after_sign") << "- 5" << false << 0;
    QTest::addRow("overflow") << "2147483648" << false << 0;
    QTest::addRow("underflow") << "-2147483649" << false << 0;
    QTest::addRow("long_overflow") << "99999999999999999999" << false << 0;
    QTest::addRow("hex_overflow") << "$80000000" << false << 0;
    QTest::addRow("prefix_only") << "$" << false << 0;
    QTest::addRow("0x_only") << "0x" << false << 0;
    QTest::addRow("hex_digit_in_decimal") << "1A" << false << 0;
    QTest::addRow("decimal_point") << "1.5" << false << 0;
    QTest::addRow("tab_is_no_blank") << "\t5" << false << 0;
    QTest::addRow("arabic_indic_digit") << QString(QChar(0x0661)) << false << 0;
}

void RulesTest::integerConversion()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    const auto converted = tryStrToInt(text);
    QCOMPARE(converted.has_value(), ok);
    if (ok) {
        QCOMPARE(*converted, value);
        QCOMPARE(strToInt(text), value);
    } else {
        QVERIFY_THROWS_EXCEPTION(Error, strToInt(text));
    }
}

void RulesTest::integerConversionErrorText()
{
    try {
        strToInt(QStringLiteral("abc"));
        QFAIL("no error raised");
    } catch (const Error &e) {
        QCOMPARE(e.message(), QStringLiteral("'abc' is not a valid integer value"));
    }
}

void RulesTest::win1251MatchesSystemCodec()
{
    QStringDecoder reference("windows-1251");
    QVERIFY(reference.isValid());
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0x98) // unassigned in Windows-1251
            continue;
        const QByteArray one(1, char(byte));
        const QString expected = reference.decode(one);
        QCOMPARE(fromWin1251(one), expected);
        QCOMPARE(toWin1251(expected), one);
    }
}

void RulesTest::win1251RoundTripAndUnencodable()
{
    const QString russian = QStringLiteral("Съешь же ещё этих мягких булок, ЁЖ №1");
    QCOMPARE(fromWin1251(toWin1251(russian)), russian);
    // The emoji is two UTF-16 code units, each unencodable.
    QCOMPARE(toWin1251(QStringLiteral("ä漢😀")), QByteArrayLiteral("????"));
    // The unassigned byte survives a round trip, so names read from a file are saved unchanged.
    const QByteArray unassigned("\x98", 1);
    QCOMPARE(toWin1251(fromWin1251(unassigned)), unassigned);
}

void RulesTest::dateTimeRoundTrip_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    QTest::addRow("noon") << QDateTime(QDate(2024, 3, 1), QTime(12, 0));
    QTest::addRow("milliseconds") << QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59, 999));
    QTest::addRow("one_ms_after_midnight") << QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0, 1));
}

void RulesTest::dateTimeRoundTrip()
{
    QFETCH(QDateTime, moment);
    QCOMPARE(fromDateTime(toDateTime(moment)), moment);
}

void RulesTest::dateTimeEpoch()
{
    QCOMPARE(toDateTime(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    QCOMPARE(toDateTime(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
    QCOMPARE(fromDateTime(45000.25), QDateTime(QDate(2023, 3, 15), QTime(6, 0)));
}

void RulesTest::timeTexts()
{
    const auto seconds = [](double s) {
        return s / 86400.0;
    };
    QCOMPARE(minutesSecondsText(seconds(65)), QStringLiteral("01.05"));
    QCOMPARE(minutesSecondsText(seconds(3600 + 65)), QStringLiteral("01.05")); // hours dropped
    QCOMPARE(clockText(seconds(3600 + 2 * 60 + 3), QLocale::c()), QStringLiteral("01:02:03"));
    QCOMPARE(clockText(1.0 + seconds(3600), QLocale::c()), QStringLiteral("01:00:00"));
    QCOMPARE(clockText(seconds(25 * 3600), QLocale::c()), QStringLiteral("01:00:00"));
    QCOMPARE(secondsMillisText(seconds(4.5)), QStringLiteral("04.500"));
    QCOMPARE(secondsMillisText(seconds(75)), QStringLiteral("15.000"));
}

void RulesTest::dateTextOmitsMidnight()
{
    const QLocale c = QLocale::c();
    const TDateTime midnight = toDateTime(QDateTime(QDate(2026, 1, 2), QTime(0, 0)));
    QCOMPARE(dateText(midnight, c), QStringLiteral("02-01-2026"));
    const TDateTime evening = toDateTime(QDateTime(QDate(2026, 1, 2), QTime(19, 5, 7)));
    QCOMPARE(dateText(evening, c), QStringLiteral("02-01-2026 19:05:07"));
}

void RulesTest::longTimeFollowsLocale()
{
    const TDateTime morning = toDateTime(QDateTime(QDate(2026, 1, 2), QTime(9, 5, 7)));
    QCOMPARE(longTimeText(morning, QLocale(QLocale::Russian, QLocale::Russia)),
             QStringLiteral("09:05:07"));
    const QString us = longTimeText(morning, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(us.startsWith(QStringLiteral("9:05:07")), qPrintable(us));
    QVERIFY2(us.endsWith(QLocale(QLocale::English, QLocale::UnitedStates).amText()),
             qPrintable(us));
    // A quoted "a" is a literal, not the day-half marker.
    QCOMPARE(longTimeText(morning, QStringLiteral("HH 'a' mm:ss"), QLocale::c()),
             QStringLiteral("09:05:07"));
}

// Files may hold any bits where a date belongs.
void RulesTest::datesThatAreNoDates_data()
{
    QTest::addColumn<double>("value");
    QTest::addRow("nan") << std::numeric_limits<double>::quiet_NaN();
    QTest::addRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::addRow("minus_infinity") << -std::numeric_limits<double>::infinity();
    QTest::addRow("beyond_any_calendar") << 1e300;
    QTest::addRow("just_past_year_9999") << 2958466.0;
}

void RulesTest::datesThatAreNoDates()
{
    QFETCH(double, value);
    QVERIFY(!isShowableDateTime(value));
    QCOMPARE(dateText(value, QLocale::c()), QStringLiteral("?"));
    QCOMPARE(clockText(value, QLocale::c()), QStringLiteral("00:00:00"));
    QCOMPARE(minutesSecondsText(value), QStringLiteral("00.00"));
}

void RulesTest::errorBoxText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::addRow("letter_gets_stop") << "File not found"
                                      << "File not found.";
    QTest::addRow("quote_gets_stop") << "'x' is not a valid integer value"
                                     << "'x' is not a valid integer value.";
    QTest::addRow("stop_kept") << "Done."
                               << "Done.";
    QTest::addRow("comma_sorts_before_stop") << "a,"
                                             << "a,";
    QTest::addRow("bang_sorts_before_stop") << "Stop!"
                                            << "Stop!";
    QTest::addRow("digit_sorts_after_stop") << "code 104"
                                            << "code 104.";
    QTest::addRow("cyrillic_gets_stop") << "Ошибка"
                                        << "Ошибка.";
    QTest::addRow("empty") << ""
                           << "";
}

void RulesTest::errorBoxText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(::errorBoxText(message), shown);
}

void RulesTest::applicationTitle_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::addRow("program") << "/opt/Tovelo2/Tovelo2"
                             << "Tovelo2";
    QTest::addRow("capitals") << "/usr/bin/TOVELO2"
                              << "Tovelo2";
    QTest::addRow("up_to_first_stop") << "/x/DRILL.exe.bak"
                                      << "Drill";
    QTest::addRow("lower_first_kept") << "/x/tovelo"
                                      << "tovelo";
}

void RulesTest::applicationTitle()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(::applicationTitle(path), title);
}

void RulesTest::appFolder_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addRow("absolute") << "/opt/Drill/drill"
                              << "/opt/Drill/";
    QTest::addRow("root") << "/drill"
                          << "/";
    QTest::addRow("no_separator") << "drill"
                                  << "";
    QTest::addRow("backslash_is_no_separator") << "C:\\Drill\\drill.exe"
                                               << "";
}

void RulesTest::appFolder()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QCOMPARE(appFolderOf(path), folder);
}

void RulesTest::centring_data()
{
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QRect>("display");
    QTest::addColumn<QRect>("available"); // empty: the display alone is given
    QTest::addColumn<QPoint>("position");
    const QRect full(0, 0, 1920, 1080);
    QTest::addRow("fits") << QSize(590, 520) << full << QRect() << QPoint(665, 280);
    QTest::addRow("odd_difference") << QSize(591, 521) << full << QRect() << QPoint(664, 279);
    QTest::addRow("larger_rounds_toward_zero")
        << QSize(605, 505) << QRect(0, 0, 600, 500) << QRect() << QPoint(-2, -2);
    QTest::addRow("display_offset")
        << QSize(100, 100) << QRect(1920, 0, 1000, 800) << QRect() << QPoint(2370, 350);
    // The records window, 506 x 597 inside a frame of 5 and a title bar of 24.
    QTest::addRow("fits_beside_a_panel_stays_centred")
        << QSize(516, 631) << QRect(0, 0, 1366, 768) << QRect(0, 0, 1366, 740) << QPoint(425, 68);
    QTest::addRow("taller_than_available_stands_at_its_top")
        << QSize(516, 631) << QRect(0, 0, 1024, 600) << QRect(0, 30, 1024, 570) << QPoint(254, 30);
}

void RulesTest::centring()
{
    QFETCH(QSize, outer);
    QFETCH(QRect, display);
    QFETCH(QRect, available);
    QFETCH(QPoint, position);
    QCOMPARE(available.isEmpty() ? centredPosition(outer, display)
                                 : centredPosition(outer, display, available),
             position);
}

void RulesTest::typedAnswer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("answer");
    QTest::addRow("empty_is_zero") << "" << true << 0;
    QTest::addRow("no_digits_is_zero") << "abc" << true << 0;
    QTest::addRow("minus_dropped") << "-5" << true << 5;
    QTest::addRow("blanks_dropped") << " 5 " << true << 5;
    QTest::addRow("digits_joined") << "1 2" << true << 12;
    QTest::addRow("leading_zeros") << "007" << true << 7;
    QTest::addRow("int_max") << "2147483647" << true << 2147483647;
    QTest::addRow("eleven_nines") << "99999999999" << false << 0;
    QTest::addRow("just_over") << "2147483648" << false << 0;
}

void RulesTest::typedAnswer()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, answer);
    const auto parsed = parseTypedAnswer(text);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(*parsed, answer);
}

void RulesTest::nameHashAndCategoryCodes()
{
    QCOMPARE(NameHash("abc"), 96354);
    QCOMPARE(NameHash(""), 0);
    // Bytes count unsigned: "я" is 0xFF in Windows-1251.
    QCOMPARE(NameHash(toWin1251(QStringLiteral("я"))), 255);
    QCOMPARE(categoryCode(7, QStringLiteral("abc"), false), 9635407);
    QCOMPARE(categoryCode(7, QStringLiteral("abc"), true), 9734107);
    QCOMPARE(categoryCode(7, QString(), false), 7);
    QCOMPARE(categoryCode(7, QString(), true), 98707);
    QCOMPARE(categoryCode(2, QStringLiteral("abc"), true), 2);
    QCOMPARE(categoryCode(5, QString(), false), 5);
    QCOMPARE(categoryCode(6, QString(), false), 6);
    QCOMPARE(categoryCode(-1, QString(), false), -1);
    // Long names wrap around modulo 2^32.
    const QString longName = QStringLiteral("a_rather_long_dictionary_name.txt");
    quint32 h = 0;
    for (const char c : toWin1251(longName))
        h = 31 * h + static_cast<unsigned char>(c);
    QCOMPARE(categoryCode(7, longName, false), static_cast<qint32>(7u + 100u * h));
}

// A FIFO must be refused without blocking; a link is followed to what it names.
void RulesTest::onlyRegularFilesOpen_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("regular");
    QTest::addColumn<int>("outcome"); // 1 opened, 0 missing, -1 refused

    QTest::addRow("regular_file") << "file" << true << 1;
    QTest::addRow("link_to_regular_file") << "link-file" << true << 1;
    QTest::addRow("nothing_there") << "missing" << false << 0;
    QTest::addRow("fifo_refused_without_blocking") << "fifo" << false << -1;
    QTest::addRow("link_to_dev_zero") << "link-zero" << false << -1;
    QTest::addRow("folder") << "folder" << false << -1;
    QTest::addRow("larger_than_its_limit") << "large" << true << -1;
}

void RulesTest::onlyRegularFilesOpen()
{
    QFETCH(QString, kind);
    QFETCH(bool, regular);
    QFETCH(int, outcome);
    constexpr qint64 Limit = 16;
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("target"));
    const QString small = dir.filePath(QStringLiteral("small"));
    QFile(small).open(QIODevice::WriteOnly);
    if (kind == u"file")
        QVERIFY(QFile::copy(small, path));
    else if (kind == u"link-file")
        QVERIFY(QFile::link(small, path));
    else if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == u"link-zero")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (kind == u"folder")
        QVERIFY(QDir().mkdir(path));
    else if (kind == u"large") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(Limit + 1, 'x'));
    }

    QCOMPARE(isRegularFile(path), regular);
    QFile file(path);
    int got = 1;
    try {
        got = openRegularFile(file, path, QIODevice::ReadOnly, Limit) ? 1 : 0;
    } catch (const Error &error) {
        QVERIFY(error.message().contains(path));
        got = -1;
    }
    QCOMPARE(got, outcome);
    QCOMPARE(file.isOpen(), outcome > 0);
}

QTEST_GUILESS_MAIN(RulesTest)
#include "tst_rules.moc"
