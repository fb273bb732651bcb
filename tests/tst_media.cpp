// SPDX-License-Identifier: GPL-3.0-or-later
// Wallpapers and wrong-answer sounds through the main window (the candidates, the remembered
// name, errors that leave the picture on show, the sound folder and the draw), the desktop
// sound player on a machine without sound, and the JPEG loader (DCT scale, colours, broken,
// truncated and oversized files).
#include <QBuffer>
#include <QCheckBox>
#include <QImageWriter>
#include <QLineEdit>
#include <QPushButton>
#include <QSoundEffect>
#include <QTest>

#include "tests/support/ErrorOf.h"
#include "tests/support/JpegEncoder.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <set>

#include "rules/Error.h"
#include "scripted/AppSandbox.h"
#include "scripted/WindowDriver.h"
#include "tests/support/TestPictures.h"
#include "ui/ApplicationSetup.h"
#include "ui/DesktopPlatform.h"
#include "ui/JpegLoader.h"
#include "ui/PictureBox.h"
#include "ui/SoundModule.h"

namespace {

const QSize WallpaperBox(582, 382);

// A picture with detail in it, so that the JPEG has real data to decode.
QByteArray patternJpeg(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
    }
    return jpegOf(image);
}

// CMYK as Adobe writes it, inverted (255 is no ink): what every CMYK JPEG in the wild holds.
QByteArray adobeCmykJpeg(const std::array<JSAMPLE, 4> &invertedCmyk, QSize size)
{
    JpegEncoder encoder(size, int(invertedCmyk.size()), JCS_CMYK);
    jpeg_set_colorspace(&encoder.info(), JCS_YCCK); // writes the Adobe marker
    std::vector<JSAMPLE> row;
    for (int x = 0; x < size.width(); ++x)
        row.insert(row.end(), invertedCmyk.begin(), invertedCmyk.end());
    return encoder.encode([&row](int) { return row.data(); });
}

QByteArray progressiveJpeg(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "JPG");
    writer.setProgressiveScanWrite(true);
    if (!writer.write(image))
        qFatal("cannot encode a progressive JPEG");
    return bytes;
}

// Writes new dimensions into the frame header (SOF0 baseline, SOF2 progressive) of a JPEG.
QByteArray withDeclaredSize(QByteArray jpeg, int width, int height)
{
    qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0)
        sof = jpeg.indexOf(QByteArray("\xFF\xC2", 2));
    if (sof < 0)
        qFatal("no frame header");
    const qsizetype at = sof + 5; // marker, length (2), precision (1)
    jpeg[at] = char(height >> 8);
    jpeg[at + 1] = char(height & 0xFF);
    jpeg[at + 2] = char(width >> 8);
    jpeg[at + 3] = char(width & 0xFF);
    return jpeg;
}

QByteArray pngBytes()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage shownPicture(const TfmMain &window)
{
    return control<PictureBox>(window, "BkgImage")->shownPixmap().toImage();
}

QColor shownColour(const TfmMain &window)
{
    const QImage shown = shownPicture(window);
    return shown.pixelColor(shown.width() / 2, shown.height() / 2);
}

QString wallpaperName(const TfmMain &window)
{
    return control<QLineEdit>(window, "edNameLastWallpaper")->text();
}

QString numberedPicture(int i)
{
    return QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
}

bool anySoundLoading()
{
    const QList<QSoundEffect *> effects = qApp->findChildren<QSoundEffect *>();
    return std::any_of(effects.cbegin(), effects.cend(), [](const QSoundEffect *effect) {
        return effect->status() == QSoundEffect::Loading;
    });
}

QStringList capturedMessages;
QtMessageHandler testMessageHandler = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    capturedMessages << message;
    testMessageHandler(type, context, message);
}

} // namespace

class MediaTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    // Wallpapers
    void firstStartShowsTheBuiltInPicture();
    void onePictureIsAlwaysChosen();
    void pictureFillsTheBox();
    void onlyTheFirstHundredCanBeChosen();
    void rememberedName_data();
    void rememberedName();
    void subFolderIsNoPicture();
    void noPictureKeepsTheShownOne();
    void brokenPictureKeepsTheShownOne();
    void brokenWallpaperAtStartStillScansSounds();

    // Sounds
    void silentCases_data();
    void silentCases();
    void oneSoundIsAlwaysPlayed();
    void everySoundCanBeDrawn();
    void wrongAnswerPlaysASound();
    void firstThousandSoundsKept();
    void desktopPlayerReturnsAtOnceAndStaysQuiet();
    void soundModuleLoadsOnFirstSound();

    // JPEG loader
    void scaleDenominator_data();
    void scaleDenominator();
    void scaledDecodeSize_data();
    void scaledDecodeSize();
    void coloursDecoded_data();
    void coloursDecoded();
    void brokenDataRaises_data();
    void brokenDataRaises();
    void missingFileRaises();
    void truncatedAfterHeaderDecodes();
    void declaredSizeCap();

    // Shrinking while decoding
    void stretchedDecode_data();
    void stretchedDecode();
    void stretchedDecodeOfBrokenData();
};

void MediaTest::firstStartShowsTheBuiltInPicture()
{
    AppSandbox bare;
    const QImage builtIn = shownPicture(TfmMain());

    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Img/red.jpg"), solidJpeg(Qt::red));
    TfmMain window;
    QVERIFY(!builtIn.isNull());
    QCOMPARE(shownPicture(window), builtIn);
    QCOMPARE(wallpaperName(window), QString());
}

void MediaTest::onePictureIsAlwaysChosen()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Img/Only One.JPG"), solidJpeg(Qt::blue));
    TfmMain window;
    for (int click = 0; click < 5; ++click) {
        control<QPushButton>(window, "btImage")->click();
        QCOMPARE(wallpaperName(window), QStringLiteral("Only One.JPG"));
        QVERIFY(nearColour(shownColour(window), Qt::blue));
    }
    QCOMPARE(sandbox.platform.errors, QStringList());
}

void MediaTest::pictureFillsTheBox()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Img/wide.jpg"), patternJpeg(QSize(1920, 1200)));
    TfmMain window;
    window.btImageClick();
    QCOMPARE(control<PictureBox>(window, "BkgImage")->shownPixmap().size(), WallpaperBox);
}

void MediaTest::onlyTheFirstHundredCanBeChosen()
{
    AppSandbox sandbox;
    const QByteArray picture = solidJpeg(Qt::gray, QSize(8, 8));
    for (int i = 0; i < 150; ++i)
        sandbox.writeFile(QStringLiteral("Img/") + numberedPicture(i), picture);
    TfmMain window;
    std::set<QString> chosen;
    for (int click = 0; click < 400; ++click) {
        window.btImageClick();
        chosen.insert(wallpaperName(window));
    }
    QCOMPARE(*chosen.begin(), numberedPicture(0));
    QCOMPARE(*chosen.rbegin(), numberedPicture(99));
    QVERIFY2(chosen.size() > 90, "the draw covers the candidates");
}

void MediaTest::rememberedName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");

    QTest::addRow("first_candidate") << numberedPicture(0) << true;
    QTest::addRow("hundredth_candidate") << numberedPicture(99) << true;
    QTest::addRow("hundred_and_first_not_reachable") << numberedPicture(100) << false;
    QTest::addRow("last_of_150_not_reachable") << numberedPicture(149) << false;
    QTest::addRow("other_letter_case_not_matched") << QStringLiteral("P005.JPG") << false;
    QTest::addRow("gone") << QStringLiteral("gone.jpg") << false;
    QTest::addRow("outside_the_folder") << QStringLiteral("../Img/p001.jpg") << false;
}

