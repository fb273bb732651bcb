// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/KvtmlDictionary.h"

#include <QXmlStreamReader>

#include <array>

#include "main/rules/Dictionary.h"
#include "main/rules/KvtmlScanner.h"
#include "rules/Error.h"
#include "rules/NativeName.h"

namespace {

constexpr QStringView KvtmlSuffix = u".kvtml";
constexpr qsizetype NoSide = -1;

// Reads one file: the document type first, then the entries of the <kvtml> element. Errors of
// its own are raised in the XML reader, which then stops, so that one check at the end reports
// every kind.
class KvtmlReader {
public:
    explicit KvtmlReader(QByteArrayView bytes)
        : m_xml(QByteArray::fromRawData(bytes.data(), bytes.size()))
    {
    }

    QStringList read()
    {
        readProlog();
        if (m_xml.isStartElement())
            readDocument();
        // Past the cut the rest stays unread; otherwise a fault after the last entry counts too.
        while (!full() && !m_xml.atEnd())
            m_xml.readNext();
        return std::move(m_lines);
    }

    bool failed() const { return m_xml.hasError(); }

    QString reason() const
    {
        const qint64 line = m_xml.lineNumber();
        switch (m_xml.error()) {
        case QXmlStreamReader::CustomError:
            return m_xml.errorString();
        case QXmlStreamReader::PrematureEndOfDocumentError:
            return QStringLiteral("файл обрывается в строке %1").arg(line);
        default:
            return QStringLiteral("ошибка в разметке XML или в кодировке в строке %1").arg(line);
        }
    }

private:
    bool full() const { return m_lines.size() >= MaxDictionaryEntries; }

    // Up to the root element. Entities are declared only in the document type, which comes
    // before the root: refused there, none is ever expanded.
    void readProlog()
    {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::DTD && !m_xml.entityDeclarations().isEmpty()) {
                refuse(QStringLiteral("в строке %1 объявлены сущности XML, такой словарь не "
                                      "читается")
                           .arg(m_xml.lineNumber()));
            } else if (token == QXmlStreamReader::StartElement) {
                if (m_xml.name() != u"kvtml")
                    refuse(QStringLiteral("это не словарь KVTML"));
                return;
            }
        }
    }

    void readDocument()
    {
        while (!full() && m_xml.readNextStartElement()) {
            if (m_xml.name() == u"entries")
                readEntries();
            else if (m_xml.name() == u"e")
                readOldEntry();
            else
                m_xml.skipCurrentElement();
        }
    }

    void readEntries()
    {
        while (!full() && m_xml.readNextStartElement()) {
            if (m_xml.name() == u"entry")
                readEntry();
            else
                m_xml.skipCurrentElement();
        }
    }

    // KVTML 2: <entry><translation id="0"><text>..</text>..</translation>..</entry>.
    void readEntry()
    {
        std::array<QString, 2> sides;
        std::array<bool, 2> seen{};
        while (m_xml.readNextStartElement()) {
            const qsizetype side = m_xml.name() == u"translation"
                                       ? sideOf(m_xml.attributes().value(QLatin1String("id")))
                                       : NoSide;
            if (side != NoSide && !seen[side]) {
                seen[side] = true;
                sides[side] = readFirst(u"text");
            } else {
                m_xml.skipCurrentElement();
            }
        }
        add(sides[0], sides[1]);
    }

    static qsizetype sideOf(QStringView id)
    {
        if (id == u"0")
            return 0;
        return id == u"1" ? 1 : NoSide;
    }

    // The text of the first child element of this name; the other children are skipped.
    QString readFirst(QStringView name)
    {
        QString text;
        bool seen = false;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == name && !seen) {
                seen = true;
                text = readText();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        return text;
    }

    // KVTML 1: <e><o>word</o><t>translation</t>..</e>.
    void readOldEntry()
    {
        std::array<QString, 2> sides;
        std::array<bool, 2> seen{};
        while (m_xml.readNextStartElement()) {
            const qsizetype side = m_xml.name() == u"o" ? 0 : (m_xml.name() == u"t" ? 1 : NoSide);
            if (side != NoSide && !seen[side]) {
                seen[side] = true;
                sides[side] = readText();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        add(sides[0], sides[1]);
    }

    // The character data of the current element; markup inside it is left out.
    // A reference to an undeclared entity, which the reader leaves unexpanded when the document
    // type names an external one, refuses the file.
    QString readText()
    {
        QString text;
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::Characters:
                text += m_xml.text();
                break;
            case QXmlStreamReader::EntityReference:
                refuse(QStringLiteral("в строке %1 ссылка на сущность XML «&%2;», такой словарь "
                                      "не читается")
                           .arg(m_xml.lineNumber())
                           .arg(m_xml.name()));
                return {};
            case QXmlStreamReader::StartElement:
                m_xml.skipCurrentElement();
                break;
            case QXmlStreamReader::EndElement:
                return text;
            default:
                break;
            }
        }
        return text;
    }

    void add(const QString &word, const QString &translation)
    {
        const QString line = kvtmlEntryLine(word, translation);
        if (!line.isEmpty())
            m_lines.append(line);
    }

    void refuse(const QString &reason) { m_xml.raiseError(reason); }

    QXmlStreamReader m_xml;
    QStringList m_lines;
};

} // namespace

bool isKvtmlFileName(QStringView name)
{
    return name.endsWith(KvtmlSuffix, Qt::CaseInsensitive);
}

bool holdsSecondTranslation(QByteArrayView bytes)
{
    constexpr QByteArrayView Closing = "</translation>";
    constexpr QByteArrayView TextStart = "<text>";
    for (const QByteArrayView opening :
         {QByteArrayView("<translation id=\"1\""), QByteArrayView("<translation id='1'")}) {
        // Each search goes on after the translation before, so that the look stays linear.
        for (qsizetype at = bytes.indexOf(opening); at >= 0; at = bytes.indexOf(opening, at)) {
            const qsizetype end = bytes.indexOf(Closing, at);
            if (end < 0)
                break;
            const qsizetype text = bytes.sliced(at, end - at).indexOf(TextStart);
            if (text >= 0 && bytes[at + text + TextStart.size()] != '<')
                return true;
            at = end;
        }
    }
    return false;
}

QStringList parseKvtml(QByteArrayView bytes, const QString &path)
{
    if (std::optional<QStringList> lines = scanPlainKvtml(bytes))
        return std::move(*lines);
    return parseKvtmlXml(bytes, path);
}

QStringList parseKvtmlXml(QByteArrayView bytes, const QString &path)
{
    KvtmlReader reader(bytes);
    QStringList lines = reader.read();
    if (reader.failed()) {
        throw Error(QStringLiteral("Не удалось прочитать словарь %1: %2")
                        .arg(shownPath(path), reader.reason()));
    }
    return lines;
}
