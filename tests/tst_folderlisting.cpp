// SPDX-License-Identifier: GPL-3.0-or-later
// The listings of Dic, Img and Sound/Bad and what the window does with them: only regular files
// are listed, links followed; names come in a stable case-insensitive order; a name of any bytes
// is shown readable (Windows-1251 when it is not UTF-8) and opened by its real bytes.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <string>

#include "rules/RegularFile.h"
#include "rules/Win1251.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/TestPictures.h"
#include "tests/support/UnusualFiles.h"
#include "ui/ApplicationSetup.h"
#include "ui/FolderListing.h"
#include "ui/PictureBox.h"

namespace {

// A file whose name is the given bytes, which QFile could not name. It is removed when the
// object goes, since QTemporaryDir cannot remove such a name either.
class NativeFile {
public:
    NativeFile(const QString &folder, const QByteArray &name, const QByteArray &content)
        : m_path((QFile::encodeName(folder) + '/' + name).toStdString())
    {
        std::ofstream out(m_path, std::ios::binary);
        out.write(content.constData(), content.size());
    }
    ~NativeFile() { std::remove(m_path.c_str()); }
    NativeFile(const NativeFile &) = delete;
    NativeFile &operator=(const NativeFile &) = delete;

private:
    std::string m_path;
};

QStringList shownNames(const std::vector<ListedFile> &files)
{
    QStringList names;
    for (const ListedFile &file : files)
        names << file.name;
    return names;
}

QByteArray readListed(const ListedFile &file)
{
    QFile opened;
    constexpr qint64 Enough = 1 << 20;
    return openRegularFile(opened, file.path, QIODevice::ReadOnly, Enough) ? opened.readAll()
                                                                           : QByteArray();
}

QByteArray dictionaryText()
{
    return toWin1251(QStringLiteral("Слова\r\ncat\tкошка\r\ndog\tсобака\r\nsun\tсолнце\r\n"));
}

} // namespace

class FolderListingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    // Special files
    void onlyRegularFilesListed_data();
    void onlyRegularFilesListed();
    // Order and pattern
    void orderAndPattern();
    // Names
    void namesOfAnyBytes_data();
    void namesOfAnyBytes();
    void dictionaryNamedInWindows1251Plays();
    void pictureNamedInWindows1251IsShown();
    void soundWithUndecodableNameLeftOut();
};

void FolderListingTest::onlyRegularFilesListed_data()
{
    QTest::addColumn<Special>("kind");

    QTest::addRow("fifo") << Special::Fifo;
    QTest::addRow("socket") << Special::Socket;
    QTest::addRow("link_to_dev_zero") << Special::LinkToZero;
    QTest::addRow("link_to_dev_urandom") << Special::LinkToRandom;
    QTest::addRow("folder") << Special::Folder;
    QTest::addRow("broken_link") << Special::BrokenLink;
}

// The odd thing is named like a picture; a regular file and a link to one are listed beside it.
void FolderListingTest::onlyRegularFilesListed()
{
    QFETCH(Special, kind);

    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Img/a.jpg"), solidJpeg(Qt::red));
    QVERIFY(QFile::link(sandbox.path(QStringLiteral("Img/a.jpg")),
                        sandbox.path(QStringLiteral("Img/b.jpg"))));
    QVERIFY(makeSpecial(sandbox.path(QStringLiteral("Img/odd.jpg")), kind));

    const std::vector<ListedFile> files =
        listFolder(sandbox.path(QStringLiteral("Img/")), QStringLiteral("*.jpg"));
    QCOMPARE(shownNames(files), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));
}

void FolderListingTest::orderAndPattern()
{
    AppSandbox sandbox;
    for (const char *name : {"b.JPG", ".hidden.jpg", "A.jpg", "a.jpg", "c.jpeg", "Ё.jpg", "ё.jpg"})
        sandbox.writeFile(QStringLiteral("Img/") + QString::fromUtf8(name), "x");

    const std::vector<ListedFile> files =
        listFolder(sandbox.path(QStringLiteral("Img")), QStringLiteral("*.jpg"));
    QCOMPARE(shownNames(files), (QStringList{QStringLiteral(".hidden.jpg"), QStringLiteral("A.jpg"),
                                             QStringLiteral("a.jpg"), QStringLiteral("b.JPG"),
                                             QStringLiteral("Ё.jpg"), QStringLiteral("ё.jpg")}));
    for (const ListedFile &file : files) {
        QVERIFY(file.realName);
        QCOMPARE(file.path, sandbox.path(QStringLiteral("Img/") + file.name));
    }
}