void MediaTest::rememberedName()
{
    QFETCH(QString, name);
    QFETCH(bool, found);

    AppSandbox sandbox;
    const QByteArray picture = solidJpeg(Qt::gray, QSize(8, 8));
    for (int i = 0; i < 150; ++i)
        sandbox.writeFile(QStringLiteral("Img/") + numberedPicture(i), picture);
    sandbox.writeFile(QStringLiteral("SaveStat.ini"),
                      "[SaveStat]\r\nedNameLastWallpaper=" + name.toLatin1() + "\r\n");
    TfmMain window;
    // The start keeps the remembered name, whatever was shown.
    QCOMPARE(wallpaperName(window), name);

    const QString shown = window.PickWallpaper(name);
    if (found) {
        QCOMPARE(shown, name);
    } else {
        QVERIFY2(shown != name, qPrintable(shown));
        QVERIFY2(shown >= numberedPicture(0) && shown <= numberedPicture(99), qPrintable(shown));
    }
}

void MediaTest::subFolderIsNoPicture()
{
    AppSandbox sandbox;
    sandbox.makeFolder(QStringLiteral("Img/a.jpg"));
    TfmMain window;
    control<QLineEdit>(window, "edNameLastWallpaper")->setText(QStringLiteral("old.jpg"));
    window.btImageClick();
    QCOMPARE(wallpaperName(window), QString());

    sandbox.writeFile(QStringLiteral("Img/b.jpg"), solidJpeg(Qt::green));
    for (int click = 0; click < 5; ++click) {
        window.btImageClick();
        QCOMPARE(wallpaperName(window), QStringLiteral("b.jpg"));
    }
    QCOMPARE(sandbox.platform.errors, QStringList());
}

void MediaTest::noPictureKeepsTheShownOne()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Img/red.jpg"), solidJpeg(Qt::red));
    TfmMain window;
    window.btImageClick();
    QVERIFY(QFile::remove(sandbox.path(QStringLiteral("Img/red.jpg"))));

    window.btImageClick();
    QCOMPARE(wallpaperName(window), QString()); // no wallpaper at the next start
    QVERIFY(nearColour(shownColour(window), Qt::red));
}

void MediaTest::brokenPictureKeepsTheShownOne()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Img/red.jpg"), solidJpeg(Qt::red));
    TfmMain window;
    window.btImageClick();
    QVERIFY(QFile::remove(sandbox.path(QStringLiteral("Img/red.jpg"))));
    sandbox.writeFile(QStringLiteral("Img/broken.jpg"), "not a picture at all");

    control<QPushButton>(window, "btImage")->click(); // through the event guard
    QCOMPARE(sandbox.platform.errors.size(), 1);
    QVERIFY2(sandbox.platform.errors.first().startsWith(
                 QStringLiteral("Картинка %1 не загружена: ")
                     .arg(sandbox.path(QStringLiteral("Img/broken.jpg")))),
             qPrintable(sandbox.platform.errors.first()));
    QCOMPARE(wallpaperName(window), QStringLiteral("red.jpg"));
    QVERIFY(nearColour(shownColour(window), Qt::red));
}

void MediaTest::brokenWallpaperAtStartStillScansSounds()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Img/broken.jpg"), QByteArray());
    sandbox.writeFile(QStringLiteral("Sound/Bad/oops.wav"), silentWav());
    sandbox.writeFile(QStringLiteral("SaveStat.ini"),
                      "[SaveStat]\r\nedNameLastWallpaper=broken.jpg\r\ncbSound=True\r\n");
    TfmMain window;
    QCOMPARE(sandbox.platform.errors.size(), 1);
    QVERIFY(
        sandbox.platform.errors.first().contains(sandbox.path(QStringLiteral("Img/broken.jpg"))));
    QCOMPARE(window.badSounds(), QStringList{QStringLiteral("oops.wav")});
    window.PlayBadSound(1);
    QCOMPARE(sandbox.platform.sounds.size(), 1);
}

void MediaTest::silentCases_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<int>("kind");

    const QStringList three = {QStringLiteral("a.wav"), QStringLiteral("b.WAV"),
                               QStringLiteral("c.wav")};
    QTest::addRow("sound_unchecked") << three << false << 1;
    QTest::addRow("no_sound_folder") << QStringList() << true << 1;
    QTest::addRow("only_other_files")
        << QStringList{QStringLiteral("a.mp3"), QStringLiteral("wav")} << true << 1;
    QTest::addRow("kind_0") << three << true << 0;
    QTest::addRow("kind_2") << three << true << 2;
    QTest::addRow("kind_255") << three << true << 255;
}

