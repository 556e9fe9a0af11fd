#include "InverterInfo.h"

#include "AlarmTripLists.h"
#include "MonitorValues.h"
#include "app/InverterCatalog.h"
#include "app/MessageTable.h"
#include "base/IniFile.h"
#include "base/Prompter.h"
#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"
#include "comm/DriveIdentification.h"
#include "model/DriveData.h"
#include "model/NumberText.h"
#include "model/ValueConversion.h"
#include "transfer/TransferReport.h"

namespace {

const QString Section = QStringLiteral("InverterInfo");
constexpr int NoItemsMessage = 8;

QStringList sectionValues(const IniFile &language, const QStringList &keys)
{
    QStringList values;
    for (const QString &key : keys)
        values << language.readString(Section, key, InverterInfo::NoValue);
    return values;
}

// Bit `bit` of a 16-bit word; bits outside 0..15 read as 0.
bool bitOf(qint64 word, int bit)
{
    return bit >= 0 && bit < 16 && ((word >> bit) & 1);
}

}  // namespace

InverterInfo::InverterInfo(DriveData &data, CommExchange &exchange, DetectExchange &detect,
                           const InverterCatalog &catalog, const AlarmTripLists &trips, const MessageTable &messages,
                           Prompter &prompter)
    : m_data(data), m_exchange(exchange), m_detect(detect), m_catalog(catalog), m_trips(trips), m_messages(messages),
      m_prompter(prompter)
{
}

std::optional<InverterInfo::Value> InverterInfo::read(int index)
{
    bool &failed = m_exchange.CommErrorFlag();
    const int32_t word = m_exchange.exchange(index, QString(), failed, 'R');
    // A value the drive did not send is never shown as if it had.
    if (failed) {
        ++m_failedReads;
        return std::nullopt;
    }
    ValueConversion conversion(m_data);
    Value v;
    v.number = conversion.RawToValueText(quint32(word), index).toLongLong();
    v.scaled = double(v.number) / conversion.mulOf(index);
    return v;
}

bool InverterInfo::CollectInverterInfo(const IniFile &language, const QString &typeName, TransferReport &report)
{
    const QStringList keys = language.keys(Section);
    if (keys.isEmpty()) {
        m_prompter.message(m_messages.text(NoItemsMessage), m_messages.caption(), Prompter::Icon::Warning,
                           Prompter::Buttons::Ok);
        m_prompter.pump();
        return false;
    }
    const QStringList values = sectionValues(language, keys);
    report.append(values.first());
    m_failedReads = 0;
    if (const int fb91 = m_data.IndexOfComNo(u"FB91"); fb91 >= 0)
        m_exchange.exchange(fb91, QStringLiteral("251"), m_exchange.CommErrorFlag(), 'P');
    m_foundType.clear();
    for (qsizetype i = 2; i < keys.size(); ++i) {
        if (keys.at(i).startsWith(QLatin1String("cr"))) {
            report.append(QString());
            continue;
        }
        report.append(keys.at(i) + valueText(values.at(i), typeName));
    }
    return true;
}

QString InverterInfo::valueText(const QString &comNo, const QString &typeName)
{
    const int index = m_data.IndexOfComNo(comNo);
    if (index < 0)
        return NoValue;
    const std::optional<Value> v = read(index);
    if (!v)
        return NoValue;
    const QString number = comNo.toUpper();
    if (number == QLatin1String("FB07"))
        return typeText(*v);
    if (number == QLatin1String("FB05"))
        return formText(*v);
    if (number == QLatin1String("FE73")) {
        const qint64 whole = NumberText::truncate(v->scaled);
        return m_catalog.cpu2Code(typeName) == QLatin1String("D") ? QString::number(whole)
                                                                   : ValueConversion::HexText(whole);
    }
    if (number == QLatin1String("FE10") || number == QLatin1String("FE11") || number == QLatin1String("FE12")
        || number == QLatin1String("FE13"))
        return tripText(*v);
    if (number == QLatin1String("FE14"))
        return NumberText::format(v->scaled * 100.0);
    return FormatItemValue(m_data, index, v->scaled);
}

QString InverterInfo::typeText(const Value &v)
{
    DriveFrameItems items(m_data);
    DriveIdentification lookup(m_exchange, items, m_detect, m_catalog, m_messages, m_prompter);
    m_foundType = lookup.typeNameOf(int(NumberText::truncate(v.scaled)));
    return m_foundType;
}

QString InverterInfo::formText(const Value &v)
{
    if (m_foundType.isEmpty() || m_foundType == DriveIdentification::Unknown)
        return DriveIdentification::Unknown;
    // The CPU number decides whether the CPU has form numbers of its own.
    int cpu = -1;
    if (const int fe08 = m_data.IndexOfComNo(u"FE08"); fe08 >= 0)
        if (const std::optional<Value> c = read(fe08))
            cpu = int(c->number);
    DriveFrameItems items(m_data);
    DriveIdentification lookup(m_exchange, items, m_detect, m_catalog, m_messages, m_prompter);
    return lookup.formNameOf(m_foundType, int(NumberText::truncate(v.scaled)), cpu);
}

QString InverterInfo::tripText(const Value &v) const
{
    const qint64 code = NumberText::truncate(v.scaled);
    // A code the trip list does not name is shown as the number the drive sent.
    return m_trips.tripName(code).value_or(QString::number(code));
}

void InverterInfo::CollectTripValues(const IniFile &language, const QList<MonitorItem> &items,
                                     TransferReport &report)
{
    const QStringList keys = language.keys(Section);
    m_failedReads = 0;
    report.insertFirst(keys.size() > 1 ? language.readString(Section, keys.at(1), NoValue) : NoValue);
    report.append(QString());
    for (const MonitorItem &item : items) {
        const int index = m_data.IndexOfComNo(item.code.left(4));
        QString text = NoValue;
        if (index >= 0) {
            if (const std::optional<Value> v = read(index)) {
                const bool bitItem = item.code.size() > 5 && item.code.at(4) == u'-';
                text = bitItem ? (bitOf(v->number, item.code.mid(5, 2).toInt()) ? QStringLiteral("ON")
                                                                                : QStringLiteral("OFF"))
                               : FormatItemValue(m_data, index, v->scaled);
            }
        }
        report.append(item.name + QStringLiteral(" : ") + text);
    }
}
