// SPDX-License-Identifier: GPL-3.0-or-later
// Sounds and pictures that a user (or an unkind classmate) puts in Sound/Bad and Img: WAV files
// that would make Qt Multimedia wait for ever, the real player in a real process answering
// wrongly in quick succession, progressive JPEGs of thousands of scans, and special files in
// place of a picture or a sound.
#include <QBuffer>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstdlib>
#include <optional>
#include <vector>

#include <sys/stat.h>

#include "main/TfmMain.h"
#include "rules/Error.h"
#include "scripted/AppSandbox.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/JpegEncoder.h"
#include "tests/support/TestPictures.h"
#include "tests/support/UnusualFiles.h"
#include "ui/ApplicationSetup.h"
#include "ui/JpegLoader.h"
#include "ui/WavFile.h"

namespace {

const QString SoundFolder = QStringLiteral("Sound/Bad/");

QByteArray le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char *id, const QByteArray &body, qint64 declared = -1)
{
    const quint32 size = declared < 0 ? quint32(body.size()) : quint32(declared);
    return QByteArray(id, 4) + le32(size) + body;
}

QByteArray formatBody(int channels, int rate, int bits, int pcm = 1, int blockAlign = -1)
{
    const int align = blockAlign < 0 ? channels * bits / 8 : blockAlign;
    return le16(quint16(pcm)) + le16(quint16(channels)) + le32(quint32(rate)) +
           le32(quint32(rate * align)) + le16(quint16(align)) + le16(quint16(bits));
}

// A RIFF/WAVE file of the given chunks; the RIFF size counts them unless told otherwise.
QByteArray wav(const QByteArray &chunks, qint64 riffSize = -1)
{
    const quint32 size = riffSize < 0 ? quint32(4 + chunks.size()) : quint32(riffSize);
    return "RIFF" + le32(size) + "WAVE" + chunks;
}

QByteArray monoFormat()
{
    return chunk("fmt ", formatBody(1, 22050, 16));
}

const QByteArray Samples(2000, '\0');

// A sound of exactly `bytes` bytes.
QByteArray soundOfSize(qint64 bytes)
{
    constexpr qint64 HeaderBytes = 44;
    return wav(monoFormat() + chunk("data", QByteArray(bytes - HeaderBytes, '\0')));
}

// A progressive JPEG of the given number of scans, made with libjpeg's encoder from a legal
// scan script: the DC coefficients first, then every AC coefficient of every component on its
// own, each refined bit by bit, which gives up to 2090 scans. Any prefix that holds the first
// DC scan is a legal script.
QByteArray jpegOfScans(int scans, QSize size)
{
    constexpr int Components = 3;
    constexpr int TopBit = 10; // the largest point transform libjpeg allows
    constexpr int LastCoefficient = 63;
    std::vector<jpeg_scan_info> script;
    auto add = [&script](std::vector<int> components, int ss, int se, int ah, int al) {
        jpeg_scan_info scan{};
        scan.comps_in_scan = static_cast<int>(components.size());
        for (std::size_t i = 0; i < components.size(); ++i)
            scan.component_index[i] = components[i];
        scan.Ss = ss;
        scan.Se = se;
        scan.Ah = ah;
        scan.Al = al;
        script.push_back(scan);
    };
    add({0, 1, 2}, 0, 0, 0, TopBit);
    for (int bit = TopBit; bit > 0; --bit)
        add({0, 1, 2}, 0, 0, bit, bit - 1);
    for (int k = 1; k <= LastCoefficient; ++k) {
        for (int c = 0; c < Components; ++c) {
            add({c}, k, k, 0, TopBit);
            for (int bit = TopBit; bit > 0; --bit)
                add({c}, k, k, bit, bit - 1);
        }
    }
    if (scans > int(script.size()))
        qFatal("at most %d scans", int(script.size()));
    script.resize(std::size_t(scans));

    QImage image(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x ^ y) % 256));
    }
    JpegEncoder encoder(size, Components, JCS_RGB);
    encoder.info().scan_info = script.data();
    encoder.info().num_scans = scans;
    return encoder.encode(
        [&image](int line) { return const_cast<JSAMPLE *>(image.constScanLine(line)); });
}

