// The vocabulary drill through the real window, with seeded random draws: the dictionary
// controls, the tasks and their option buttons, clicks and keys, the labels of tasks first
// answered wrongly, dictionaries without entries, and files that cannot be read.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <array>

#include "main/TfmMain.h"
#include "main/rules/CategoryCode.h"
#include "main/rules/Dictionary.h"
#include "main/rules/DictionaryTask.h"
#include "rules/RandomGenerator.h"
#include "rules/Win1251.h"
#include "scripted/AppSandbox.h"
#include "ui/ApplicationSetup.h"
#include "ui/AutoSizeLabel.h"
#include "ui/EventGuard.h"
#include "ui/ProgressBar.h"
#include "ui/Typefaces.h"
#include "ui/WideButton.h"

namespace {

const QString FileName = QStringLiteral("words.txt");
const QString FreeMark = QStringLiteral("-");
constexpr int MistakesToEnd = 10;

QByteArray win1251File(const QStringList &entries)
{
    return toWin1251(QStringLiteral("Словарь\r\n") + entries.join(QStringLiteral("\r\n")) +
                     QStringLiteral("\r\n"));
}

QByteArray utf16File(const QStringList &entries)
{
    QByteArray bytes("\xFF\xFE", 2);
    const QString text = entries.join(QLatin1Char('\n'));
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

// A window in a sandbox with the foreign-language kind selected.
struct Drill {
    Drill() = default;
    explicit Drill(const QByteArray &dictionary, bool reversed = false)
    {
        useDictionary(dictionary);
        find<QCheckBox>("cbReverse")->setChecked(reversed);
    }

    template<typename Control = QWidget> Control *find(const char *name) const
    {
        auto *found = window.findChild<Control *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    void useDictionary(const QByteArray &content, const QString &name = FileName)
    {
        sandbox.writeFile(QStringLiteral("Dic/") + name, content);
        selectForeignLanguage();
    }

    void selectForeignLanguage()
    {
        find<QComboBox>("cmbAction")->setCurrentIndex(7);
        window.cmbActionChange();
    }

    void start()
    {
        window.btStartClick();
        if (!window.isGameRunning())
            qFatal("the game did not start");
    }

    WideButton *option(int index) const
    {
        static const std::array<const char *, OptionCount> Names = {"btOption1", "btOption2",
                                                                    "btOption3", "btOption4"};
        return find<WideButton>(Names.at(static_cast<std::size_t>(index)));
    }

    QStringList captions() const
    {
        QStringList texts;
        for (int i = 0; i < OptionCount; ++i)
            texts << option(i)->text();
        return texts;
    }

    int rightIndex() const { return captions().indexOf(window.session().dictionary().RightWord); }
    WideButton *rightButton() const { return option(rightIndex()); }
    WideButton *wrongButton() const
    {
        for (int i = 0; i < OptionCount; ++i) {
            if (option(i)->text() != window.session().dictionary().RightWord)
                return option(i);
        }
        qFatal("every button carries the right answer");
    }

    QString question() const { return find<AutoSizeLabel>("lbTextPraxis")->text(); }

    std::vector<AutoSizeLabel *> labels() const
    {
        std::vector<AutoSizeLabel *> found;
        for (auto *label : window.findChildren<AutoSizeLabel *>(Qt::FindDirectChildrenOnly)) {
            if (label->objectName().startsWith(QStringLiteral("lbRightAnswer")))
                found.push_back(label);
        }
        return found;
    }

    AppSandbox sandbox;
    TfmMain window;
};

QStringList hints(const Drill &d)
{
    QStringList marks;
    for (int i = 0; i < OptionCount; ++i)
        marks << d.option(i)->hint();
    return marks;
}

} // namespace

class VocabularyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    void kindSwitchesControls();
    void folderListing();
    void noDictionaryBeforeFirstGame();
    void tasksFollowDraws_data();
    void tasksFollowDraws();
    void reverseTakesEffectAtNextTask();
    void wordsAreShownAsPlainText();
    void longEntriesAreCutOnScreen();
    void wrongClicksThenRight();
    void gameEndingOnWrongClickListsTask();
    void labelsFreedAtNextStart();
    void clicksOutsideGameDoNothing();
    void zeroEntries_data();
    void zeroEntries();
    void earlierRightWordStaysRight();
    void unreadableDictionary_data();
    void unreadableDictionary();
    void keysClickOptions_data();
    void keysClickOptions();
    void keysFromFocusedControls_data();
    void keysFromFocusedControls();
    void keysAfterStartWithMouse();
    void keysOutsideDictionaryGame();
    void categoryCodeFollowsControls();
};

void VocabularyTest::kindSwitchesControls()
{
    Drill d;
    d.selectForeignLanguage();
    for (const char *range : {"lbMin", "lbMax", "edMin", "edMax"})
        QVERIFY2(d.find(range)->isHidden(), range);
    QVERIFY(!d.find("cmbDicFiles")->isHidden());
    QVERIFY(!d.find("cbReverse")->isHidden());
    QCOMPARE(d.find("cmbDicFiles")->y(), 12);
    // Option buttons and answer box wait for the start of a game.
    QVERIFY(d.find("btOption1")->isHidden());

    d.find<QComboBox>("cmbAction")->setCurrentIndex(3);
    d.window.cmbActionChange();
    for (const char *range : {"lbMin", "lbMax", "edMin", "edMax"})
        QVERIFY2(!d.find(range)->isHidden(), range);
    QVERIFY(d.find("cmbDicFiles")->isHidden());
    QVERIFY(d.find("cbReverse")->isHidden());
}

void VocabularyTest::folderListing()
{
    Drill d;
    for (const char *name : {"b.txt", "A.dic", ".hidden", "no extension", "c.TXT"})
        d.sandbox.writeFile(QStringLiteral("Dic/") + QLatin1String(name), "t\na\tb\n");
    d.sandbox.makeFolder(QStringLiteral("Dic/sub folder"));
    d.selectForeignLanguage();

    auto *files = d.find<QComboBox>("cmbDicFiles");
    QStringList listed;
    for (int i = 0; i < files->count(); ++i)
        listed << files->itemText(i);
    QCOMPARE(listed, (QStringList{QStringLiteral(".hidden"), QStringLiteral("A.dic"),
                                  QStringLiteral("b.txt"), QStringLiteral("c.TXT"),
                                  QStringLiteral("no extension")}));
    QCOMPARE(files->currentIndex(), 0);

    // Every switch refills the list and selects the first file again.
    files->setCurrentIndex(3);
    d.sandbox.writeFile(QStringLiteral("Dic/!new.txt"), "t\na\tb\n");
    d.selectForeignLanguage();
    QCOMPARE(files->count(), 6);
    QCOMPARE(files->currentText(), QStringLiteral("!new.txt"));
}

void VocabularyTest::noDictionaryBeforeFirstGame()
{
    Drill d(win1251File({QStringLiteral("cat\tкошка")}));
    QVERIFY(d.window.NextTask());
    QCOMPARE(d.question(), QStringLiteral("dog"));
    QVERIFY(d.window.session().dictionary().DicLines.isEmpty());
    QCOMPARE(d.captions(), (QStringList{QStringLiteral("Option1"), QStringLiteral("Option2"),
                                        QStringLiteral("Option3"), QStringLiteral("Option4")}));
}

void VocabularyTest::tasksFollowDraws_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("reversed");

