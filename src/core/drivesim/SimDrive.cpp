#include "SimDrive.h"

#include "SimFrames.h"
#include "SimPanel.h"
#include "SimStateFile.h"

#include <cmath>

namespace {

enum Address : quint16 {
    SpecialSetup1 = 0x0998,
    SpecialSetup2 = 0x0999,
    KeyStrobe = 0xFA10,
    KeyCode = 0xFA11,
    FormNumber = 0xFB05,
    TypeNumber = 0xFB07,
    OldFormNumber = 0xFB58,
    CpuNumber2 = 0xFB72,
    LinkMode = 0xFB91,
    PanelBlock = 0xFC10,
    OldPanelBlock = 0xF300,  // "r300"
    TripCode = 0xFC90,
    AlarmWord = 0xFC91,
    CpuNumber = 0xFE08,
    TripHistory0 = 0xFE10,
    TripHistory3 = 0xFE13,
    RatedCurrent = 0xFE70,
    RatedVoltage = 0xFE71,
};

// Drives of this type number identify themselves the old way: no FB07, the type number
// at FB05 and the form number at FB58.
constexpr int OldStyleType = 65;

}  // namespace

SimDrive::SimDrive(SimDriveData data, int inverterNumber, quint32 seed)
    : m_data(std::move(data))
    , m_number(inverterNumber)
    , m_motion(seed)
{
    m_values.reserve(m_data.parameters.size());
    for (size_t i = 0; i < m_data.parameters.size(); ++i) {
        const SimParameter &p = m_data.parameters[i];
        if (!m_index.contains(p.address))
            m_index.insert(p.address, int(i));
        m_values.push_back(p.factory);
    }
    m_motion.setAlarmCount(int(m_data.alarmNames.size()));
    assignMonitorRoles();
    setUpFrequencyCommand();
}

void SimDrive::assignMonitorRoles()
{
    // Items are recognised by their units: the first two in hertz are the output frequency
    // and the frequency command, percent items with ampere or volt alternatives are the
    // current and the voltages, other percent items follow the load.
    auto claim = [this](quint16 address, Role role) {
        const bool shared = role == Role::Terminal || role == Role::DcBus || role == Role::Load;
        for (Role r : std::as_const(m_roles))
            if (r == role && !shared)
                return false;
        m_roles.insert(address, role);
        return true;
    };
    for (const SimMonitorItem &item : m_data.monitorItems) {
        if (m_roles.contains(item.address))
            continue;
        if (item.bit >= 0)
            claim(item.address, Role::Terminal);
        else if (item.unit.contains(QLatin1String("Hz"), Qt::CaseInsensitive))
            claim(item.address, Role::OutputHz) || claim(item.address, Role::CommandHz);
        else if (item.altUnit == QLatin1String("(A)"))
            claim(item.address, Role::CurrentPercent);
        else if (item.unit == QLatin1String("(A)"))
            claim(item.address, Role::CurrentAmps);
        else if (item.altUnit == QLatin1String("(V)"))
            claim(item.address, Role::VoltagePercent) || claim(item.address, Role::DcBus);
        else if (item.unit == QLatin1String("(V)"))
            claim(item.address, Role::Volts);
        else if (item.unit == QLatin1String("(%)"))
            claim(item.address, Role::Load);
    }
}

void SimDrive::setUpFrequencyCommand()
{
    if (m_data.freqCommComNo.isEmpty())
        return;
    m_freqIndex = parameterIndex(SimFrames::addressOf(m_data.freqCommComNo));
    if (m_freqIndex < 0)
        return;
    const SimParameter &p = m_data.parameters[size_t(m_freqIndex)];
    const auto high = highLimit(m_freqIndex);
    if (high && *high > 0)
        m_motion.setMaxHz(double(*high) / qMax(1, p.mul));
    m_motion.setCommandHz(double(m_values[size_t(m_freqIndex)]) / qMax(1, p.mul));
}

void SimDrive::setTripAfter(double seconds)
{
    int code = 1;
    for (qsizetype i = 1; i < m_data.tripCodes.size() && code == 1; ++i)
        if (m_data.tripCodes[i] > 0)
            code = m_data.tripCodes[i];
    m_motion.setTripAfter(qint64(seconds * 1000.0), code);
}

void SimDrive::attachState(SimStateFile *state)
{
    m_state = state;
    if (!state)
        return;
    for (size_t i = 0; i < m_values.size(); ++i)
        if (auto v = state->value(m_number, m_data.label(), m_data.parameters[i].comNo))
            m_values[i] = *v;
    setUpFrequencyCommand();
}

bool SimDrive::isBlock(quint16 address)
{
    return address == PanelBlock || address == OldPanelBlock;
}

std::optional<qint64> SimDrive::parameterValue(const QString &comNo) const
{
    const int i = parameterIndex(SimFrames::addressOf(comNo));
    return i < 0 ? std::nullopt : std::optional<qint64>(m_values[size_t(i)]);
}

