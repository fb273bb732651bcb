// SPDX-License-Identifier: GPL-3.0-or-later
// The vocabulary drill as the window shows it: the dictionary controls, the tasks on the option
// buttons, clicks and keys, the labels of tasks first answered wrongly, a dictionary without
// entries, and files that cannot be read. The rules of the drill are the session's
// (tst_drillsession) and the draws' (tst_dictionarytask).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "main/rules/Dictionary.h"
#include "main/rules/DictionaryTask.h"
#include "rules/Win1251.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
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
        return control<Control>(window, name);
    }

    void useDictionary(const QByteArray &content, const QString &name = FileName)
    {
        sandbox.writeFile(QStringLiteral("Dic/") + name, content);
        selectForeignLanguage();
    }

    void selectForeignLanguage() { selectKind(window, ExerciseKind::ForeignLanguage); }

    void start()
    {
        window.btStartClick();
        if (!window.isGameRunning())
            qFatal("the game did not start");
    }

    WideButton *option(int index) const
    {
        return find<WideButton>(qPrintable(QStringLiteral("btOption%1").arg(index + 1)));
    }

    QStringList captions() const
    {
        QStringList texts;
        for (int i = 0; i < OptionCount; ++i)
            texts << option(i)->text();
        return texts;
    }

    int rightIndex() const { return captions().indexOf(window.session().dictionary().RightWord); }
    WideButton *rightButton() const { return &rightOption(window); }
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

} // namespace

class VocabularyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    void kindSwitchesControls();
    void folderListing();
    void wordListsWhenTheListOpens();
    void tasksOnTheButtons();
    void wordsAreShownAsPlainText();
    void longEntriesAreCutOnScreen();
    void wrongClicksThenRight();
    void gameEndingOnWrongClickListsTask();
    void labelsFreedAtNextStart();
    void zeroEntries();
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

    selectKind(d.window, ExerciseKind::Multiplication);
    for (const char *range : {"lbMin", "lbMax", "edMin", "edMax"})
        QVERIFY2(!d.find(range)->isHidden(), range);
    QVERIFY(d.find("cmbDicFiles")->isHidden());
    QVERIFY(d.find("cbReverse")->isHidden());
}

// Every switch to the kind lists the folder afresh and selects the first file again.
void VocabularyTest::folderListing()
{
    Drill d;
    d.sandbox.writeFile(QStringLiteral("Dic/b.txt"), "t\na\tb\n");
    d.sandbox.makeFolder(QStringLiteral("Dic/sub folder"));
    d.selectForeignLanguage();
    auto *files = d.find<QComboBox>("cmbDicFiles");
    QCOMPARE(files->count(), 1);
    QCOMPARE(files->currentText(), QStringLiteral("b.txt"));

    d.sandbox.writeFile(QStringLiteral("Dic/!new.txt"), "t\na\tb\n");
    d.selectForeignLanguage();
    QCOMPARE(files->count(), 2);
    QCOMPARE(files->currentText(), QStringLiteral("!new.txt"));
}

// The system's word lists are read only when the list is first opened after a switch, and keep
// the selection; with no file of its own they come at once, the first selected.
void VocabularyTest::wordListsWhenTheListOpens()
{
    Drill d;
    for (const char *own : {"Dic/b.txt", "Dic/c.txt"})
        d.sandbox.writeFile(QString::fromLatin1(own), "t\na\tb\n");
    d.sandbox.writeFile(QStringLiteral("kvtml/de/animals.kvtml"),
                        "<translation id=\"1\"><text>Tier</text></translation>");
    d.sandbox.platform.wordLists = d.sandbox.path(QStringLiteral("kvtml/"));
    auto *files = d.find<QComboBox>("cmbDicFiles");
    const auto texts = [files] {
        QStringList shown;
        for (int i = 0; i < files->count(); ++i)
            shown << files->itemText(i);
        return shown.join(QLatin1Char(' '));
    };
    for (int switches = 0; switches < 2; ++switches) {
        d.selectForeignLanguage();
        QCOMPARE(texts(), QStringLiteral("b.txt c.txt"));
        files->setCurrentIndex(1);
        for (int openings = 0; openings < 2; ++openings) {
            files->showPopup();
            files->hidePopup();
            QCOMPARE(texts(), QStringLiteral("b.txt c.txt de/animals.kvtml"));
            QCOMPARE(files->currentText(), QStringLiteral("c.txt"));
        }
    }
    for (const char *own : {"Dic/b.txt", "Dic/c.txt"})
        QVERIFY(QFile::remove(d.sandbox.path(QString::fromLatin1(own))));
    d.selectForeignLanguage();
    QCOMPARE(texts(), QStringLiteral("de/animals.kvtml"));
    QCOMPARE(files->currentIndex(), 0);
}

