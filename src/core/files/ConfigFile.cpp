#include "ConfigFile.h"

#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/AtomicFile.h"
#include "base/ScriptedPrompter.h"
#include "comm/Crc16.h"
#include "model/DriveData.h"
#include "model/ParameterValues.h"

#include <array>

#include <QMap>
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

// Group of a communication number: 0 for 0000-0999, 1 for A000-A999, 2 for C000-C999, -1
// for every other number.
int groupOf(const QString &comNo)
{
    if (comNo.size() != 4)
        return -1;
    for (int i = 1; i < 4; ++i) {
        if (!comNo.at(i).isDigit() || comNo.at(i).unicode() > '9')
            return -1;
    }
    const QChar first = comNo.at(0);
    return first == QLatin1Char('0') ? 0 : first == QLatin1Char('A') ? 1 : first == QLatin1Char('C') ? 2 : -1;
}

struct Block {
    int entries = 0;
    QString text;
};
using Blocks = std::array<std::array<Block, 10>, 3>;  // group, hundred

// The entries of every block, each in key order. Only the parameters of the three families
// are looked at; a number defined twice counts once, with the value its look-up gives.
Blocks blocksOf(const DriveData &data, const ParameterValues &values, QStringList *tooLarge)
{
    QMap<QString, qint64> byKey;
    for (int i = 0; i <= data.lastIndex; ++i) {
        const QString &comNo = data.paraDat.at(i, ParaDat::ComNo);
        if (groupOf(comNo) >= 0 && !byKey.contains(comNo))
            byKey.insert(comNo, values.IntValueOfComNo(comNo));
    }
    Blocks blocks;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        const qint64 value = it.value();
        if (value < 0)
            continue;
        if (value > 0xFFFF) {
            if (tooLarge)
                tooLarge->append(it.key());
            continue;
        }
        const int group = groupOf(it.key());
        Block &block = blocks[size_t(group)][size_t(it.key().at(1).digitValue())];
        block.text += it.key().toLower() + hex4(value, group != 0);
        ++block.entries;
    }
    return blocks;
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

void writeBlocks(QXmlStreamWriter &w, const Blocks &blocks)
{
    for (int group = 0; group < 3; ++group) {
        for (int hundred = 0; hundred < 10; ++hundred) {
            const Block &block = blocks[size_t(group)][size_t(hundred)];
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
    writeBlocks(w, blocksOf(data, values, tooLarge));
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