void MediaTest::silentCases()
{
    QFETCH(QStringList, files);
    QFETCH(bool, soundOn);
    QFETCH(int, kind);

    AppSandbox sandbox;
    for (const QString &file : files)
        sandbox.writeFile(QStringLiteral("Sound/Bad/") + file, silentWav());
    sandbox.makeFolder(QStringLiteral("Sound/Bad/folder.wav"));
    TfmMain window;
    control<QCheckBox>(window, "cbSound")->setChecked(soundOn);
    for (int answer = 0; answer < 10; ++answer)
        window.PlayBadSound(static_cast<quint8>(kind));
    QCOMPARE(sandbox.platform.sounds, QStringList());
}

void MediaTest::oneSoundIsAlwaysPlayed()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Sound/Bad/Uh Oh.WAV"), silentWav());
    sandbox.makeFolder(QStringLiteral("Sound/Bad/folder.wav"));
    TfmMain window;
    control<QCheckBox>(window, "cbSound")->setChecked(true);
    for (int answer = 0; answer < 5; ++answer)
        window.PlayBadSound(1);
    QCOMPARE(sandbox.platform.sounds,
             QStringList(5, sandbox.path(QStringLiteral("Sound/Bad/Uh Oh.WAV"))));
}

void MediaTest::everySoundCanBeDrawn()
{
    AppSandbox sandbox;
    const QStringList names = {QStringLiteral("a.wav"), QStringLiteral("b.wav"),
                               QStringLiteral("c.wav")};
    for (const QString &name : names)
        sandbox.writeFile(QStringLiteral("Sound/Bad/") + name, silentWav());
    TfmMain window;
    control<QCheckBox>(window, "cbSound")->setChecked(true);
    for (int answer = 0; answer < 60; ++answer)
        window.PlayBadSound(1);
    const std::set<QString> played(sandbox.platform.sounds.begin(), sandbox.platform.sounds.end());
    std::set<QString> expected;
    for (const QString &name : names)
        expected.insert(sandbox.path(QStringLiteral("Sound/Bad/") + name));
    QCOMPARE(played, expected);
}

void MediaTest::wrongAnswerPlaysASound()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("Sound/Bad/oops.wav"), silentWav());
    TfmMain window;
    control<QCheckBox>(window, "cbSound")->setChecked(true);
    selectKind(window, ExerciseKind::Addition);
    window.btStartClick();
    answerWrong(window);
    QCOMPARE(sandbox.platform.sounds,
             QStringList{sandbox.path(QStringLiteral("Sound/Bad/oops.wav"))});
    answerRight(window);
    QCOMPARE(sandbox.platform.sounds.size(), 1);
}

void MediaTest::firstThousandSoundsKept()
{
    AppSandbox sandbox;
    constexpr int Files = 1005;
    for (int i = 0; i < Files; ++i)
        sandbox.writeFile(QStringLiteral("Sound/Bad/s%1.wav").arg(i, 4, 10, QLatin1Char('0')),
                          silentWav());
    TfmMain window;
    QCOMPARE(window.badSounds().size(), 1000);
    QCOMPARE(window.badSounds().first(), QStringLiteral("s0000.wav"));
    QCOMPARE(window.badSounds().last(), QStringLiteral("s0999.wav"));
}

void MediaTest::desktopPlayerReturnsAtOnceAndStaysQuiet()
{
    constexpr int SettleMs = 5000;
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("quiet.wav"), silentWav());

    capturedMessages.clear();
    testMessageHandler = qInstallMessageHandler(captureMessage);
    DesktopPlatform desktop(QStringLiteral(SOUND_MODULE_DIR));
    desktop.playSound(sandbox.path(QStringLiteral("quiet.wav")));
    desktop.playSound(sandbox.path(QStringLiteral("gone.wav")));
    desktop.playSound(sandbox.path(QStringLiteral("quiet.wav")));

    // The module made its player; wait until it has loaded the sound and started the audio
    // back end, which is when a machine without sound complains.
    const auto *effect = qApp->findChild<QSoundEffect *>();
    QVERIFY(effect);
    QTRY_VERIFY_WITH_TIMEOUT(effect->status() == QSoundEffect::Ready ||
                                 effect->status() == QSoundEffect::Error,
                             SettleMs);
    QCoreApplication::processEvents();
    qInstallMessageHandler(testMessageHandler);
    QCOMPARE(capturedMessages, QStringList());
}