    const QStringList many = {QStringLiteral("cat\tкошка"),   QStringLiteral("dog\tсобака"),
                              QStringLiteral("cow\tкорова"),  QStringLiteral("hen\tкурица"),
                              QStringLiteral("pig\tсвинья"),  QStringLiteral("fox\tлиса"),
                              QStringLiteral("owl\tсова"),    QStringLiteral("bee\tпчела"),
                              QStringLiteral("ant\tмуравей"), QStringLiteral("elk\tлось")};
    QTest::addRow("one_entry_leaves_free_buttons")
        << QStringList{QStringLiteral("cat\tкошка")} << false;
    QTest::addRow("many_entries") << many << false;
    QTest::addRow("reversed_many_entries") << many << true;
    QTest::addRow("empty_answer_never_placed")
        << QStringList{QStringLiteral("nothing\t"), QStringLiteral("cat\tкошка")} << false;
}

// Several tasks in a row, each answered rightly: the window shows what the draw from the same
// seed gives, with free buttons marked.
void VocabularyTest::tasksFollowDraws()
{
    QFETCH(QStringList, entries);
    QFETCH(bool, reversed);

    Drill d(win1251File(entries), reversed);
    RandomGenerator random;
    random.seed(d.sandbox.platform.seed);
    d.start();
    QCOMPARE(d.window.session().dictionary().DicLines, entries);

    constexpr int Tasks = 6;
    for (int task = 0; task < Tasks; ++task) {
        const DictionaryTask expected = drawDictionaryTask(entries, reversed, random);
        QCOMPARE(d.question(), expected.question);
        QCOMPARE(d.window.session().dictionary().RightWord, expected.rightWord);
        QStringList captions;
        QStringList marks;
        for (const std::optional<QString> &option : expected.options) {
            captions << option.value_or(QString());
            marks << (option ? QString() : FreeMark);
        }
        QCOMPARE(d.captions(), captions);
        QCOMPARE(hints(d), marks);
        d.window.btOptionClick(d.rightButton());
        QCOMPARE(d.window.session().game().Answers, task + 1);
    }
}