std::optional<quint32> SimDrive::read(quint16 address, qint64 nowMs)
{
    m_motion.update(nowMs);
    if (auto v = fixedRegister(address))
        return v;
    if (auto v = liveRegister(address))
        return v;
    const int i = parameterIndex(address);
    if (i < 0)
        return std::nullopt;
    return quint32(m_values[size_t(i)]);
}

std::optional<quint32> SimDrive::fixedRegister(quint16 address) const
{
    const bool oldStyle = m_data.typeNumber == OldStyleType;
    if (!m_data.typeIdentComNo.isEmpty() && address == SimFrames::addressOf(m_data.typeIdentComNo))
        return quint32(m_data.typeIdentValue);
    switch (address) {
    case TypeNumber:
        return oldStyle ? std::nullopt : std::optional<quint32>(m_data.typeNumber);
    case FormNumber:
        return quint32(oldStyle ? OldStyleType : m_data.formNumber);
    case OldFormNumber:
        if (oldStyle || parameterIndex(address) < 0)
            return quint32(m_data.formNumber);
        return std::nullopt;
    case CpuNumber:
        return quint32(m_data.cpuNumber);
    case CpuNumber2:
        // The definition file's value when it has one, else the CPU number again.
        if (parameterIndex(address) < 0)
            return quint32(m_data.cpuNumber);
        return std::nullopt;
    case SpecialSetup1:
        return m_specialSetup ? 0u : 1u;
    case SpecialSetup2:
        return m_specialSetup ? 0u : 2u;
    case TripCode:
        return quint32(m_motion.tripCode());
    case AlarmWord:
        return m_motion.alarmWord();
    case KeyStrobe:
        return m_strobe;
    case KeyCode:
        return m_keyCode;
    case LinkMode:
        return m_fb91;
    case RatedCurrent:
        return quint32(std::lround(ratedAmps() * mulOf(address)));
    case RatedVoltage:
        return quint32(std::lround(ratedVolts() * mulOf(address)));
    default:
        break;
    }
    if (address >= TripHistory0 && address <= TripHistory3)
        return quint32(m_motion.tripHistory(address - TripHistory0));
    return std::nullopt;
}

std::optional<quint32> SimDrive::liveRegister(quint16 address)
{
    if (m_freqIndex >= 0 && address == m_data.parameters[size_t(m_freqIndex)].address)
        return std::nullopt;  // the stored command itself
    const auto it = m_roles.constFind(address);
    if (it == m_roles.constEnd())
        return std::nullopt;
    const int mul = mulOf(address);
    auto raw = [mul](double v) { return quint32(std::lround(v * mul)); };
    switch (*it) {
    case Role::OutputHz: return raw(m_motion.outputHz());
    case Role::CommandHz: return raw(m_motion.commandHz());
    case Role::CurrentPercent: return raw(m_motion.currentPercent());
    case Role::CurrentAmps: return raw(m_motion.currentPercent() * ratedAmps() / 100.0);
    case Role::VoltagePercent: return raw(m_motion.voltagePercent());
    case Role::Volts: return raw(m_motion.voltagePercent() * ratedVolts() / 100.0);
    case Role::DcBus: return raw(m_motion.dcBusPercent());
    case Role::Load: return raw(m_motion.currentPercent() * 0.8);
    case Role::Terminal: return m_motion.terminalWord();
    }
    return std::nullopt;
}

int SimDrive::mulOf(quint16 address) const
{
    const int i = parameterIndex(address);
    if (i >= 0)
        return qMax(1, m_data.parameters[size_t(i)].mul);
    return (address == RatedCurrent || address == RatedVoltage) ? 10 : 1;
}

double SimDrive::ratedAmps() const
{
    const int i = parameterIndex(RatedCurrent);
    if (i >= 0)
        return double(m_data.parameters[size_t(i)].factory) / mulOf(RatedCurrent);
    return 10.0;
}

double SimDrive::ratedVolts() const
{
    const int i = parameterIndex(RatedVoltage);
    if (i >= 0)
        return double(m_data.parameters[size_t(i)].factory) / mulOf(RatedVoltage);
    // The voltage class is a digit of the form name, as the tool itself derives it.
    const QString &form = m_data.formName;
    const int pos = form.startsWith('S') ? 2 : 1;
    const int digit = pos < form.size() && form.at(pos).isDigit() ? form.at(pos).digitValue() : 2;
    return digit * 100.0;
}

qint64 SimDrive::decode(int index, quint32 value, bool wide) const
{
    const SimParameter &p = m_data.parameters[size_t(index)];
    const bool isSigned = p.lowNegated || (p.low && *p.low < 0);
    if (!wide)
        return isSigned ? qint64(qint16(value & 0xFFFF)) : qint64(value & 0xFFFF);
    return isSigned ? qint64(qint32(value)) : qint64(value);
}

std::optional<qint64> SimDrive::lowLimit(int index) const
{
    const SimParameter &p = m_data.parameters[size_t(index)];
    if (!p.lowRef)
        return p.low;
    const int ref = parameterIndex(*p.lowRef);
    if (ref < 0)
        return std::nullopt;
    return p.lowNegated ? -m_values[size_t(ref)] : m_values[size_t(ref)];
}