// A PulseAudio server with a null sink, started by the test on a socket in a folder of its own
// and stopped with the object. Qt Multimedia plays into it as into a sound card. The server
// logs to a file: a pipe that nobody reads would fill and stall it, and Qt's audio back end
// waits on a stalled server for ever.
class NullSinkServer {
public:
    NullSinkServer()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        m_starter.setProcessEnvironment(environment);
        m_stopper.setProcessEnvironment(environment);
    }
    ~NullSinkServer()
    {
        constexpr int StopLimitMs = 10000;
        m_stopper.start(QStringLiteral("pulseaudio"), {QStringLiteral("--kill")});
        m_stopper.waitForFinished(StopLimitMs);
    }
    NullSinkServer(const NullSinkServer &) = delete;
    NullSinkServer &operator=(const NullSinkServer &) = delete;

    // Starts the server as a daemon, which returns once the server is ready; false when it is
    // not ready within the limit. A server the test leaves behind ends by itself when idle.
    bool start(int limitMs)
    {
        m_starter.start(
            QStringLiteral("pulseaudio"),
            {QStringLiteral("-n"), QStringLiteral("--daemonize=yes"),
             QStringLiteral("--exit-idle-time=30"),
             QStringLiteral("--log-target=file:") + m_dir.filePath(QStringLiteral("log")),
             QStringLiteral("--load=module-null-sink sink_name=tovelo"),
             QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 "
                            "socket=") +
                 socket()});
        return m_starter.waitForFinished(limitMs) &&
               m_starter.exitStatus() == QProcess::NormalExit && m_starter.exitCode() == 0;
    }
    QString socket() const { return m_dir.filePath(QStringLiteral("native")); }
    QByteArray log()
    {
        QFile file(m_dir.filePath(QStringLiteral("log")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : m_starter.readAll();
    }

private:
    QTemporaryDir m_dir;
    QProcess m_starter;
    QProcess m_stopper;
};

} // namespace

class HostileMediaTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpApplication(*qApp); }

    // Sounds
    void wavHeader_data();
    void wavHeader();
    void scanLeavesOutWhatCannotPlay();
    void soundsTogetherAreBounded();
    void rapidWrongAnswersNeverFreeze_data();
    void rapidWrongAnswersNeverFreeze();

    // Pictures
    void progressiveScans_data();
    void progressiveScans();
    void scanLimit_data();
    void scanLimit();
    void specialFileInPlaceOfAPicture_data();
    void specialFileInPlaceOfAPicture();
};