void VocabularyTest::reverseTakesEffectAtNextTask()
{
    Drill d(utf16File({QStringLiteral("Haus\tдом"), QStringLiteral("Baum\tдерево")}));
    d.start();
    const QStringList before = d.captions();
    const QString rightBefore = d.window.session().dictionary().RightWord;
    QVERIFY(rightBefore == QStringLiteral("дом") || rightBefore == QStringLiteral("дерево"));

    d.find<QCheckBox>("cbReverse")->setChecked(true);
    QCOMPARE(d.captions(), before);
    QCOMPARE(d.window.session().dictionary().RightWord, rightBefore);

    d.window.btOptionClick(d.rightButton());
    const QString question = d.question();
    QVERIFY(question == QStringLiteral("дом") || question == QStringLiteral("дерево"));
    QCOMPARE(d.window.session().dictionary().RightWord,
             question == QStringLiteral("дом") ? QStringLiteral("Haus") : QStringLiteral("Baum"));
    QStringList words = d.captions();
    words.removeAll(QString());
    words.sort();
    QCOMPARE(words, (QStringList{QStringLiteral("Baum"), QStringLiteral("Haus")}));
}

void VocabularyTest::wordsAreShownAsPlainText()
{
    Drill d(win1251File({QStringLiteral("<b>bold</b>\t<img src=\"x.png\">")}));
    d.start();
    QCOMPARE(d.find<AutoSizeLabel>("lbTextPraxis")->textFormat(), Qt::PlainText);
    d.window.btOptionClick(d.wrongButton());
    d.window.btOptionClick(d.rightButton());
    QCOMPARE(d.labels().size(), std::size_t(1));
    QCOMPARE(d.labels().front()->textFormat(), Qt::PlainText);
    QCOMPARE(d.labels().front()->text(), QStringLiteral("<b>bold</b> - <img src=\"x.png\">"));
}

// An entry of a megabyte once froze the window for seconds while its text was laid out. The
// texts on screen are cut; the right answer is the text its button carries.
void VocabularyTest::longEntriesAreCutOnScreen()
{
    constexpr qsizetype Megabyte = 1 << 20;
    QStringList entries;
    for (const char16_t letter : {u'а', u'б', u'в'})
        entries << QString(Megabyte, QChar(letter)) + u'\t' + QString(Megabyte, QChar(letter));
    Drill d(win1251File(entries));
    d.start();

    const QString cut = QString(MaxShownLength - 1, d.question().front()) + QChar(ShownCutMark);
    QCOMPARE(d.question(), cut);
    QCOMPARE(d.window.session().dictionary().RightWord, cut);
    for (const QString &caption : d.captions())
        QVERIFY(caption.size() == MaxShownLength || caption.isEmpty());

    d.window.btOptionClick(d.wrongButton());
    d.window.btOptionClick(d.rightButton());
    QCOMPARE(d.labels().size(), std::size_t(1));
    QCOMPARE(d.labels().front()->text(), cut + QStringLiteral(" - ") + cut);
}

