// SPDX-License-Identifier: GPL-3.0-or-later
// KVTML dictionaries of KDE's trainers, loaded as the drill loads any dictionary: the shapes of
// both versions, what is left out, XML that tries to grow or to fetch, and broken files.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "main/rules/Dictionary.h"
#include "tests/support/ErrorOf.h"

namespace {

QByteArray kvtml2(const QByteArray &entries, const QByteArray &doctype = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + doctype +
           "<kvtml version=\"2.0\">\n<entries>\n" + entries + "</entries>\n</kvtml>\n";
}

QByteArray entry(const QByteArray &word, const QByteArray &translation)
{
    return "<entry id=\"0\"><translation id=\"0\"><text>" + word +
           "</text></translation><translation id=\"1\"><text>" + translation +
           "</text></translation></entry>\n";
}

QByteArray billionLaughs()
{
    QByteArray doctype = "<!DOCTYPE kvtml [\n<!ENTITY l0 \"lol\">\n";
    for (int level = 1; level <= 9; ++level) {
        doctype += "<!ENTITY l" + QByteArray::number(level) + " \"";
        for (int copy = 0; copy < 10; ++copy)
            doctype += "&l" + QByteArray::number(level - 1) + ";";
        doctype += "\">\n";
    }
    return kvtml2(entry("&l9;", "x"), doctype + "]>\n");
}

QStringList texts(std::initializer_list<const char *> utf8)
{
    QStringList list;
    for (const char *text : utf8)
        list << QString::fromUtf8(text);
    return list;
}

QStringList numbered(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("w%1\tt%1").arg(i);
    return lines;
}

} // namespace

class KvtmlTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void load_data();
    void load();
};