void MediaTest::soundModuleLoadsOnFirstSound()
{
    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("quiet.wav"), silentWav());
    SoundModule missing(sandbox.path(QStringLiteral("nowhere")));
    missing.play(sandbox.path(QStringLiteral("quiet.wav"))); // silent, no error
    QVERIFY(!missing.isLoaded());

    SoundModule built(QStringLiteral(SOUND_MODULE_DIR));
    QVERIFY(!built.isLoaded()); // nothing is loaded before a sound is asked for
    built.play(sandbox.path(QStringLiteral("gone.wav"))); // refused by the check
    QVERIFY(!built.isLoaded());
    built.play(sandbox.path(QStringLiteral("quiet.wav")));
    QVERIFY(built.isLoaded());
    // The player keeps an effect still loading at the end of the process rather than wait on
    // it; this one has loaded long before then.
    constexpr int SettleMs = 5000;
    QTRY_VERIFY_WITH_TIMEOUT(!anySoundLoading(), SettleMs);
}

void MediaTest::scaleDenominator_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<int>("denominator");

    QTest::addRow("wallpaper_1920x1200_half") << QSize(1920, 1200) << WallpaperBox << 2;
    QTest::addRow("4000x3000_quarter") << QSize(4000, 3000) << WallpaperBox << 4;
    QTest::addRow("6000x4000_eighth") << QSize(6000, 4000) << WallpaperBox << 8;
    QTest::addRow("huge_stays_at_eighth") << QSize(16000, 16000) << WallpaperBox << 8;
    QTest::addRow("box_size_full") << WallpaperBox << WallpaperBox << 1;
    QTest::addRow("smaller_than_box_full") << QSize(300, 200) << WallpaperBox << 1;
    QTest::addRow("double_box_half") << QSize(1164, 764) << WallpaperBox << 2;
    QTest::addRow("odd_sizes_round_up") << QSize(1163, 763) << WallpaperBox << 2;
    QTest::addRow("one_short_full") << QSize(1161, 764) << WallpaperBox << 1;
    QTest::addRow("height_decides") << QSize(4000, 1000) << WallpaperBox << 2;
    QTest::addRow("no_box_full") << QSize(1920, 1200) << QSize() << 1;
}

void MediaTest::scaleDenominator()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, box);
    QFETCH(int, denominator);
    QCOMPARE(jpegScaleDenominator(picture, box), denominator);
}

void MediaTest::scaledDecodeSize_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("decoded");

    QTest::addRow("wallpaper_at_half") << QSize(1920, 1200) << WallpaperBox << QSize(960, 600);
    QTest::addRow("large_at_quarter") << QSize(2400, 1600) << WallpaperBox << QSize(600, 400);
    QTest::addRow("odd_size_rounded_up") << QSize(1163, 763) << WallpaperBox << QSize(582, 382);
    QTest::addRow("small_in_full") << QSize(300, 200) << WallpaperBox << QSize(300, 200);
    QTest::addRow("no_box_in_full") << QSize(640, 480) << QSize() << QSize(640, 480);
}

void MediaTest::scaledDecodeSize()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, box);
    QFETCH(QSize, decoded);

    const QImage image = decodeJpeg(patternJpeg(picture), QStringLiteral("test.jpg"), box);
    QCOMPARE(image.size(), decoded);
    QCOMPARE(image.format(), QImage::Format_RGB32);
}