void VocabularyTest::wrongClicksThenRight()
{
    Drill d(win1251File({QStringLiteral("cat\tкошка"), QStringLiteral("dog\tсобака")}));
    d.start();
    const QString question = d.question();
    const QString right = d.window.session().dictionary().RightWord;
    const QStringList captions = d.captions();

    d.window.btOptionClick(d.wrongButton());
    d.window.btOptionClick(d.wrongButton());
    QCOMPARE(d.window.session().game().Mistakes, 200);
    QCOMPARE(d.find<ProgressBar>("prbMistakes")->position(), 200);
    QCOMPARE(d.window.session().game().Errors, 2);
    QVERIFY(d.window.session().task().TaskFailed);
    QCOMPARE(d.captions(), captions);
    QCOMPARE(d.question(), question);
    QVERIFY(d.labels().empty());

    d.window.btOptionClick(d.rightButton());
    QCOMPARE(d.window.session().game().Answers, 1);
    QCOMPARE(d.window.session().game().Score, 3);
    QCOMPARE(d.window.session().game().Mistakes, 200);
    QVERIFY(!d.window.session().task().TaskFailed);
    QCOMPARE(d.window.session().failedTasks().size(), 1);
    QCOMPARE(d.labels().size(), std::size_t(1));
    AutoSizeLabel *first = d.labels().front();
    QCOMPARE(first->objectName(), QStringLiteral("lbRightAnswer1"));
    QCOMPARE(first->text(), question + QStringLiteral(" - ") + right);
    QCOMPARE(first->pos(), QPoint(10, 125));
    QCOMPARE(first->font().family(), Typeface::Sans);
    QCOMPARE(first->font().pointSize(), 10);
    QVERIFY(first->font().bold());
    QVERIFY(!first->autoFillBackground());
    QVERIFY(first->isHidden());
    QCOMPARE(first->size(), first->sizeHint());
    // Drawn beneath the windowed controls, above the background and the task label.
    const QObjectList &children = d.window.children();
    QVERIFY(children.indexOf(first) > children.indexOf(d.find("lbTextPraxis")));
    QVERIFY(children.indexOf(first) < children.indexOf(d.find("redBox")));

    // A task answered rightly at once is not listed.
    d.window.btOptionClick(d.rightButton());
    QCOMPARE(d.labels().size(), std::size_t(1));

    d.window.btOptionClick(d.wrongButton());
    d.window.btOptionClick(d.rightButton());
    QCOMPARE(d.labels().size(), std::size_t(2));
    AutoSizeLabel *second = d.window.findChild<AutoSizeLabel *>(QStringLiteral("lbRightAnswer2"));
    QVERIFY(second);
    QCOMPARE(second->pos(), QPoint(10, 140));
    QVERIFY(second->isHidden());
    QCOMPARE(d.window.session().game().Errors, 3);
    QCOMPARE(d.window.session().game().Mistakes, 300);
}

void VocabularyTest::gameEndingOnWrongClickListsTask()
{
    Drill d(win1251File({QStringLiteral("cat\tкошка"), QStringLiteral("dog\tсобака")}));
    d.start();
    d.window.btOptionClick(d.wrongButton());
    d.window.btOptionClick(d.rightButton());
    const QString question = d.question();
    const QString right = d.window.session().dictionary().RightWord;
    WideButton *wrong = d.wrongButton();
    for (int i = 0; i < MistakesToEnd - 1; ++i)
        d.window.btOptionClick(wrong);
    QVERIFY(!d.window.isGameRunning());
    QCOMPARE(d.window.session().game().Errors, MistakesToEnd);
    QCOMPARE(d.sandbox.platform.pauses, std::vector<int>{1000});

    QCOMPARE(d.labels().size(), std::size_t(2));
    auto *last = d.window.findChild<AutoSizeLabel *>(QStringLiteral("lbRightAnswer2"));
    QVERIFY(last);
    QCOMPARE(last->text(), question + QStringLiteral(" - ") + right);
    QCOMPARE(last->pos(), QPoint(10, 140));
    for (AutoSizeLabel *label : d.labels())
        QVERIFY(!label->isHidden());
    for (int i = 0; i < OptionCount; ++i)
        QVERIFY(d.option(i)->isHidden());
}