void HostileMediaTest::wavHeader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // A part of the refusal's text; empty when the file is accepted.
    QTest::addColumn<QString>("refusal");

    const QByteArray data = chunk("data", Samples);
    const QByteArray good = silentWav();
    QTest::addRow("sound_of_the_tests") << good << QString();
    QTest::addRow("8_bit_stereo") << wav(chunk("fmt ", formatBody(2, 44100, 8)) + data)
                                  << QString();
    QTest::addRow("list_chunk_of_odd_size_before_data")
        << wav(chunk("LIST", QByteArray(5, 'x') + '\0', 5) + monoFormat() + data) << QString();
    QTest::addRow("extended_format_chunk_18_bytes")
        << wav(chunk("fmt ", formatBody(1, 8000, 16) + le16(0)) + data) << QString();
    QTest::addRow("bytes_after_the_data")
        << wav(monoFormat() + data + chunk("LIST", "abcd")) << QString();

    QTest::addRow("empty") << QByteArray() << QStringLiteral("обрывается");
    QTest::addRow("first_30_bytes") << good.left(30) << QStringLiteral("короче");
    QTest::addRow("first_30_bytes_riff_size_fixed")
        << wav(good.mid(12, 18), 22) << QStringLiteral("не помещается");
    QTest::addRow("text") << QByteArray("just some words, not a sound at all")
                          << QStringLiteral("не файл WAV");
    QTest::addRow("riff_size_beyond_the_file")
        << wav(monoFormat() + data, 1 << 20) << QStringLiteral("короче");
    QTest::addRow("fmt_chunk_size_8")
        << wav(chunk("fmt ", formatBody(1, 22050, 16).left(8)) + data) << QStringLiteral("fmt");
    QTest::addRow("fmt_chunk_size_beyond_the_file")
        << wav(chunk("fmt ", formatBody(1, 22050, 16), 0x7FFFFFF0) + data)
        << QStringLiteral("не помещается");
    QTest::addRow("fmt_chunk_of_odd_size")
        << wav(chunk("fmt ", formatBody(1, 22050, 16) + '\0') + data) << QStringLiteral("fmt");
    QTest::addRow("two_fmt_chunks")
        << wav(monoFormat() + monoFormat() + data) << QStringLiteral("fmt");
    QTest::addRow("ieee_float") << wav(chunk("fmt ", formatBody(1, 22050, 32, 3)) + data)
                                << QStringLiteral("PCM");
    QTest::addRow("no_channels") << wav(chunk("fmt ", formatBody(0, 22050, 16, 1, 2)) + data)
                                 << QStringLiteral("каналов 0");
    QTest::addRow("six_channels") << wav(chunk("fmt ", formatBody(6, 22050, 16)) + data)
                                  << QStringLiteral("каналов 6");
    QTest::addRow("rate_0") << wav(chunk("fmt ", formatBody(1, 0, 16)) + data)
                            << QStringLiteral("частота 0");
    QTest::addRow("24_bits") << wav(chunk("fmt ", formatBody(1, 22050, 24)) + data)
                             << QStringLiteral("24 бит");
    QTest::addRow("frame_size_wrong")
        << wav(chunk("fmt ", formatBody(1, 22050, 16, 1, 4)) + data) << QStringLiteral("кадра");
    QTest::addRow("1_KB_declaring_4_GB_of_data")
        << wav(monoFormat() + chunk("data", QByteArray(980, '\0'), 0xFFFFFFF0), 1000)
        << QStringLiteral("не помещается");
    QTest::addRow("data_cut_short") << good.left(good.size() - 2) << QStringLiteral("короче");
    QTest::addRow("no_samples") << wav(monoFormat() + chunk("data", {}))
                                << QStringLiteral("целое число кадров");
    QTest::addRow("odd_sample_bytes")
        << wav(monoFormat() + chunk("data", "abc")) << QStringLiteral("целое число кадров");
    QTest::addRow("data_before_fmt") << wav(data + monoFormat()) << QStringLiteral("раньше");
    QTest::addRow("no_data_chunk")
        << wav(monoFormat() + chunk("LIST", "abcd")) << QStringLiteral("обрывается");
    QByteArray manyChunks;
    for (int i = 0; i < 100; ++i)
        manyChunks += chunk("junk", {});
    QTest::addRow("hundred_chunks_before_data")
        << wav(monoFormat() + manyChunks + data) << QStringLiteral("нет звука");
}

void HostileMediaTest::wavHeader()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, refusal);

    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    WavFormat format;
    const QString error = errorOf([&] { format = readWavHeader(buffer); });
    if (refusal.isEmpty()) {
        QCOMPARE(error, QString());
        QVERIFY(format.dataBytes > 0);
        QVERIFY(format.dataOffset + format.dataBytes <= bytes.size());
    } else {
        QVERIFY2(error.contains(refusal), qPrintable(error));
    }
}