void MediaTest::coloursDecoded_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<QColor>("colour");

    QTest::addRow("red") << solidJpeg(Qt::red) << QColor(Qt::red);
    QTest::addRow("dark_blue") << solidJpeg(QColor(20, 40, 120)) << QColor(20, 40, 120);
    QImage grey(32, 32, QImage::Format_Grayscale8);
    grey.fill(QColor(90, 90, 90));
    QTest::addRow("grayscale") << jpegOf(grey) << QColor(90, 90, 90);
    // Inverted CMYK: no cyan, full magenta and yellow, no black.
    QTest::addRow("adobe_cmyk_red")
        << adobeCmykJpeg({255, 0, 0, 255}, QSize(32, 32)) << QColor(Qt::red);
    QTest::addRow("adobe_cmyk_half_black")
        << adobeCmykJpeg({255, 255, 255, 128}, QSize(32, 32)) << QColor(128, 128, 128);
}

void MediaTest::coloursDecoded()
{
    QFETCH(QByteArray, jpeg);
    QFETCH(QColor, colour);

    const QImage image = decodeJpeg(jpeg, QStringLiteral("test.jpg"));
    const QColor decoded = image.pixelColor(image.width() / 2, image.height() / 2);
    QVERIFY2(nearColour(decoded, colour), qPrintable(decoded.name()));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 255);
}

void MediaTest::brokenDataRaises_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");

    const QByteArray good = patternJpeg(QSize(64, 64));
    const QString notJpeg = QStringLiteral("это не картинка JPEG");
    const QString broken = QStringLiteral("файл JPEG повреждён");
    QTest::addRow("empty") << QByteArray() << QStringLiteral("файл пуст");
    QTest::addRow("text") << QByteArray("just some words, not a picture") << notJpeg;
    QTest::addRow("png_named_jpg") << pngBytes() << notJpeg;
    QTest::addRow("cut_inside_the_header") << good.left(40) << broken;
    QTest::addRow("start_marker_only") << QByteArray("\xFF\xD8", 2) << broken;
    QTest::addRow("zero_width") << withDeclaredSize(good, 0, 64) << broken;
}

// The reason in Russian, then libjpeg's own words.
void MediaTest::brokenDataRaises()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);

    AppSandbox sandbox;
    sandbox.writeFile(QStringLiteral("broken.jpg"), data);
    const QString path = sandbox.path(QStringLiteral("broken.jpg"));
    const QString message = errorOf([&] { loadStretchedJpeg(path, WallpaperBox); });
    const QString expected =
        QStringLiteral("Картинка %1 не загружена: %2 (libjpeg: ").arg(path, reason);
    QVERIFY2(message.startsWith(expected), qPrintable(message));
    QVERIFY2(message.size() > expected.size() + 5 && message.endsWith(u')'),
             "libjpeg's words follow");
}

void MediaTest::missingFileRaises()
{
    AppSandbox sandbox;
    const QString path = sandbox.path(QStringLiteral("gone.jpg"));
    const QString message = errorOf([&] { loadStretchedJpeg(path, WallpaperBox); });
    QVERIFY2(message.startsWith(QStringLiteral("Не удалось открыть картинку %1: ").arg(path)),
             qPrintable(message));
}

void MediaTest::truncatedAfterHeaderDecodes()
{
    const QByteArray full = patternJpeg(QSize(1920, 1200));
    const QByteArray cut = full.left(full.size() * 3 / 5);
    QImage image;
    QCOMPARE(errorOf([&] { image = decodeJpeg(cut, QStringLiteral("cut.jpg"), WallpaperBox); }),
             QString());
    QCOMPARE(image.size(), QSize(960, 600));
    // The top was decoded from the data; the part that was missing is filled.
    const QImage whole = decodeJpeg(full, QStringLiteral("full.jpg"), WallpaperBox);
    QCOMPARE(image.copy(0, 0, 960, 100), whole.copy(0, 0, 960, 100));
}

