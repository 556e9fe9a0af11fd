#include "DriveIdentification.h"

#include "CommExchange.h"
#include "DetectExchange.h"
#include "FrameItemSource.h"
#include "app/InverterCatalog.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"

namespace {

// Language messages.
enum Message {
    OtherType = 74,
    OtherForm = 75,
    UnknownType = 76,
    UnknownForm = 77,
    ConnectedDrive = 78,
    OtherCpu = 106,
    UnknownCpu = 107,
    TransferQuestion1 = 108,
    TransferQuestion2 = 109,
};

// CPU numbers above this have their own form numbers in [<type>(V<cpu>)].
constexpr int LastSharedFormsCpu = 799;

}  // namespace

DriveIdentification::DriveIdentification(CommExchange &exchange, const FrameItemSource &items,
                                         DetectExchange &detect, const InverterCatalog &catalog,
                                         const MessageTable &messages, Prompter &prompter)
    : m_exchange(exchange), m_items(items), m_detect(detect), m_catalog(catalog), m_messages(messages),
      m_prompter(prompter)
{
}

DriveIdentification::Read DriveIdentification::read(const QString &comNo, const QString &data, char command)
{
    // Only what the definition table holds is asked for.
    const int index = m_items.indexOfComNo(comNo);
    if (index < 0)
        return {};
    bool &failed = m_exchange.CommErrorFlag();
    const int32_t value = m_exchange.exchange(index, data, failed, command);
    return failed ? Read{} : Read{true, int(value)};
}

QString DriveIdentification::typeName(const Read &typeNumber)
{
    if (!typeNumber.ok)
        return Unknown;
    const QString number = QString::number(typeNumber.value);
    const QString ident = m_catalog.typeIdentNumber(number);
    if (ident != QLatin1String("-")) {
        bool failed = false;
        const uint16_t value = m_detect.exchange(ident, QString(), failed, m_exchange.settings().isModbus(), 'R');
        if (!failed) {
            const QString name = m_catalog.typeIdentName(number, QString::number(value));
            if (name != QLatin1String("-"))
                return name;
        }
    }
    const QString name = m_catalog.typeNameOfNumber(number);
    return name.isEmpty() ? Unknown : name;
}

QString DriveIdentification::formName(const QString &type, const Read &formNumber, const Read &cpuNumber) const
{
    if (!formNumber.ok || type == Unknown)
        return Unknown;
    QString section = type;
    if (cpuNumber.ok && cpuNumber.value > LastSharedFormsCpu)
        section += QStringLiteral("(V%1)").arg(cpuNumber.value);
    const QString name = m_catalog.formNameOfNumber(section, QString::number(formNumber.value));
    return name.isEmpty() ? Unknown : name;
}

DriveIdentification::Result DriveIdentification::run(const Selected &selected, Purpose purpose, bool checkTypeForm)
{
    Result r;
    read(QStringLiteral("FB91"), QStringLiteral("251"), 'P');
    const Read type = read(QStringLiteral("FB07"));
    const Read form = read(QStringLiteral("FB05"));
    const Read cpu = read(QStringLiteral("FE08"));
    const Read cpu2 = read(QStringLiteral("FB72"));
    r.answered = type.ok || form.ok || cpu.ok || cpu2.ok;

    r.typeName = typeName(type);
    if (r.typeName == Unknown)
        r.messages << m_messages.text(UnknownType);
    else if (r.typeName != selected.typeName)
        r.messages << m_messages.text(OtherType);
    else
        r.TypeCheck = true;

    const int cpuIndex = cpu.ok ? int(selected.cpuNumbers.indexOf(QString::number(cpu.value))) : -1;
    r.cpuName = cpuIndex >= 0 ? selected.cpuVersions.value(cpuIndex, Unknown) : Unknown;
    if (r.cpuName == Unknown)
        r.messages << m_messages.text(UnknownCpu);
    else if (r.cpuName == selected.cpuVersion)
        r.CPUCheck = true;
    else if (purpose == Purpose::Comparison)
        r.messages << m_messages.text(OtherCpu);

    r.formName = formName(r.typeName, form, cpu);
    if (r.formName == Unknown)
        r.messages << m_messages.text(UnknownForm);
    else if (selected.formName.contains(r.formName) || r.formName.contains(selected.formName))
        r.FormCheck = true;
    else
        r.messages << m_messages.text(OtherForm);

    if (!r.messages.isEmpty() && checkTypeForm)
        show(r, purpose);
    return r;
}

QString DriveIdentification::heading(const Result &r) const
{
    return m_messages.text(ConnectedDrive) + r.typeName + r.formName + QStringLiteral(" (") + r.cpuName
        + QStringLiteral(")\n\n");
}

void DriveIdentification::show(Result &r, Purpose purpose)
{
    if (purpose == Purpose::Comparison) {
        m_prompter.message(heading(r) + r.messages.join(QLatin1Char('\n')), m_messages.caption(),
                           Prompter::Icon::Warning, Prompter::Buttons::Ok);
        m_prompter.pump();
        return;
    }
    const QString text = heading(r) + m_messages.text(TransferQuestion1) + QStringLiteral("\n\n")
        + m_messages.text(TransferQuestion2);
    const Prompter::Answer answer =
        m_prompter.message(text, m_messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::OkCancel);
    m_prompter.pump();
    if (answer == Prompter::Answer::Ok)
        r.openOptions = true;
    else
        r.ComCancel = true;
}