// The broken sounds of the issue, special files and an oversized one never reach the player;
// every good one does.
void HostileMediaTest::scanLeavesOutWhatCannotPlay()
{
    AppSandbox sandbox;
    const QByteArray good = silentWav();
    sandbox.writeFile(SoundFolder + QStringLiteral("good1.wav"), good);
    sandbox.writeFile(SoundFolder + QStringLiteral("good2.WAV"), good);
    sandbox.writeFile(SoundFolder + QStringLiteral("empty.wav"), {});
    sandbox.writeFile(SoundFolder + QStringLiteral("cut.wav"), good.left(30));
    QByteArray badFormat = good;
    badFormat[16] = 8; // the fmt chunk's size
    sandbox.writeFile(SoundFolder + QStringLiteral("fmt.wav"), badFormat);
    QByteArray huge = good.left(1024);
    huge.replace(4, 4, le32(1024 - 8));
    huge.replace(40, 4, le32(0xFFFFFFF0));
    sandbox.writeFile(SoundFolder + QStringLiteral("huge.wav"), huge);
    sandbox.writeFile(SoundFolder + QStringLiteral("large.wav"), soundOfSize(MaxWavBytes + 2));
    QVERIFY(makeSpecial(sandbox.path(SoundFolder + QStringLiteral("fifo.wav")), Special::Fifo));
    QVERIFY(
        makeSpecial(sandbox.path(SoundFolder + QStringLiteral("zero.wav")), Special::LinkToZero));

    TfmMain window;
    QCOMPARE(window.badSounds(),
             (QStringList{QStringLiteral("good1.wav"), QStringLiteral("good2.WAV")}));
    QVERIFY2(sandbox.platform.errors.isEmpty(), qPrintable(sandbox.platform.errors.join(u'\n')));
}

void HostileMediaTest::soundsTogetherAreBounded()
{
    AppSandbox sandbox;
    constexpr int Files = 17;
    const QByteArray large = soundOfSize(MaxWavBytes);
    for (int i = 0; i < Files; ++i)
        sandbox.writeFile(SoundFolder + QStringLiteral("s%1.wav").arg(i, 2, 10, QLatin1Char('0')),
                          large);
    TfmMain window;
    // 64 MiB of samples hold 16 of these files, in listing order.
    const QStringList kept = window.badSounds();
    QCOMPARE(kept.size(), 16);
    QCOMPARE(kept.first(), QStringLiteral("s00.wav"));
    QCOMPARE(kept.last(), QStringLiteral("s15.wav"));
}

// Qt Multimedia blocks for good when a sample is released while another one is still
// loading, which a broken file never finishes; no sound card is needed for that. The probe
// answers wrongly 60 times in quick succession with the real player, the broken files of the
// issue and good ones, without a sound server and with a real one playing into a null sink. A
// probe that has not ended within the limit is stopped and the test fails.
void HostileMediaTest::rapidWrongAnswersNeverFreeze_data()
{
    QTest::addColumn<bool>("soundServer");

    QTest::addRow("no_sound_server") << false;
    QTest::addRow("pulseaudio_null_sink") << true;
}

void HostileMediaTest::rapidWrongAnswersNeverFreeze()
{
    QFETCH(bool, soundServer);
    constexpr int LimitMs = 60000;
    constexpr int ServerStartLimitMs = 20000;
    AppSandbox sandbox;
    const QByteArray good = silentWav();
    for (const char *name : {"a.wav", "c.wav", "e.wav"})
        sandbox.writeFile(SoundFolder + QLatin1String(name), good);
    sandbox.writeFile(SoundFolder + QStringLiteral("b.wav"), {});
    sandbox.writeFile(SoundFolder + QStringLiteral("d.wav"), good.left(30));
    QByteArray badFormat = good;
    badFormat[16] = 8;
    sandbox.writeFile(SoundFolder + QStringLiteral("f.wav"), badFormat);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::optional<NullSinkServer> server;
    if (soundServer) {
        server.emplace();
        QVERIFY2(server->start(ServerStartLimitMs), server->log().constData());
        environment.insert(QStringLiteral("PULSE_SERVER"),
                           QStringLiteral("unix:") + server->socket());
    } else {
        environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    }
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(QStringLiteral(SOUND_PROBE), {sandbox.path(QString())});
    QVERIFY(probe.waitForStarted());
    const bool ended = probe.waitForFinished(LimitMs);
    if (!ended) {
        probe.kill();
        probe.waitForFinished();
    }
    QVERIFY2(ended, "the probe froze");
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    // Every answer asked for a sound; each good file got one effect, which loaded.
    QCOMPARE(probe.readAllStandardOutput().trimmed(), QByteArray("60 3"));
}

