#include "ConfigFile.h"

#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/AtomicFile.h"
#include "base/ScriptedPrompter.h"
#include "comm/Crc16.h"
#include "model/DriveData.h"
#include "model/ParameterValues.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QLatin1String ChecksumStart("<!--ChecksumData::");
const QLatin1String ChecksumEnd("-->");
const QLatin1String DataLine("<Data>");

QString hex4(qint64 value, bool upper)
{
    const QString text = QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
    return upper ? text.toUpper() : text;
}

int decimal(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

// Key of number n of a group as the definitions spell it: "0123", "A123", "C123".
QString keyOf(int group, int n)
{
    if (group == 0)
        return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
    return QLatin1Char(group == 1 ? 'A' : 'C') + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

struct Block {
    int entries = 0;
    QString text;
};

Block blockOf(const ParameterValues &values, int group, int hundred, QStringList *tooLarge)
{
    Block block;
    for (int n = hundred * 100; n < hundred * 100 + 100; ++n) {
        const QString key = keyOf(group, n);
        const qint64 value = values.IntValueOfComNo(key);
        if (value < 0)
            continue;
        if (value > 0xFFFF) {
            if (tooLarge)
                tooLarge->append(key);
            continue;
        }
        block.text += key.toLower() + hex4(value, group != 0);
        ++block.entries;
    }
    return block;
}

void newline(QXmlStreamWriter &w)
{
    w.writeCharacters(QStringLiteral("\n"));
}

QString compatibilityLine(const DriveSelection &selection, const ParameterValues &values)
{
    const qint64 fb72 = values.IntValueOfComNo(QStringLiteral("FB72"));
    // A drive without FB72 (or with a value that does not fit) gives 0000 there.
    const qint64 fb72Shown = fb72 < 0 || fb72 > 0xFFFF ? 0 : fb72;
    return QStringLiteral("FB07") + hex4(decimal(selection.typeNumber), true) + QStringLiteral("FB05")
        + hex4(decimal(selection.formNumber), true) + QStringLiteral("FB72") + hex4(fb72Shown, true)
        + QStringLiteral("FE08") + hex4(decimal(selection.cpuNumber), true);
}

void writeBlocks(QXmlStreamWriter &w, const ParameterValues &values, QStringList *tooLarge)
{
    for (int group = 0; group < 3; ++group) {
        for (int hundred = 0; hundred < 10; ++hundred) {
            const Block block = blockOf(values, group, hundred, tooLarge);
            if (block.entries == 0)
                continue;
            // The block number is the hundred plus one read as hexadecimal: 1 to 9, then 16.
            const int number = QString::number(hundred + 1).toInt(nullptr, 16);
            w.writeStartElement(QStringLiteral("CfgFile"));
            w.writeAttribute(QStringLiteral("DataSize"), QString::number(8 * block.entries));
            w.writeAttribute(QStringLiteral("CfgFileID"),
                             QStringLiteral("0.0.%1.%2").arg(group).arg(number));
            newline(w);
            w.writeStartElement(QStringLiteral("Data"));
            newline(w);
            w.writeCharacters(block.text);
            w.writeEndElement();
            newline(w);
            w.writeEndElement();
            newline(w);
        }
    }
}

}  // namespace

QString ConfigFile::errText()
{
    return QStringLiteral("Err.");
}

QByteArray ConfigFile::build(DriveData &data, const DriveSelection &selection, const QString &deviceId,
                             QStringList *tooLarge)
{
    // IntValueOfComNo only reads and shows no message.
    const MessageTable messages;
    ScriptedPrompter prompter;
    const ParameterValues values(data, messages, prompter);

    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    newline(w);
    w.writeStartElement(QStringLiteral("n1:SystemConfigurationFile"));
    w.writeAttribute(QStringLiteral("SystemCfgTransferMode"), QStringLiteral("KSL"));
    newline(w);
    w.writeStartElement(QStringLiteral("SystemConfigurationFilecomment"));
    w.writeCharacters(QStringLiteral("\nCreated By VKR410T\n"));
    w.writeEndElement();
    newline(w);
    w.writeStartElement(QStringLiteral("Device"));
    w.writeAttribute(QStringLiteral("DeviceSlot"), QStringLiteral("0"));
    w.writeAttribute(QStringLiteral("DeviceID"), deviceId);
    newline(w);
    w.writeStartElement(QStringLiteral("DeviceCompatibilityData"));
    w.writeCharacters(QLatin1Char('\n') + compatibilityLine(selection, values) + QLatin1Char('\n'));
    w.writeEndElement();
    newline(w);
    w.writeStartElement(QStringLiteral("ConfigurationSlot"));
    w.writeAttribute(QStringLiteral("ConfigurationSlotID"), QStringLiteral("0"));
    newline(w);
    writeBlocks(w, values, tooLarge);
    for (int closing = 0; closing < 3; ++closing) {
        w.writeEndElement();
        newline(w);
    }
    out += QByteArray(ChecksumStart.data()) + checksumText(out).toLatin1() + QByteArray(ChecksumEnd.data())
        + QByteArrayLiteral("\n\r\n");
    return out;
}

bool ConfigFile::write(const QString &path, const QByteArray &bytes, QString *error)
{
    return AtomicFile::write(path, bytes, error);
}

QString ConfigFile::checksumText(const QByteArray &bytes)
{
    return hex4(Crc16::mcrf4xx(bytes), true);
}

ConfigFile::Check ConfigFile::check(const QByteArray &bytes)
{
    Check c;
    QXmlStreamReader xml(bytes);
    // The root element's "n1" prefix is never declared; the files are read as plain XML.
    xml.setNamespaceProcessing(false);
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        return c;
    const qsizetype start = bytes.lastIndexOf(QByteArray(ChecksumStart.data()));
    if (start < 0 || (start > 0 && bytes.at(start - 1) != '\n'))
        return c;
    const qsizetype from = start + ChecksumStart.size();
    const qsizetype end = bytes.indexOf(QByteArray(ChecksumEnd.data()), from);
    if (end < 0)
        return c;
    c.stored = QString::fromLatin1(bytes.mid(from, end - from));
    c.computed = checksumText(bytes.left(start));
    c.integrity = c.stored.compare(c.computed, Qt::CaseInsensitive) == 0 ? Integrity::Sound
                                                                         : Integrity::ChecksumMismatch;
    return c;
}

QString ConfigFile::specialSetupText(const QStringList &lines, const MessageTable &messages)
{
    const qsizetype first = lines.indexOf(DataLine);
    if (first < 0)
        return {};
    bool region = false;
    bool application = false;
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (!line.startsWith(QLatin1String("0900")))
            continue;
        for (qsizetype j = 0; j + 8 <= line.size(); j += 8) {
            const QStringView key = QStringView(line).mid(j, 4);
            const QStringView value = QStringView(line).mid(j + 4, 4);
            if (key == QLatin1String("0998") && value != QLatin1String("0001"))
                region = true;
            if (key == QLatin1String("0999") && value != QLatin1String("0002"))
                application = true;
        }
    }
    if (!region && !application)
        return {};
    QString text;
    if (region)
        text += messages.text(103) + QLatin1Char('\n');
    if (application)
        text += messages.text(104) + QLatin1Char('\n');
    return text + QLatin1Char('\n') + messages.text(105);
}

