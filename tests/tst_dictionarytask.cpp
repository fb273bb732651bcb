// SPDX-License-Identifier: GPL-3.0-or-later
// The draw of a vocabulary task without a window: what lands on the option buttons for
// dictionaries of every shape, and the same draws from the same seed.
#include <QTest>

#include <algorithm>

#include "main/rules/Dictionary.h"
#include "main/rules/DictionaryTask.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TasksPerSeed = 6;
constexpr quint32 Seeds[] = {1, 12345, 20261208};

const QStringList Animals = {QStringLiteral("cat\tкошка"),   QStringLiteral("dog\tсобака"),
                             QStringLiteral("cow\tкорова"),  QStringLiteral("hen\tкурица"),
                             QStringLiteral("pig\tсвинья"),  QStringLiteral("fox\tлиса"),
                             QStringLiteral("owl\tсова"),    QStringLiteral("bee\tпчела"),
                             QStringLiteral("ant\tмуравей"), QStringLiteral("elk\tлось")};

// What an option button shows for a draw: its text, or nothing when no draw reached it.
QStringList captions(const OptionTexts &options)
{
    QStringList texts;
    for (const std::optional<QString> &option : options)
        texts << option.value_or(QString());
    return texts;
}

} // namespace

class DictionaryTaskTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void options_data();
    void options();
    void sameSeedSameGame();
};

void DictionaryTaskTest::options_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<int>("filled");

    QTest::addRow("one_entry_fills_one_button")
        << QStringList{QStringLiteral("cat\tкошка")} << false << 1;
    QTest::addRow("two_answers") << Animals.first(2) << false << 2;
    QTest::addRow("three_answers") << Animals.first(3) << false << 3;
    QTest::addRow("shared_answer_counts_once")
        << QStringList{QStringLiteral("big\tбольшой"), QStringLiteral("large\tбольшой"),
                       QStringLiteral("small\tмаленький")}
        << false << 2;
    QTest::addRow("case_makes_another_answer")
        << QStringList{QStringLiteral("a\tДом"), QStringLiteral("b\tдом")} << false << 2;
    QTest::addRow("many_entries") << Animals << false << 4;
    QTest::addRow("reversed_many_entries") << Animals << true << 4;
    QTest::addRow("reversed_shared_word")
        << QStringList{QStringLiteral("light\tсвет"), QStringLiteral("light\tлёгкий")} << true << 1;
    QTest::addRow("note_stays_with_answer")
        << QStringList{QStringLiteral("dog\tсобака\t(животное)"), QStringLiteral("cat\tкошка")}
        << false << 2;
    QTest::addRow("empty_answer_never_placed")
        << QStringList{QStringLiteral("nothing\t"), QStringLiteral("cat\tкошка")} << false << 1;
}

// Whatever the seed: the question and the right word are the two sides of one entry, the right
// word is on one button, the other buttons hold other answers of the dictionary, each once.
void DictionaryTaskTest::options()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, reversed);
    QFETCH(int, filled);

    QStringList answers;
    for (const QString &line : std::as_const(entries)) {
        const DictionaryEntry entry = splitEntry(line);
        answers << (reversed ? entry.word : entry.translation).toString();
    }
    for (const quint32 seed : Seeds) {
        RandomGenerator random;
        random.seed(seed);
        for (int n = 0; n < TasksPerSeed; ++n) {
            const DictionaryTask task = drawDictionaryTask(entries, reversed, random);
            const QString line = reversed ? task.rightWord + u'\t' + task.question
                                          : task.question + u'\t' + task.rightWord;
            QVERIFY2(entries.contains(line), qPrintable(line));
            const QStringList shown = captions(task.options);
            QCOMPARE(shown.size() - shown.count(QString()), filled);
            if (!task.rightWord.isEmpty())
                QCOMPARE(shown.count(task.rightWord), 1);
            for (const std::optional<QString> &option : task.options) {
                if (!option)
                    continue;
                QVERIFY(answers.contains(*option));
                QCOMPARE(shown.count(*option), 1);
            }
        }
    }
}

// A game from one seed draws the same tasks in every version of the program: the entry first,
// then the right word's button, then other entries and their buttons in turn.
void DictionaryTaskTest::sameSeedSameGame()
{
    RandomGenerator random;
    random.seed(Seeds[1]);
    struct Expected {
        const char16_t *question;
        QStringList captions;
    };
    const Expected tasks[] = {
        {u"elk", {u"курица"_s, u"пчела"_s, u"лиса"_s, u"лось"_s}},
        {u"owl", {u"сова"_s, u"кошка"_s, u"муравей"_s, u"пчела"_s}},
        {u"elk", {u"пчела"_s, u"свинья"_s, u"курица"_s, u"лось"_s}},
        {u"pig", {u"свинья"_s, u"лось"_s, u"сова"_s, u"пчела"_s}},
    };
    for (const Expected &expected : tasks) {
        const DictionaryTask task = drawDictionaryTask(Animals, false, random);
        QCOMPARE(task.question, QString::fromUtf16(expected.question));
        QCOMPARE(captions(task.options), expected.captions);
    }
}

QTEST_GUILESS_MAIN(DictionaryTaskTest)
#include "tst_dictionarytask.moc"
