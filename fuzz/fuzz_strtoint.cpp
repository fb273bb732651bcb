// SPDX-License-Identifier: GPL-3.0-or-later
// The integer conversion of the range boxes, the name check and the settings file, checked
// against a plain reference: any text, read once as Latin-1 and once as UTF-16, must give the
// reference's value, or no value exactly when the reference finds none.
#include <QString>

#include <charconv>
#include <cstring>
#include <limits>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "rules/Error.h"
#include "rules/StrToInt.h"

namespace {

// Leading blanks, a sign, "$", "x" or "0x" before hexadecimal digits, digits to the end, a value
// within qint32.
std::optional<qint32> referenceStrToInt(QStringView text)
{
    std::string ascii;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return std::nullopt;
        ascii.push_back(static_cast<char>(c.unicode()));
    }
    std::string_view rest(ascii);
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));

    const bool negative = rest.starts_with('-');
    if (negative || rest.starts_with('+'))
        rest.remove_prefix(1);

    int base = 10;
    for (const std::string_view prefix : {"$", "x", "X", "0x", "0X"}) {
        if (rest.starts_with(prefix) && rest.size() > prefix.size()) {
            base = 16;
            rest.remove_prefix(prefix.size());
            break;
        }
    }
    if (base == 10 && (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')))
        return std::nullopt; // a hexadecimal mark with no digits after it
    if (rest.empty())
        return std::nullopt;
    // from_chars takes no sign or mark of its own here: every character must be a digit.
    for (const char c : rest) {
        const bool decimal = c >= '0' && c <= '9';
        const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!decimal && !(base == 16 && hex))
            return std::nullopt;
    }
    rest.remove_prefix(std::min(rest.find_first_not_of('0'), rest.size() - 1));
    constexpr std::size_t MaxDigits = 12; // beyond any 32-bit value in either base
    if (rest.size() > MaxDigits)
        return std::nullopt;
    qint64 magnitude = 0;
    std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, base);
    const qint64 value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

void checkText(const QString &text)
{
    const std::optional<qint32> value = tryStrToInt(text);
    fuzzCheck(value == referenceStrToInt(text), "the conversion gives the reference's value");
    try {
        const qint32 converted = strToInt(text);
        fuzzCheck(value && converted == *value, "strToInt converts what tryStrToInt converts");
    } catch (const Error &error) {
        fuzzCheck(!value, "strToInt raises only for a text that does not convert");
        fuzzCheck(error.message() == QStringLiteral("'%1' is not a valid integer value").arg(text),
                  "the error names the text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes = fuzzBytes(data, size);
    checkText(QString::fromLatin1(bytes));
    QString utf16(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(utf16.data(), bytes.data(), std::size_t(utf16.size()) * sizeof(QChar));
    checkText(utf16);
    return 0;
}
