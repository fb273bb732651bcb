// SPDX-License-Identifier: GPL-3.0-or-later
// A settings file of any bytes. Every key it holds reads within bounds; a key then written
// reads back unchanged, before and after the file is saved and read again, and every other
// key keeps its value. A file over the size limit is refused and left as it is.
#include <QFile>
#include <QTemporaryDir>

#include <vector>

#include "ExecStat/rules/IniFile.h"
#include "fuzz/FuzzCheck.h"
#include "rules/Error.h"
#include "rules/Win1251.h"

namespace {

struct Key {
    QString section;
    QString key;
    QString value;
};

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    return text;
}

// The sections and keys of the file as a reader of INI files sees them.
std::vector<Key> keysOf(QByteArrayView bytes)
{
    std::vector<Key> keys;
    QString section;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = trimmedBlanks(bytes.sliced(start, end - start));
        start = end + 1;
        if (line.endsWith('\r'))
            line = trimmedBlanks(line.chopped(1));
        if (line.startsWith('[')) {
            if (const qsizetype close = line.indexOf(']'); close > 0)
                section = fromWin1251(trimmedBlanks(line.sliced(1, close - 1)));
            continue;
        }
        if (line.startsWith(';'))
            continue;
        if (const qsizetype equals = line.indexOf('='); equals > 0)
            keys.push_back({section, fromWin1251(trimmedBlanks(line.first(equals))), {}});
    }
    return keys;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A name as the program writes them: letters and digits only.
QString nameOf(QByteArrayView bytes)
{
    QString name;
    for (const char c : bytes) {
        if (QChar::fromLatin1(c).isLetterOrNumber() && quint8(c) < 0x80)
            name.append(QLatin1Char(c));
    }
    return name.isEmpty() ? QStringLiteral("Key") : name;
}

// Splits the fuzz bytes into section name, key name, value and the file.
struct Input {
    QString section;
    QString key;
    QString value;
    QByteArrayView file;
};

Input split(QByteArrayView bytes)
{
    constexpr qsizetype HeaderBytes = 3;
    if (bytes.size() < HeaderBytes)
        return {QStringLiteral("Section"), QStringLiteral("Key"), QString(), bytes};
    const qsizetype sectionLength = quint8(bytes[0]) % 8;
    const qsizetype keyLength = quint8(bytes[1]) % 8;
    const qsizetype valueLength = quint8(bytes[2]);
    QByteArrayView rest = bytes.sliced(HeaderBytes);
    auto take = [&rest](qsizetype n) {
        const QByteArrayView taken = rest.first(std::min(n, rest.size()));
        rest = rest.sliced(taken.size());
        return taken;
    };
    const QString section = nameOf(take(sectionLength));
    const QString key = nameOf(take(keyLength));
    const QString value = fromWin1251(take(valueLength));
    return {section, key, value, rest};
}

const QString &iniPath()
{
    static const QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("fuzz.ini"));
    return path;
}

void writeFile(QByteArrayView bytes)
{
    QFile file(iniPath());
    fuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the scratch file opens");
    fuzzCheck(file.write(bytes.data(), bytes.size()) == bytes.size(),
              "the scratch file is written");
}

void readAll(const IniFile &ini, std::vector<Key> &keys)
{
    for (Key &key : keys) {
        key.value = ini.readString(key.section, key.key);
        fuzzCheck(key.value.size() <= IniFile::MaxValueLength, "values are capped");
    }
}

void checkOthersKept(const IniFile &ini, const std::vector<Key> &keys, const Input &input)
{
    for (const Key &key : keys) {
        if (sameName(key.section, input.section) && sameName(key.key, input.key))
            continue;
        fuzzCheck(ini.readString(key.section, key.key) == key.value,
                  "writing one key leaves every other key as it was");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Input input = split(fuzzBytes(data, size));
    // Inputs are far smaller than the limit: one that ends in LargeFileMark stands for a file
    // just over it, made of its first byte.
    constexpr char LargeFileMark = '\xFF';
    const QByteArray file = input.file.size() > 0 && input.file.back() == LargeFileMark
                                ? QByteArray(IniFile::MaxFileBytes + 1, input.file.front())
                                : input.file.toByteArray();
    if (file.size() > IniFile::MaxFileBytes) {
        writeFile(file);
        bool refused = false;
        try {
            IniFile ini(iniPath());
        } catch (const Error &) {
            refused = true;
        }
        fuzzCheck(refused, "a file over the size limit is refused");
        QFile written(iniPath());
        fuzzCheck(written.open(QIODevice::ReadOnly) && written.readAll() == file,
                  "a refused file is left as it was");
        return 0;
    }
    writeFile(input.file);

    std::vector<Key> keys = keysOf(input.file);
    QString expected = input.value;
    // A value is one line.
    expected.replace(QChar(u'\r'), QChar(u' ')).replace(QChar(u'\n'), QChar(u' '));

    {
        IniFile ini(iniPath());
        readAll(ini, keys);
        ini.writeString(input.section, input.key, input.value);
        fuzzCheck(ini.readString(input.section, input.key) == expected,
                  "a written value reads back unchanged");
        checkOthersKept(ini, keys, input);
        ini.flush();
    }
    const IniFile reread(iniPath());
    fuzzCheck(reread.readString(input.section, input.key) == expected,
              "a saved value reads back unchanged from the file");
    checkOthersKept(reread, keys, input);
    return 0;
}
