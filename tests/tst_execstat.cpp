// SPDX-License-Identifier: GPL-3.0-or-later
// Control state that survives a restart: the kinds of control kept and how each is read back,
// the walk over a window's controls in creation order, and the main window's own settings
// file (the example run's ten lines, a restart, hand-edited values, a file that cannot be
// written, the dictionary list after a restart).
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#include "ExecStat/ExecStat.h"
#include "ExecStat/rules/IniFile.h"
#include "rules/Error.h"
#include "rules/Win1251.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "tests/support/TestPictures.h"
#include "ui/ApplicationSetup.h"
#include "ui/PictureBox.h"

namespace {

const QString FormSection = QStringLiteral("Form");

// A window with one control of each kind kept, spread over a panel, and controls that are not
// kept: a label, an unnamed edit box, and the line edit a spin box holds inside.
struct TestForm {
    QWidget window;
    QFrame *panel = new QFrame(&window);
    QLineEdit *edText = new QLineEdit(panel);
    QSpinBox *udCount = new QSpinBox(&window);
    QComboBox *cmbList = new QComboBox(&window);
    QCheckBox *cbFlag = new QCheckBox(panel);
    QLabel *lbCaption = new QLabel(&window);
    QLineEdit *unnamed = new QLineEdit(&window);

    TestForm()
    {
        panel->setObjectName(QStringLiteral("paPanel"));
        edText->setObjectName(QStringLiteral("edText"));
        udCount->setObjectName(QStringLiteral("udCount"));
        udCount->setRange(-100000, 100000);
        cmbList->setObjectName(QStringLiteral("cmbList"));
        cmbList->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        cbFlag->setObjectName(QStringLiteral("cbFlag"));
        lbCaption->setObjectName(QStringLiteral("lbCaption"));
        // A state unlike any value the tests load.
        edText->setText(QStringLiteral("design"));
        udCount->setValue(5);
        cmbList->setCurrentIndex(1);
        cbFlag->setChecked(true);
        unnamed->setText(QStringLiteral("unnamed"));
    }
};

QString settingsPath(const AppSandbox &sandbox)
{
    return sandbox.path(QStringLiteral("SaveStat.ini"));
}

QColor shownColour(const TfmMain &window)
{
    const QImage shown = control<PictureBox>(window, "BkgImage")->shownPixmap().toImage();
    return shown.pixelColor(shown.width() / 2, shown.height() / 2);
}

const QByteArray ExampleRunFile = "[SaveStat]\r\n"
                                  "cmbAction=3\r\n"
                                  "edMin=2\r\n"
                                  "edMax=9\r\n"
                                  "cmbDicFiles=-1\r\n"
                                  "cbReverse=False\r\n"
                                  "edAnswer=\r\n"
                                  "edLastName=Player\r\n"
                                  "edNameLastWallpaper=\r\n"
                                  "cbSound=True\r\n";

} // namespace

class ExecStatTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    // Any window
    void savesEachKindInCreationOrder();
    void loading_data();
    void loading();
    void emptyValueKeepsTheState();
    void loadingRaisesNoUserChange();
    void letterValueStopsTheLoad();

    // The main window
    void exampleRunWritesTenLines();
    void restartRestoresTheChoices_data();
    void restartRestoresTheChoices();
    void emptiedRangeBoxGetsItsDesignTextBack();
    void handWrittenValues_data();
    void handWrittenValues();
    void lettersInKindStopTheRestore();
    void saveKeepsOtherSectionsAndKeys();
    void unwritableSettingsFileIsReported();
    void unreadableSettingsFileIsKept_data();
    void unreadableSettingsFileIsKept();
    void firstDictionaryFileAfterRestart();
};

void ExecStatTest::savesEachKindInCreationOrder()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("form.ini"));
    TestForm form;
    form.udCount->setValue(40000); // beyond a 16-bit position
    SaveFormState(form.window, file, FormSection);

    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("[Form]\r\n"
                                           "edText=design\r\n"
                                           "cbFlag=True\r\n"
                                           "udCount=32767\r\n"
                                           "cmbList=1\r\n"));
}