void HostileMediaTest::progressiveScans_data()
{
    QTest::addColumn<int>("scans");
    QTest::addColumn<bool>("refused");

    QTest::addRow("twelve") << 12 << false;
    QTest::addRow("at_the_limit") << MaxJpegScans << false;
    QTest::addRow("one_over_the_limit") << MaxJpegScans + 1 << true;
    QTest::addRow("two_thousand") << 2090 << true;
}

// Refused at the first scan over the limit, whatever follows: the decoder stops there.
void HostileMediaTest::progressiveScans()
{
    QFETCH(int, scans);
    QFETCH(bool, refused);

    const QByteArray jpeg = jpegOfScans(scans, QSize(64, 48));
    QImage image;
    const QString error =
        errorOf([&] { image = decodeJpeg(jpeg, QStringLiteral("scans.jpg"), QSize(32, 24)); });
    if (refused) {
        QCOMPARE(error, QStringLiteral("Картинка scans.jpg не загружена: в ней больше %1 "
                                       "проходов (progressive scans), она загружалась бы "
                                       "слишком долго")
                            .arg(MaxJpegScans));
    } else {
        QCOMPARE(error, QString());
        QCOMPARE(image.size(), QSize(32, 24));
    }
}

void HostileMediaTest::scanLimit_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("limit");

    QTest::addRow("wallpaper") << QSize(1920, 1200) << MaxJpegScans;
    QTest::addRow("four_thousand_square") << QSize(4096, 4096) << 64;
    QTest::addRow("largest_allowed") << QSize(8192, 8192) << 16;
    QTest::addRow("empty") << QSize(0, 0) << MaxJpegScans;
}

// Large pictures get fewer scans: each scan costs in proportion to the picture.
void HostileMediaTest::scanLimit()
{
    QFETCH(QSize, picture);
    QFETCH(int, limit);
    QCOMPARE(jpegScanLimit(picture), limit);
}

void HostileMediaTest::specialFileInPlaceOfAPicture_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");

    QTest::addRow("fifo") << "fifo" << QStringLiteral("канал");
    QTest::addRow("link_to_dev_zero") << "zero" << QStringLiteral("устройство");
    QTest::addRow("folder") << "folder" << QStringLiteral("папка");
    QTest::addRow("over_the_size_limit") << "large" << QStringLiteral("слишком велик");
}

// Refused at once with the error box; a FIFO never blocks the opening, /dev/zero is never read.
void HostileMediaTest::specialFileInPlaceOfAPicture()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    AppSandbox sandbox;
    const QString path = sandbox.path(QStringLiteral("Img/wall.jpg"));
    sandbox.makeFolder(QStringLiteral("Img"));
    if (kind == QLatin1String("fifo")) {
        QVERIFY(makeSpecial(path, Special::Fifo));
    } else if (kind == QLatin1String("zero")) {
        QVERIFY(makeSpecial(path, Special::LinkToZero));
    } else if (kind == QLatin1String("folder")) {
        sandbox.makeFolder(QStringLiteral("Img/wall.jpg"));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(MaxJpegFileBytes + 1));
    }
    const QString error = errorOf([&] { loadStretchedJpeg(path, QSize(582, 382)); });
    QVERIFY2(error.contains(path) && error.contains(reason), qPrintable(error));
}

QTEST_MAIN(HostileMediaTest)
#include "tst_hostilemedia.moc"