void KvtmlTest::load_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("error"); // a piece of the text, empty when the file loads

    const QByteArray twoLanguages =
        kvtml2("<entry id=\"0\"><inactive>false</inactive>"
               "<translation id=\"0\"><text>dog</text><comment>pet</comment></translation>"
               "<translation id=\"1\"><text>собака</text></translation></entry>\n"
               "<entry id=\"1\"><translation id=\"0\"><text>alone</text></translation></entry>\n"
               "<entry id=\"2\"><translation id=\"0\"><text>void</text></translation>"
               "<translation id=\"1\"><text> </text></translation></entry>\n"
               "<entry id=\"3\"><translation id=\"1\"><text>кошка</text></translation>"
               "<translation id=\"2\"><text>Katze</text></translation>"
               "<translation id=\"0\"><text>cat</text></translation></entry>\n");
    QTest::addRow("two_sides_in_file_order")
        << "words.kvtml" << twoLanguages << texts({"dog\tсобака", "cat\tкошка"}) << "";
    QTest::addRow("suffix_in_capitals")
        << "WORDS.KVTML" << twoLanguages << texts({"dog\tсобака", "cat\tкошка"}) << "";
    QTest::addRow("other_name_reads_as_text") << "words.txt" << twoLanguages << QStringList{} << "";
    QTest::addRow("lessons_and_word_types_are_skipped")
        << "w.kvtml"
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" "
                      "\"http://edu.kde.org/kvtml/kvtml2.dtd\">\n<kvtml version=\"2.0\" >"
                      "<identifiers><identifier id=\"0\"><locale>de</locale></identifier>"
                      "</identifiers><wordtypes><container><name>Noun</name></container>"
                      "</wordtypes><entries>" +
                      entry("Haus", "house") +
                      "</entries><lessons><container><name>L1</name><entry id=\"0\"/>"
                      "<container><entry id=\"0\"/></container></container></lessons></kvtml>")
        << texts({"Haus\thouse"}) << "";
    QTest::addRow("version_1")
        << "old.kvtml"
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE kvtml SYSTEM \"kvoctrain.dtd\">\n"
                      "<kvtml encoding=\"UTF-8\">\n<lesson><desc no=\"1\">L</desc></lesson>\n"
                      "<e m=\"1\"><o>house</o><t>дом</t><t>здание</t></e>\n"
                      "<e><o>hangman</o><t></t></e>\n<e><t>only</t></e>\n</kvtml>\n")
        << texts({"house\tдом"}) << "";
    QTest::addRow("tab_and_line_breaks_become_blanks")
        << "w.kvtml" << kvtml2(entry("  a\tb  ", "c&#13;d\ne<b>x</b>f")) << texts({"a b\tc d ef"})
        << "";
    QTest::addRow("predefined_entities_and_character_references")
        << "w.kvtml" << kvtml2(entry("R&amp;B &lt;3", "&#1076;&#x43E;м")) << texts({"R&B <3\tдом"})
        << "";
    // Rows the quick scanner leaves to QXmlStreamReader, or reads itself, with the same result.
    QTest::addRow("cdata_and_instruction_in_text")
        << "w.kvtml" << kvtml2(entry("<![CDATA[a<b]]>", "c<?note x?>d")) << texts({"a<b\tcd"})
        << "";
    QTest::addRow("comment_line_breaks_and_references")
        << "w.kvtml" << kvtml2(entry("do<!-- pet -->g", "a\r\nb\rc&#x41;&#x1F600;"))
        << texts({"dog\ta b cA\xF0\x9F\x98\x80"}) << "";
    QTest::addRow("windows_1251_declared")
        << "w.kvtml"
        << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<kvtml><entries>" +
                      entry("\xE4\xEE\xEC", "house") + "</entries></kvtml>")
        << texts({"дом\thouse"}) << "";
    QTest::addRow("more_entries_than_kept") << "big.kvtml" << [] {
        QByteArray entries;
        for (int i = 1; i <= 20001; ++i)
            entries += entry("w" + QByteArray::number(i), "t" + QByteArray::number(i));
        return kvtml2(entries);
    }() << numbered(20000) << "";

    const QStringList none;
    QTest::addRow("internal_entity_declared")
        << "w.kvtml" << kvtml2(entry("&w;", "x"), "<!DOCTYPE kvtml [<!ENTITY w \"dog\">]>\n")
        << none << "в строке 2 объявлены сущности XML";
    QTest::addRow("billion_laughs")
        << "w.kvtml" << billionLaughs() << none << "в строке 13 объявлены сущности XML";
    QTest::addRow("external_entity")
        << "w.kvtml"
        << kvtml2(entry("&x;", "x"), "<!DOCTYPE kvtml [<!ENTITY x SYSTEM \"/etc/passwd\">]>\n")
        << none << "в строке 2 объявлены сущности XML";
    QTest::addRow("undeclared_entity_with_external_type")
        << "w.kvtml" << kvtml2(entry("a&x;", "x"), "<!DOCTYPE kvtml SYSTEM \"kvtml2.dtd\">\n")
        << none << "в строке 5 ссылка на сущность XML «&x;»";
    QTest::addRow("truncated") << "w.kvtml" << kvtml2(entry("a", "b") + entry("c", "d")).left(200)
                               << none << "файл обрывается в строке 5";
    QTest::addRow("broken_markup") << "w.kvtml" << kvtml2(entry("a", "b") + "<entry></entries>")
                                   << none << "ошибка в разметке XML или в кодировке в строке 5";
    QTest::addRow("invalid_utf8") << "w.kvtml" << kvtml2(entry("a\xFF", "b")) << none
                                  << "ошибка в разметке XML или в кодировке в строке";
    QTest::addRow("empty") << "w.kvtml" << QByteArray() << none << "файл обрывается в строке 1";
    QTest::addRow("not_kvtml") << "w.kvtml" << QByteArray("<html><body>a\tb</body></html>") << none
                               << "это не словарь KVTML";
}

void KvtmlTest::load()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    QStringList loaded;
    const QString raised = errorOf([&] { loaded = loadDictionaryLines(path); });
    if (error.isEmpty()) {
        QCOMPARE(raised, QString());
        QCOMPARE(loaded, lines);
    } else {
        QVERIFY2(raised.startsWith(QStringLiteral("Не удалось прочитать словарь ") + path +
                                   QStringLiteral(": ")) &&
                     raised.contains(error),
                 qPrintable(raised));
    }
}

QTEST_GUILESS_MAIN(KvtmlTest)
#include "tst_kvtml.moc"