void ExecStatTest::loading_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("checked");

    QTest::addRow("edit_text") << "edText"
                               << "Маша"
                               << "Маша" << 5 << 1 << true;
    QTest::addRow("edit_text_with_blanks") << "edText"
                                           << "\" a \""
                                           << " a " << 5 << 1 << true;
    QTest::addRow("spin_position") << "udCount"
                                   << "-7"
                                   << "design" << -7 << 1 << true;
    QTest::addRow("spin_hex_position") << "udCount"
                                       << "$10"
                                       << "design" << 16 << 1 << true;
    QTest::addRow("spin_beyond_16_bits_held") << "udCount"
                                              << "70000"
                                              << "design" << 32767 << 1 << true;
    QTest::addRow("list_index") << "cmbList"
                                << "2"
                                << "design" << 5 << 2 << true;
    QTest::addRow("list_minus_one_selects_nothing") << "cmbList"
                                                    << "-1"
                                                    << "design" << 5 << -1 << true;
    QTest::addRow("list_index_past_the_end") << "cmbList"
                                             << "3"
                                             << "design" << 5 << -1 << true;
    QTest::addRow("list_index_below_minus_one") << "cmbList"
                                                << "-2"
                                                << "design" << 5 << -1 << true;
    QTest::addRow("check_True") << "cbFlag"
                                << "True"
                                << "design" << 5 << 1 << true;
    QTest::addRow("check_False") << "cbFlag"
                                 << "False"
                                 << "design" << 5 << 1 << false;
    QTest::addRow("check_small_letters_unchecks") << "cbFlag"
                                                  << "true"
                                                  << "design" << 5 << 1 << false;
    QTest::addRow("check_capitals_unchecks") << "cbFlag"
                                             << "TRUE"
                                             << "design" << 5 << 1 << false;
    QTest::addRow("check_anything_else_unchecks") << "cbFlag"
                                                  << "1"
                                                  << "design" << 5 << 1 << false;
    QTest::addRow("label_not_restored") << "lbCaption"
                                        << "x"
                                        << "design" << 5 << 1 << true;
    QTest::addRow("spin_inner_edit_not_restored") << "qt_spinbox_lineedit"
                                                  << "99"
                                                  << "design" << 5 << 1 << true;
}

void ExecStatTest::loading()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(bool, checked);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("form.ini"));
    {
        QFile ini(file);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QByteArray("[Form]\r\n") + toWin1251(key) + '=' + toWin1251(value) + "\r\n");
    }
    TestForm form;
    LoadFormState(form.window, file, FormSection);

    QCOMPARE(form.edText->text(), text);
    QCOMPARE(form.udCount->value(), count);
    QCOMPARE(form.cmbList->currentIndex(), index);
    QCOMPARE(form.cbFlag->isChecked(), checked);
    QCOMPARE(form.unnamed->text(), QStringLiteral("unnamed"));
}

void ExecStatTest::emptyValueKeepsTheState()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("form.ini"));
    QFile ini(file);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Form]\r\nedText=\r\nudCount=\r\ncmbList=\r\ncbFlag=\r\n");
    ini.close();

    TestForm form;
    LoadFormState(form.window, file, FormSection);
    QCOMPARE(form.edText->text(), QStringLiteral("design"));
    QCOMPARE(form.udCount->value(), 5);
    QCOMPARE(form.cmbList->currentIndex(), 1);
    QVERIFY(form.cbFlag->isChecked());
}