void FolderListingTest::namesOfAnyBytes_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("realName");

    const QString words = QStringLiteral("Слова.txt");
    QTest::addRow("utf8") << words.toUtf8() << words << true;
    QTest::addRow("windows_1251") << toWin1251(words) << words << false;
    QTest::addRow("windows_1251_with_unassigned_byte")
        << QByteArray("\x98x.txt") << QStringLiteral("\uFFFDx.txt") << false;
    QTest::addRow("bytes_of_no_encoding")
        << QByteArray("\xFF\x80\xC0.txt") << QStringLiteral("я\u0402А.txt") << false;
    QTest::addRow("utf8_then_a_stray_byte")
        << QByteArray("\xD0\x9A\xFF") << fromWin1251("\xD0\x9A\xFF") << false;
}

// Listed under the readable name, and the listed path opens the very file.
void FolderListingTest::namesOfAnyBytes()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, shown);
    QFETCH(bool, realName);

    AppSandbox sandbox;
    sandbox.makeFolder(QStringLiteral("Dic"));
    const NativeFile file(sandbox.path(QStringLiteral("Dic")), name, "content of " + name);

    const std::vector<ListedFile> files =
        listFolder(sandbox.path(QStringLiteral("Dic/")), QStringLiteral("*"));
    QCOMPARE(files.size(), std::size_t(1));
    QCOMPARE(files.front().name, shown);
    QCOMPARE(files.front().realName, realName);
    QCOMPARE(readListed(files.front()), "content of " + name);
}

// Unpacked from an old archive: the name is Windows-1251. It is listed readable, the game
// plays its entries, and the records name it as shown.
void FolderListingTest::dictionaryNamedInWindows1251Plays()
{
    AppSandbox sandbox;
    sandbox.makeFolder(QStringLiteral("Dic"));
    const NativeFile file(sandbox.path(QStringLiteral("Dic")),
                          toWin1251(QStringLiteral("Слова.txt")), dictionaryText());

    TfmMain window;
    selectKind(window, ExerciseKind::ForeignLanguage);
    QCOMPARE(control<QComboBox>(window, "cmbDicFiles")->currentText(), QStringLiteral("Слова.txt"));
    window.btStartClick();
    QVERIFY(window.isGameRunning());
    QCOMPARE(window.session().dictionary().DicLines.size(), 3);
    QVERIFY2(sandbox.platform.errors.isEmpty(), qPrintable(sandbox.platform.errors.join(u'\n')));
}

// The remembered name is the shown one; the picture is loaded by its real bytes.
void FolderListingTest::pictureNamedInWindows1251IsShown()
{
    AppSandbox sandbox;
    const QString autumn = QStringLiteral("Осень.jpg");
    sandbox.writeFile(QStringLiteral("Img/blue.jpg"), solidJpeg(Qt::blue));
    const NativeFile file(sandbox.path(QStringLiteral("Img")), toWin1251(autumn),
                          solidJpeg(Qt::red));

    TfmMain window;
    QCOMPARE(window.PickWallpaper(autumn), autumn);
    const QImage shown = control<PictureBox>(window, "BkgImage")->shownPixmap().toImage();
    QVERIFY(nearColour(shown.pixelColor(shown.rect().center()), Qt::red));
    QVERIFY2(sandbox.platform.errors.isEmpty(), qPrintable(sandbox.platform.errors.join(u'\n')));
    // One that cannot be shown is named as the list shows it.
    const QString winter = QStringLiteral("Зима.jpg");
    const NativeFile broken(sandbox.path(QStringLiteral("Img")), toWin1251(winter), "no picture");
    QVERIFY(errorOf([&] { window.PickWallpaper(winter); }).contains(winter));
}

// The sound player takes only names that are text; such a sound is left out, the others stay.
void FolderListingTest::soundWithUndecodableNameLeftOut()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Sound/Bad/ой.wav"), silentWav());
    const NativeFile file(sandbox.path(QStringLiteral("Sound/Bad")),
                          toWin1251(QStringLiteral("ай.wav")), silentWav());

    const TfmMain window;
    QCOMPARE(window.badSounds(), QStringList{QStringLiteral("ой.wav")});
}

QTEST_MAIN(FolderListingTest)
#include "tst_folderlisting.moc"