std::optional<qint64> SimDrive::highLimit(int index) const
{
    const SimParameter &p = m_data.parameters[size_t(index)];
    if (!p.highRef)
        return p.high;
    const int ref = parameterIndex(*p.highRef);
    return ref < 0 ? std::nullopt : std::optional<qint64>(m_values[size_t(ref)]);
}

SimDrive::WriteResult SimDrive::write(quint16 address, quint32 value, bool wide, bool eeprom, qint64 nowMs)
{
    m_motion.update(nowMs);
    if (address == KeyStrobe) {
        m_strobe = value & 0xFFFF;
        return WriteResult::Ok;
    }
    if (address == KeyCode) {
        m_keyCode = value & 0xFFFF;
        // A key acts while the strobe is up; the high byte is the master's cycle time.
        if (m_strobe == 1)
            pressKey(quint8(value & 0xFF));
        return WriteResult::Ok;
    }
    if (address == LinkMode) {
        m_fb91 = value & 0xFFFF;
        return WriteResult::Ok;
    }
    const int i = parameterIndex(address);
    if (i < 0)
        return fixedRegister(address) ? WriteResult::Ok : WriteResult::Unknown;
    const SimParameter &p = m_data.parameters[size_t(i)];
    const qint64 v = decode(i, value, wide && p.wide);
    const auto low = lowLimit(i);
    const auto high = highLimit(i);
    if ((low && v < *low) || (high && v > *high))
        return WriteResult::OutOfRange;
    storeParameter(i, v, eeprom);
    if (i == m_freqIndex)
        m_motion.setCommandHz(double(v) / qMax(1, p.mul));
    return WriteResult::Ok;
}

void SimDrive::storeParameter(int index, qint64 value, bool eeprom)
{
    const SimParameter &p = m_data.parameters[size_t(index)];
    m_values[size_t(index)] = value;
    if (eeprom && !p.ramOnly && m_state)
        m_state->store(m_number, m_data.label(), p.comNo, value);
}

void SimDrive::pressKey(quint8 keys)
{
    if (keys & KeyRun)
        m_motion.run();
    if (keys & KeyStop) {
        m_motion.stop();
        m_editing = false;
    }
    if (keys & KeyUp)
        stepCommand(+1);
    if (keys & KeyDown)
        stepCommand(-1);
    if (keys & KeyMon) {
        m_displayMode = (m_displayMode + 1) % 3;
        m_editing = false;
    }
    if ((keys & KeyEnt) && m_editing) {
        m_editing = false;
        if (m_freqIndex >= 0)
            storeParameter(m_freqIndex, m_values[size_t(m_freqIndex)], true);
    }
}

void SimDrive::stepCommand(int direction)
{
    m_editing = true;
    // One press moves the command by 0.1 Hz, within the command's limits.
    double hz = m_motion.commandHz() + 0.1 * direction;
    if (m_freqIndex < 0) {
        m_motion.setCommandHz(hz);
        return;
    }
    const SimParameter &p = m_data.parameters[size_t(m_freqIndex)];
    qint64 raw = std::llround(hz * p.mul);
    if (const auto low = lowLimit(m_freqIndex))
        raw = qMax(raw, *low);
    if (const auto high = highLimit(m_freqIndex))
        raw = qMin(raw, *high);
    m_values[size_t(m_freqIndex)] = raw;
    m_motion.setCommandHz(double(raw) / qMax(1, p.mul));
}

QString SimDrive::displayText()
{
    if (m_motion.tripCode() != 0)
        return QStringLiteral("E") + QString::number(m_motion.tripCode() % 1000).rightJustified(3);
    if (m_editing)
        return SimPanel::valueText(m_motion.commandHz());
    switch (m_displayMode) {
    case 1: return SimPanel::valueText(m_motion.currentPercent() * ratedAmps() / 100.0);
    case 2: return SimPanel::valueText(m_motion.commandHz());
    default: return SimPanel::valueText(m_motion.outputHz());
    }
}

QByteArray SimDrive::panelBlock(qint64 nowMs)
{
    m_motion.update(nowMs);
    const SimPanel::Digits a = SimPanel::digits(displayText());
    SimPanel::Digits b = a;
    if (m_editing)
        b[3] = 0;  // the digit being edited blinks
    uint8_t lampsA = 0;
    uint8_t lampsB = 0;
    if (m_motion.running())
        lampsA = lampsB = SimPanel::LampRun;
    else if (m_motion.turning())
        lampsA = SimPanel::LampRun;  // blinks while ramping down after a stop
    const uint8_t steady = uint8_t((m_displayMode != 0 ? SimPanel::LampMon : 0) | (m_editing ? SimPanel::LampPrg : 0));
    return SimPanel::block(a, uint8_t(lampsA | steady), b, uint8_t(lampsB | steady));
}