void ExecStatTest::loadingRaisesNoUserChange()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("form.ini"));
    QFile ini(file);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Form]\r\nedText=x\r\ncmbList=2\r\ncbFlag=False\r\n");
    ini.close();

    TestForm form;
    QSignalSpy edited(form.edText, &QLineEdit::textEdited);
    QSignalSpy activated(form.cmbList, &QComboBox::activated);
    QSignalSpy clicked(form.cbFlag, &QCheckBox::clicked);
    LoadFormState(form.window, file, FormSection);
    QCOMPARE(form.cmbList->currentIndex(), 2);
    QCOMPARE(edited.count(), 0);
    QCOMPARE(activated.count(), 0);
    QCOMPARE(clicked.count(), 0);
}

void ExecStatTest::letterValueStopsTheLoad()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("form.ini"));
    QFile ini(file);
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Form]\r\nedText=before\r\ncbFlag=False\r\nudCount=abc\r\ncmbList=2\r\n");
    ini.close();

    TestForm form;
    QString message;
    try {
        LoadFormState(form.window, file, FormSection);
    } catch (const Error &e) {
        message = e.message();
    }
    QCOMPARE(message, QStringLiteral("'abc' is not a valid integer value"));
    QCOMPARE(form.edText->text(), QStringLiteral("before"));
    QVERIFY(!form.cbFlag->isChecked());
    QCOMPARE(form.udCount->value(), 5);
    QCOMPARE(form.cmbList->currentIndex(), 1); // after the failing key: not restored
}

void ExecStatTest::exampleRunWritesTenLines()
{
    AppSandbox sandbox;
    {
        TfmMain window;
        selectKind(window, ExerciseKind::Multiplication);
        setRange(window, QStringLiteral("2"), QStringLiteral("9"));
        control<QCheckBox>(window, "cbSound")->setChecked(true);
    }
    QCOMPARE(sandbox.readFile(QStringLiteral("SaveStat.ini")), ExampleRunFile);
    QCOMPARE(sandbox.platform.errors, QStringList());
}

void ExecStatTest::restartRestoresTheChoices_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("minText");
    QTest::addColumn<QString>("maxText");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QString>("lastName");
    QTest::addColumn<QString>("wallpaper");

    QTest::addRow("addition_green") << int(ExerciseKind::Addition) << "5"
                                    << "50" << false << true << "Петя"
                                    << "green.jpg";
    QTest::addRow("division_red") << int(ExerciseKind::Division) << "2"
                                  << "10" << true << false << "Маша"
                                  << "red.jpg";
    QTest::addRow("any_operation_blue") << int(ExerciseKind::AnyOperation) << "1"
                                        << "100" << true << true << "Ann Lee"
                                        << "blue.jpg";
}

void ExecStatTest::restartRestoresTheChoices()
{
    QFETCH(int, kind);
    QFETCH(QString, minText);
    QFETCH(QString, maxText);
    QFETCH(bool, reverse);
    QFETCH(bool, sound);
    QFETCH(QString, lastName);
    QFETCH(QString, wallpaper);

    AppSandbox sandbox;
    const std::map<QString, QColor> pictures = {{QStringLiteral("red.jpg"), Qt::red},
                                                {QStringLiteral("green.jpg"), Qt::green},
                                                {QStringLiteral("blue.jpg"), Qt::blue}};
    for (const auto &[name, colour] : pictures)
        sandbox.writeFile(QStringLiteral("Img/") + name, solidJpeg(colour));
    {
        TfmMain window;
        selectKind(window, static_cast<ExerciseKind>(kind));
        setRange(window, minText, maxText);
        control<QCheckBox>(window, "cbReverse")->setChecked(reverse);
        control<QCheckBox>(window, "cbSound")->setChecked(sound);
        control<QLineEdit>(window, "edLastName")->setText(lastName);
        control<QLineEdit>(window, "edNameLastWallpaper")->setText(wallpaper);
    }

    TfmMain restarted;
    QCOMPARE(int(restarted.exerciseKind()), kind);
    QCOMPARE(control<QLineEdit>(restarted, "edMin")->text(), minText);
    QCOMPARE(control<QLineEdit>(restarted, "edMax")->text(), maxText);
    QCOMPARE(control<QCheckBox>(restarted, "cbReverse")->isChecked(), reverse);
    QCOMPARE(control<QCheckBox>(restarted, "cbSound")->isChecked(), sound);
    QCOMPARE(control<QLineEdit>(restarted, "edLastName")->text(), lastName);
    QCOMPARE(control<QLineEdit>(restarted, "edNameLastWallpaper")->text(), wallpaper);
    QVERIFY2(nearColour(shownColour(restarted), pictures.at(wallpaper)),
             qPrintable(shownColour(restarted).name()));
    QCOMPARE(sandbox.platform.errors, QStringList());
}