void VocabularyTest::labelsFreedAtNextStart()
{
    Drill d(win1251File({QStringLiteral("cat\tкошка")}));
    d.start();
    for (int i = 0; i < MistakesToEnd; ++i)
        d.window.btOptionClick(d.wrongButton());
    QCOMPARE(d.labels().size(), std::size_t(1));

    d.start();
    QVERIFY(d.labels().empty());
    QVERIFY(d.window.session().failedTasks().isEmpty());
    d.window.btOptionClick(d.wrongButton());
    d.window.btOptionClick(d.rightButton());
    QCOMPARE(d.labels().front()->objectName(), QStringLiteral("lbRightAnswer1"));
    QCOMPARE(d.labels().front()->pos(), QPoint(10, 125));
}

// After the end, or before any start, no click may count or end a game a second time.
void VocabularyTest::clicksOutsideGameDoNothing()
{
    Drill d(win1251File({QStringLiteral("cat\tкошка")}));
    d.window.btOptionClick(d.option(0));
    QCOMPARE(d.window.session().game().Errors, 0);
    QCOMPARE(d.window.session().game().Mistakes, 0);

    d.start();
    for (int i = 0; i < MistakesToEnd; ++i)
        d.window.btOptionClick(d.wrongButton());
    QVERIFY(!d.window.isGameRunning());
    for (int i = 0; i < OptionCount; ++i)
        d.window.btOptionClick(d.option(i));
    QCOMPARE(d.window.session().game().Errors, MistakesToEnd);
    QCOMPARE(d.window.session().game().Answers, 0);
    QCOMPARE(d.window.session().game().Mistakes, 1000);
    QCOMPARE(d.sandbox.platform.pauses.size(), std::size_t(1));
    QCOMPARE(d.labels().size(), std::size_t(1));
}

void VocabularyTest::zeroEntries_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::addRow("empty_file") << QByteArray();
    QTest::addRow("lines_without_tab") << QByteArray("Title\r\nword only\r\n\r\n");
    QTest::addRow("8bit_entry_on_first_line") << QByteArray("cat\tkoshka\r\n");
    QTest::addRow("utf16_mark_only") << QByteArray("\xFF\xFE", 2);
}

void VocabularyTest::zeroEntries()
{
    QFETCH(QByteArray, content);

    Drill d(content);
    d.start();
    QVERIFY(d.window.session().dictionary().DicLines.isEmpty());
    QCOMPARE(d.question(), QStringLiteral("dog"));
    const QStringList designCaptions = {QStringLiteral("Option1"), QStringLiteral("Option2"),
                                        QStringLiteral("Option3"), QStringLiteral("Option4")};
    QCOMPARE(d.captions(), designCaptions);
    QVERIFY(d.window.session().dictionary().RightWord.isEmpty());

    for (int i = 0; i < OptionCount; ++i) {
        QVERIFY(!d.option(i)->isHidden());
        d.window.btOptionClick(d.option(i));
    }
    QCOMPARE(d.window.session().game().Errors, 4);
    QCOMPARE(d.window.session().game().Mistakes, 400);
    QCOMPARE(d.window.session().game().Answers, 0);
    QCOMPARE(d.question(), QStringLiteral("dog"));
    QCOMPARE(d.captions(), designCaptions);
}