void MediaTest::declaredSizeCap()
{
    const QByteArray small = solidJpeg(Qt::red, QSize(16, 16));
    const QString tooWide = errorOf([&] {
        decodeJpeg(withDeclaredSize(small, MaxJpegDimension + 1, 16), QStringLiteral("wide.jpg"));
    });
    QCOMPARE(tooWide, QStringLiteral("Картинка wide.jpg не загружена: в ней %1 × 16 точек, это "
                                     "больше, чем программа может показать")
                          .arg(MaxJpegDimension + 1));
    QVERIFY(!errorOf([&] {
                 decodeJpeg(withDeclaredSize(small, 60000, 60000), QStringLiteral("huge.jpg"),
                            WallpaperBox);
             }).isEmpty());

    // Under the cap on each side, but too many pixels: a progressive picture this large would
    // need gigabytes, and each of its scans would take seconds.
    const QString tooManyPixels = errorOf([&] {
        decodeJpeg(withDeclaredSize(progressiveJpeg(QSize(16, 16)), 16000, 16000),
                   QStringLiteral("progressive.jpg"), WallpaperBox);
    });
    QCOMPARE(tooManyPixels, QStringLiteral("Картинка progressive.jpg не загружена: в ней 16000 × "
                                           "16000 точек, это больше, чем программа может "
                                           "показать"));
    QVERIFY(!errorOf([&] {
                 decodeJpeg(withDeclaredSize(small, 8193, 8192), QStringLiteral("many.jpg"),
                            WallpaperBox);
             }).isEmpty());
    QCOMPARE(decodeJpeg(progressiveJpeg(QSize(1920, 1200)), QStringLiteral("p.jpg"), WallpaperBox)
                 .size(),
             QSize(960, 600));

    const QImage atTheCap =
        decodeJpeg(solidJpeg(Qt::red, QSize(MaxJpegDimension, 8)), QStringLiteral("cap.jpg"));
    QCOMPARE(atTheCap.size(), QSize(MaxJpegDimension, 8));
}

namespace {

} // namespace

void MediaTest::stretchedDecode_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("box");

    QTest::addRow("shrunk_from_half") << QSize(1920, 1200) << WallpaperBox;
    QTest::addRow("shrunk_in_full") << QSize(700, 400) << WallpaperBox;
    QTest::addRow("already_box_size") << WallpaperBox << WallpaperBox;
    QTest::addRow("enlarged") << QSize(300, 200) << WallpaperBox;
    QTest::addRow("wider_only") << QSize(900, 300) << WallpaperBox;
}

// The picture at the box's size: the DCT-scaled decode, scaled smoothly unless it fits already.
void MediaTest::stretchedDecode()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, box);

    const QByteArray jpeg = patternJpeg(picture);
    const QImage decoded = decodeJpeg(jpeg, QStringLiteral("test.jpg"), box);
    const QImage stretched = decodeStretchedJpeg(jpeg, QStringLiteral("test.jpg"), box);
    QCOMPARE(stretched.size(), box);
    QCOMPARE(stretched.format(), QImage::Format_RGB32);
    if (decoded.size() == box)
        QCOMPARE(stretched, decoded);
    else
        QCOMPARE(stretched, decoded.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// A picture cut short still fills the box; one that libjpeg gives up on is an error.
void MediaTest::stretchedDecodeOfBrokenData()
{
    const QByteArray full = patternJpeg(QSize(1920, 1200));
    QImage image;
    QCOMPARE(errorOf([&] {
                 image = decodeStretchedJpeg(full.left(full.size() * 3 / 5),
                                             QStringLiteral("cut.jpg"), WallpaperBox);
             }),
             QString());
    QCOMPARE(image.size(), WallpaperBox);

    // Half the data, then a Huffman table that cannot be: libjpeg gives up after the rows.
    const QByteArray bogusTable("\xFF\xC4\x00\x03\xFF\xFF\xD9", 7);
    const QString error = errorOf([&] {
        decodeStretchedJpeg(full.left(full.size() / 2) + bogusTable, QStringLiteral("bad.jpg"),
                            WallpaperBox);
    });
    QVERIFY2(error.startsWith(QStringLiteral("Картинка bad.jpg не загружена: файл JPEG повреждён")),
             qPrintable(error));
}

QTEST_MAIN(MediaTest)
#include "tst_media.moc"