void ExecStatTest::emptiedRangeBoxGetsItsDesignTextBack()
{
    AppSandbox sandbox;
    {
        TfmMain window;
        setRange(window, QString(), QString());
    }
    TfmMain restarted;
    QCOMPARE(control<QLineEdit>(restarted, "edMin")->text(), QStringLiteral("1"));
    QCOMPARE(control<QLineEdit>(restarted, "edMax")->text(), QStringLiteral("30"));
}

void ExecStatTest::handWrittenValues_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("sound");

    QTest::addRow("sound_True") << QByteArray("cbSound=True") << -1 << true;
    QTest::addRow("sound_true_unchecks") << QByteArray("cbSound=true") << -1 << false;
    QTest::addRow("sound_TRUE_unchecks") << QByteArray("cbSound=TRUE") << -1 << false;
    QTest::addRow("kind_7") << QByteArray("cmbAction=7") << 7 << false;
    QTest::addRow("kind_hex") << QByteArray("cmbAction=$3") << 3 << false;
    QTest::addRow("kind_8_selects_none") << QByteArray("cmbAction=8") << -1 << false;
    QTest::addRow("kind_minus_2_selects_none") << QByteArray("cmbAction=-2") << -1 << false;
    QTest::addRow("key_of_any_case") << QByteArray("CMBACTION=2") << 2 << false;
}

void ExecStatTest::handWrittenValues()
{
    QFETCH(QByteArray, line);
    QFETCH(int, kind);
    QFETCH(bool, sound);

    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("SaveStat.ini"), "[SaveStat]\n" + line + "\n");
    TfmMain window;
    QCOMPARE(int(window.exerciseKind()), kind);
    QCOMPARE(control<QCheckBox>(window, "cbSound")->isChecked(), sound);
    QCOMPARE(sandbox.platform.errors, QStringList());
}

void ExecStatTest::lettersInKindStopTheRestore()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("SaveStat.ini"),
                      QByteArray(ExampleRunFile)
                          .replace("cmbAction=3", "cmbAction=abc")
                          .replace("edLastName=Player", "edLastName=Ann"));
    TfmMain window;
    QCOMPARE(sandbox.platform.errors,
             QStringList{QStringLiteral("'abc' is not a valid integer value.")});
    QCOMPARE(int(window.exerciseKind()), -1);
    QCOMPARE(control<QLineEdit>(window, "edMin")->text(), QStringLiteral("1"));
    QCOMPARE(control<QLineEdit>(window, "edMax")->text(), QStringLiteral("30"));
    QCOMPARE(control<QLineEdit>(window, "edLastName")->text(), QStringLiteral("Player"));
    QVERIFY(!control<QCheckBox>(window, "cbSound")->isChecked());
}

