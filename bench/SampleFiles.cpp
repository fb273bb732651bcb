#include "bench/SampleFiles.h"

#include <QFile>
#include <QStringEncoder>
#include <QtEndian>

#include <cstring>

#include "ui/Error.h"
#include "ui/Win1251.h"

namespace {

constexpr int RecordSize = 72;
constexpr int HistorySize = 112;
constexpr double FirstDay = 45000.0;

void putShortString(char *at, const QByteArray &text, int capacity)
{
    const auto length = static_cast<int>(std::min<qsizetype>(text.size(), capacity));
    at[0] = static_cast<char>(length);
    std::memcpy(at + 1, text.constData(), static_cast<std::size_t>(length));
}

void putInt(char *at, qint32 value)
{
    qToLittleEndian(value, at);
}

void putDouble(char *at, double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, at);
}

void writeWhole(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw Error(QStringLiteral("Cannot write %1").arg(path));
}

} // namespace

void writeResultFiles(const QString &folder, int count, int categories)
{
    QByteArray records(qsizetype(count) * RecordSize, '\0');
    QByteArray history(qsizetype(count) * HistorySize, '\0');
    const QByteArray name = toWin1251(QStringLiteral("Маша"));
    const QByteArray description = toWin1251(QStringLiteral("Сложение от 1 до 30"));
    for (int i = 0; i < count; ++i) {
        char *r = records.data() + qsizetype(i) * RecordSize;
        putShortString(r, name, 30);
        putInt(r + 32, 1);
        putInt(r + 36, 30 + i % categories);
        putInt(r + 40, 0);
        putInt(r + 44, (i * 7919) % 500);
        putDouble(r + 48, FirstDay + i / 100.0);
        putDouble(r + 56, 0.003);
        putInt(r + 64, 40);
        putInt(r + 68, 10);

        char *h = history.data() + qsizetype(i) * HistorySize;
        putShortString(h, "-", 30);
        putShortString(h + 31, description, 50);
        putInt(h + 84, (i * 7919) % 500);
        putDouble(h + 88, FirstDay + i / 100.0);
        putDouble(h + 96, 0.003);
        putInt(h + 104, 40);
    }
    writeWhole(folder + QStringLiteral("/SaveRes.res"), records);
    writeWhole(folder + QStringLiteral("/SaveRes.hst"), history);
}

void writeDictionary(const QString &path, int entries, bool utf16)
{
    QString text = QStringLiteral("Словарь для замеров\r\n");
    for (int i = 0; i < entries; ++i)
        text += QStringLiteral("word%1\tперевод номер %1 для проверки скорости\r\n").arg(i);
    QByteArray bytes;
    if (utf16) {
        QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        bytes = encoder.encode(text);
    } else {
        bytes = toWin1251(text);
    }
    writeWhole(path, bytes);
}