// Task after task, answered rightly: the question is one entry's, its answer is on one button,
// every other text is another entry's answer, and a button without a text is marked free.
void VocabularyTest::tasksOnTheButtons()
{
    const QStringList entries = {QStringLiteral("cat\tкошка"), QStringLiteral("dog\tсобака"),
                                 QStringLiteral("cow\tкорова")};
    constexpr bool reversed = true;
    Drill d(win1251File(entries), reversed);
    d.start();
    for (int task = 1; task <= 6; ++task) {
        QStringList answers;
        QString right;
        for (const QString &entry : std::as_const(entries)) {
            const QString word = entry.section(u'\t', 0, 0);
            const QString translation = entry.section(u'\t', 1);
            answers << (reversed ? word : translation);
            if (d.question() == (reversed ? translation : word))
                right = answers.last();
        }
        const QStringList shown = d.captions();
        QCOMPARE(shown.count(right), 1);
        for (int i = 0; i < OptionCount; ++i) {
            QCOMPARE(d.option(i)->hint(), shown[i].isEmpty() ? FreeMark : QString());
            QVERIFY(shown[i].isEmpty() ||
                    (answers.contains(shown[i]) && shown.count(shown[i]) == 1));
        }
        d.window.btOptionClick(d.option(int(shown.indexOf(right))));
        QCOMPARE(d.window.session().game().Answers, task);
    }
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
    QCOMPARE(d.find<ProgressBar>("prbMistakes")->position(), 200);
    QCOMPARE(d.captions(), captions);
    QCOMPARE(d.question(), question);
    QVERIFY(d.labels().empty());

    d.window.btOptionClick(d.rightButton());
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
    QCOMPARE(d.sandbox.platform.pauses, std::vector<int>{1000});
    // Clicks after the end run no second end.
    for (int i = 0; i < OptionCount; ++i)
        d.window.btOptionClick(d.option(i));
    QCOMPARE(d.sandbox.platform.pauses.size(), std::size_t(1));

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
    d.window.btOptionClick(d.wrongButton());
    d.window.btOptionClick(d.rightButton());
    QCOMPARE(d.labels().front()->objectName(), QStringLiteral("lbRightAnswer1"));
    QCOMPARE(d.labels().front()->pos(), QPoint(10, 125));
}

// At the first game, the buttons keep their design captions, and the task never changes.
void VocabularyTest::zeroEntries()
{
    Drill d(QByteArray("Title\r\nword only\r\n\r\n"));
    d.start();
    QCOMPARE(d.question(), QStringLiteral("dog"));
    const QStringList designCaptions = {QStringLiteral("Option1"), QStringLiteral("Option2"),
                                        QStringLiteral("Option3"), QStringLiteral("Option4")};
    QCOMPARE(d.captions(), designCaptions);
    for (int i = 0; i < OptionCount; ++i) {
        QVERIFY(!d.option(i)->isHidden());
        d.window.btOptionClick(d.option(i));
    }
    QCOMPARE(d.window.session().game().Errors, 4);
    QCOMPARE(d.question(), QStringLiteral("dog"));
    QCOMPARE(d.captions(), designCaptions);
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
    selectKind(d.window, ExerciseKind::Addition);
    d.window.btStartClick();
    QVERIFY(d.window.isGameRunning());
    for (int key = Qt::Key_1; key <= Qt::Key_4; ++key)
        QTest::keyClick(&d.window, Qt::Key(key));
    QCOMPARE(d.window.session().game().Errors, 0);
    QCOMPARE(d.window.session().game().Answers, 0);
    QTest::keyClick(d.find("edAnswer"), Qt::Key_2);
    QCOMPARE(d.find<QLineEdit>("edAnswer")->text(), QStringLiteral("2"));
}

// Read as the controls stand, so a change of direction during the game counts at its end.
void VocabularyTest::categoryCodeFollowsControls()
{
    Drill d;
    d.useDictionary(win1251File({QStringLiteral("cat\tкошка")}), QStringLiteral("abc"));
    QCOMPARE(d.window.CategoryCode(), 9635407);
    d.start();
    d.find<QCheckBox>("cbReverse")->setChecked(true);
    QCOMPARE(d.window.CategoryCode(), 9734107);
}
QTEST_MAIN(VocabularyTest)
#include "tst_vocabulary.moc"