void ExecStatTest::saveKeepsOtherSectionsAndKeys()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("SaveStat.ini"), "; written by hand\n"
                                                      "[Other]\n"
                                                      "edMin=77\n"
                                                      "\n"
                                                      "[SaveStat]\n"
                                                      "cbSound=False\n"
                                                      "edGone=old control\n"
                                                      "edMin=3\n");
    {
        TfmMain window;
        control<QCheckBox>(window, "cbSound")->setChecked(true);
    }
    QCOMPARE(sandbox.readFile(QStringLiteral("SaveStat.ini")),
             QByteArray("; written by hand\n"
                        "[Other]\n"
                        "edMin=77\n"
                        "\n"
                        "[SaveStat]\n"
                        "cbSound=True\r\n"
                        "edGone=old control\n"
                        // Its value did not change: the line stays as it was written.
                        "edMin=3\n"
                        "cmbAction=-1\r\n"
                        "edMax=30\r\n"
                        "cmbDicFiles=-1\r\n"
                        "cbReverse=False\r\n"
                        "edAnswer=\r\n"
                        "edLastName=Player\r\n"
                        "edNameLastWallpaper=\r\n"));
}

void ExecStatTest::unwritableSettingsFileIsReported()
{
    AppSandbox sandbox;
    // The program's folder is a regular file: nothing can be created in it, not even by root.
    sandbox.writeFile(QStringLiteral("blocker"), "x");
    sandbox.platform.exePath = sandbox.path(QStringLiteral("blocker/Tovelo2"));
    {
        TfmMain window;
        QCOMPARE(sandbox.platform.errors, QStringList());
    }
    QCOMPARE(sandbox.platform.errors,
             QStringList{QStringLiteral("Unable to write to %1.")
                             .arg(sandbox.path(QStringLiteral("blocker/SaveStat.ini")))});
}

void ExecStatTest::unreadableSettingsFileIsKept_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("reason");

    QTest::addRow("folder_in_place") << true << QStringLiteral("это папка");
    QTest::addRow("over_the_size_limit") << false << QStringLiteral("файл слишком велик");
}

// Reported at the start and at the exit, and never written over.
void ExecStatTest::unreadableSettingsFileIsKept()
{
    QFETCH(bool, folder);
    QFETCH(QString, reason);

    AppSandbox sandbox;
    const QByteArray tooLarge = "[SaveStat]\r\n" + QByteArray(IniFile::MaxFileBytes - 11, ';');
    if (folder)
        sandbox.makeFolder(QStringLiteral("SaveStat.ini/data"));
    else
        sandbox.writeFile(QStringLiteral("SaveStat.ini"), tooLarge);
    const QString expected = settingsPath(sandbox) + QStringLiteral(": ") + reason;
    {
        TfmMain window;
        QCOMPARE(sandbox.platform.errors.size(), 1);
    }
    QCOMPARE(sandbox.platform.errors.size(), 2);
    for (const QString &error : std::as_const(sandbox.platform.errors))
        QVERIFY2(error.contains(expected), qPrintable(error));
    if (folder)
        QVERIFY(QFileInfo::exists(sandbox.path(QStringLiteral("SaveStat.ini/data"))));
    else
        QCOMPARE(sandbox.readFile(QStringLiteral("SaveStat.ini")), tooLarge);
}

void ExecStatTest::firstDictionaryFileAfterRestart()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Dic/animals.txt"), "dog\tсобака\r\ncat\tкошка\r\n");
    sandbox.writeFile(QStringLiteral("Dic/colours.txt"), "red\tкрасный\r\nblue\tсиний\r\n");
    {
        TfmMain window;
        selectKind(window, ExerciseKind::ForeignLanguage);
        auto *files = control<QComboBox>(window, "cmbDicFiles");
        QCOMPARE(files->count(), 2);
        files->setCurrentIndex(1);
    }
    QVERIFY(sandbox.readFile(QStringLiteral("SaveStat.ini")).contains("cmbDicFiles=1\r\n"));

    TfmMain restarted;
    QCOMPARE(restarted.exerciseKind(), ExerciseKind::ForeignLanguage);
    const auto *files = control<QComboBox>(restarted, "cmbDicFiles");
    QVERIFY(files->isVisibleTo(&restarted));
    QCOMPARE(files->currentIndex(), 0);
    QCOMPARE(files->currentText(), QStringLiteral("animals.txt"));
}

QTEST_MAIN(ExecStatTest)
#include "tst_execstat.moc"