void ConfigFile::collect(const QStringList &lines, QStringList *keys, QStringList *values)
{
    for (qsizetype p = lines.indexOf(DataLine); p >= 0 && p < lines.size() && lines.at(p).contains(DataLine);
         p += 4) {
        const QString line = lines.value(p + 1);
        for (qsizetype j = 0; j + 4 <= line.size(); j += 8) {
            const QString key = line.mid(j, 4);
            if (key.contains(QLatin1Char('<')))
                break;
            keys->append(key);
            values->append(line.mid(j + 4, 4));
        }
    }
}

QString ConfigFile::ConfigValueOf(const QStringList &keys, const QStringList &values, const QString &key)
{
    qsizetype at = 0;
    while (at < keys.size() && keys.at(at).compare(key, Qt::CaseInsensitive) != 0)
        ++at;
    if (at == keys.size())
        return errText();
    bool ok = false;
    const uint value = values.value(at).toUInt(&ok, 16);
    return ok ? QString::number(value) : errText();
}

ConfigFile::DriveNumbers ConfigFile::driveNumbers(const QStringList &lines)
{
    const QString line = lines.value(7);
    auto number = [&line](qsizetype from) {
        bool ok = false;
        const int v = line.mid(from, 4).toInt(&ok, 16);
        return ok && line.size() >= from + 4 ? v : -1;
    };
    return {number(4), number(12), number(28)};
}