// With no entries the task never changes, so an answer left on a button stays right.
void VocabularyTest::earlierRightWordStaysRight()
{
    Drill d(win1251File({QStringLiteral("cat\tкошка")}));
    d.start();
    for (int i = 0; i < MistakesToEnd; ++i)
        d.window.btOptionClick(d.wrongButton());

    d.useDictionary(QByteArray("no entries\r\n"));
    d.start();
    QVERIFY(d.window.session().dictionary().DicLines.isEmpty());
    QCOMPARE(d.question(), QStringLiteral("dog"));
    QCOMPARE(d.window.session().dictionary().RightWord, QStringLiteral("кошка"));
    const int right = d.rightIndex();
    QVERIFY(right >= 0);
    d.window.btOptionClick(d.option(right));
    d.window.btOptionClick(d.option(right));
    QCOMPARE(d.window.session().game().Answers, 2);
    QCOMPARE(d.question(), QStringLiteral("dog"));
    d.window.btOptionClick(d.wrongButton());
    QCOMPARE(d.window.session().game().Errors, 1);
}

void VocabularyTest::unreadableDictionary_data()
{
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("replacement");

    // listed: the file in Dic when the kind is chosen (none when empty); replacement: what
    // takes its place before the start ("" removes it, "/" puts a folder there).
    QTest::addRow("empty_folder") << QString() << QString();
    QTest::addRow("file_removed_after_listing") << QStringLiteral("gone.txt") << QString();
    QTest::addRow("folder_in_place_of_file") << QStringLiteral("odd.txt") << QStringLiteral("/");
}

void VocabularyTest::unreadableDictionary()
{
    QFETCH(QString, listed);
    QFETCH(QString, replacement);

    Drill d;
    d.sandbox.makeFolder(QStringLiteral("Dic"));
    if (!listed.isEmpty())
        d.sandbox.writeFile(QStringLiteral("Dic/") + listed, "t\na\tb\n");
    d.selectForeignLanguage();
    const QString path = d.sandbox.path(QStringLiteral("Dic/") + listed);
    if (!listed.isEmpty()) {
        QVERIFY(QFile::remove(path));
        if (replacement == QStringLiteral("/"))
            d.sandbox.makeFolder(QStringLiteral("Dic/") + listed);
    }

    guarded([&] { d.window.btStartClick(); });
    QCOMPARE(d.sandbox.platform.errors.size(), 1);
    QVERIFY2(d.sandbox.platform.errors.front().contains(path),
             qPrintable(d.sandbox.platform.errors.front()));
    QVERIFY(!d.window.isGameRunning());
    QVERIFY(d.window.session().dictionary().DicLines.isEmpty());
    QCOMPARE(d.window.session().game().Mistakes, 0);
    QVERIFY(d.find("edAnswer")->isHidden());
    QVERIFY(!d.find("btStart")->isHidden());
    QVERIFY(d.find("cmbAction")->isEnabled());
    for (int i = 0; i < OptionCount; ++i)
        QVERIFY(d.option(i)->isHidden());
}

void VocabularyTest::keysClickOptions_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("button"); // -1: no click

    for (int n = 1; n <= OptionCount; ++n) {
        QTest::addRow("main_keyboard_%d", n) << int(Qt::Key_0) + n << int(Qt::NoModifier) << n - 1;
        QTest::addRow("keypad_%d", n) << int(Qt::Key_0) + n << int(Qt::KeypadModifier) << n - 1;
    }
    QTest::addRow("control_1") << int(Qt::Key_1) << int(Qt::ControlModifier) << -1;
    QTest::addRow("alt_2") << int(Qt::Key_2) << int(Qt::AltModifier) << -1;
    QTest::addRow("key_0") << int(Qt::Key_0) << int(Qt::NoModifier) << -1;
    QTest::addRow("key_5") << int(Qt::Key_5) << int(Qt::NoModifier) << -1;
    QTest::addRow("keypad_5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << -1;
    QTest::addRow("letter_a") << int(Qt::Key_A) << int(Qt::NoModifier) << -1;
}

