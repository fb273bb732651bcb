// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/SampleFiles.h"

#include <QFile>
#include <QStringEncoder>

#include "main/rules/ResultCodec.h"
#include "rules/Error.h"
#include "rules/Win1251.h"

namespace {

constexpr double FirstDay = 45000.0;
constexpr double GameDays = 0.003;
constexpr qint32 Answers = 40;
constexpr qint32 Errors = 10;
constexpr qint32 MaxScore = 500;
constexpr qint32 ScoreStride = 7919; // a prime, so the scores spread over the range

void writeWhole(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw Error(QStringLiteral("Cannot write %1").arg(path));
}

} // namespace

void writeResultFiles(const QString &folder, int count, int categories)
{
    std::deque<OneHiScore> records;
    std::deque<OneHistory> history;
    for (int i = 0; i < count; ++i) {
        const qint32 score = (i * ScoreStride) % MaxScore;
        const TDateTime date = FirstDay + i / 100.0;
        records.push_back({QStringLiteral("Маша"), 1, 30 + i % categories, 0, score, date, GameDays,
                           Answers, Errors});
        history.push_back({QStringLiteral("-"), QStringLiteral("Сложение от 1 до 30"), score, date,
                           GameDays, Answers});
    }
    writeWhole(folder + QStringLiteral("/SaveRes.res"), encodeEntries(records));
    writeWhole(folder + QStringLiteral("/SaveRes.hst"), encodeEntries(history));
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

void writeKvtml(const QString &path, int entries)
{
    QString text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" "
        "\"http://edu.kde.org/kvtml/kvtml2.dtd\">\n<kvtml version=\"2.0\" >\n"
        "<information><title>Словарь для замеров</title></information>\n<identifiers>"
        "<identifier id=\"0\"><locale>en</locale></identifier>"
        "<identifier id=\"1\"><locale>ru</locale></identifier></identifiers>\n<entries>\n");
    for (int i = 0; i < entries; ++i) {
        text += QStringLiteral("<entry id=\"%1\"><inactive>false</inactive>\n"
                               "<translation id=\"0\"><text>word%1</text><comment></comment>"
                               "</translation>\n<translation id=\"1\"><text>перевод номер %1 "
                               "для проверки скорости</text><comment></comment></translation>\n"
                               "</entry>\n")
                    .arg(i);
    }
    text += QStringLiteral("</entries>\n<lessons><container><name>Урок</name>\n");
    for (int i = 0; i < entries; ++i)
        text += QStringLiteral("<entry id=\"%1\" />\n").arg(i);
    text += QStringLiteral("</container></lessons>\n</kvtml>\n");
    writeWhole(path, text.toUtf8());
}