void VocabularyTest::keysClickOptions()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, button);

    Drill d(win1251File({QStringLiteral("cat\tкошка")}));
    d.start();
    const int right = d.rightIndex();
    QTest::keyClick(&d.window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(d.window.session().game().Answers, button >= 0 && button == right ? 1 : 0);
    QCOMPARE(d.window.session().game().Errors, button >= 0 && button != right ? 1 : 0);

    // A held key answers once.
    const int answers = d.window.session().game().Answers;
    const int errors = d.window.session().game().Errors;
    QKeyEvent repeat(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString(), true);
    QApplication::sendEvent(&d.window, &repeat);
    QCOMPARE(d.window.session().game().Answers, answers);
    QCOMPARE(d.window.session().game().Errors, errors);
}

void VocabularyTest::keysFromFocusedControls_data()
{
    QTest::addColumn<QString>("focused");

    QTest::addRow("option_button") << QStringLiteral("btOption1");
    QTest::addRow("reverse_box") << QStringLiteral("cbReverse");
    QTest::addRow("records_button") << QStringLiteral("btHiscore");
}

// Keys reach the window from whichever control holds the focus, as the child plays.
void VocabularyTest::keysFromFocusedControls()
{
    QFETCH(QString, focused);

    Drill d(win1251File({QStringLiteral("cat\tкошка")}));
    d.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.window));
    d.start();
    auto *control = d.window.findChild<QWidget *>(focused);
    QVERIFY(control);
    const int right = d.rightIndex();
    const int wrong = (right + 1) % OptionCount;
    QTest::keyClick(control, Qt::Key(Qt::Key_1 + wrong));
    QCOMPARE(d.window.session().game().Errors, 1);
    QTest::keyClick(control, Qt::Key(Qt::Key_1 + right));
    QCOMPARE(d.window.session().game().Answers, 1);
}

// The child clicks "Старт" and plays on with the keys alone.
void VocabularyTest::keysAfterStartWithMouse()
{
    Drill d(win1251File({QStringLiteral("cat\tкошка")}));
    d.window.show();
    d.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d.window));
    QTest::mouseClick(d.find("btStart"), Qt::LeftButton);
    QVERIFY(d.window.isGameRunning());
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    const int right = d.rightIndex();
    QTest::keyClick(focus, Qt::Key(Qt::Key_1 + right));
    // The digits must not reach cmbDicFiles, whose item search would take them.
    QCOMPARE(d.window.session().game().Answers, 1);
    QCOMPARE(d.find<QComboBox>("cmbDicFiles")->currentText(), FileName);
}

void VocabularyTest::keysOutsideDictionaryGame()
{
    Drill d(win1251File({QStringLiteral("cat\tкошка")}));
    QTest::keyClick(&d.window, Qt::Key_1);
    QCOMPARE(d.window.session().game().Errors, 0);

    // In an arithmetic game digits are typed into the answer box, never clicked.
    d.find<QComboBox>("cmbAction")->setCurrentIndex(0);
    d.window.cmbActionChange();
    d.window.btStartClick();
    QVERIFY(d.window.isGameRunning());
    for (int key = Qt::Key_1; key <= Qt::Key_4; ++key)
        QTest::keyClick(&d.window, Qt::Key(key));
    QCOMPARE(d.window.session().game().Errors, 0);
    QCOMPARE(d.window.session().game().Answers, 0);
    QTest::keyClick(d.find("edAnswer"), Qt::Key_2);
    QCOMPARE(d.find<QLineEdit>("edAnswer")->text(), QStringLiteral("2"));
}

void VocabularyTest::categoryCodeFollowsControls()
{
    const QString name = QStringLiteral("Английский.txt");
    Drill d;
    d.useDictionary(win1251File({QStringLiteral("cat\tкошка")}), name);
    const qint32 hash = NameHash(toWin1251(name));
    QCOMPARE(d.window.CategoryCode(), qint32(7 + 100 * quint32(hash)));
    d.start();
    // Read as the controls stand, so a change during the game counts at its end.
    d.find<QCheckBox>("cbReverse")->setChecked(true);
    QCOMPARE(d.window.CategoryCode(), qint32(7 + 100 * quint32(hash) + 98700));
}

QTEST_MAIN(VocabularyTest)
#include "tst_vocabulary.moc"
