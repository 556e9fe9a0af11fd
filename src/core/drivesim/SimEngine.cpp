#include "SimEngine.h"

#include <algorithm>

namespace {

enum ModbusException : uint8_t { IllegalFunction = 1, IllegalAddress = 2, IllegalValue = 3 };

constexpr int MaxModbusRegisters = 125;

}  // namespace

SimEngine::SimEngine(Protocol protocol, const SimLineSettings &line)
    : m_protocol(protocol)
    , m_line(line)
{
}

bool SimEngine::addDrive(std::unique_ptr<SimDrive> drive)
{
    const int n = drive ? drive->inverterNumber() : -1;
    if (n < 0 || n > 63 || this->drive(n))
        return false;
    auto pos = std::find_if(m_drives.begin(), m_drives.end(),
                            [n](const auto &d) { return d->inverterNumber() > n; });
    m_drives.insert(pos, std::move(drive));
    return true;
}

SimDrive *SimEngine::drive(int inverterNumber) const
{
    for (const auto &d : m_drives)
        if (d->inverterNumber() == inverterNumber)
            return d.get();
    return nullptr;
}

SimFrames::Parse SimEngine::frameState(const QByteArray &bytes) const
{
    SimRequest request;
    return m_protocol == Protocol::Modbus ? SimFrames::parseModbus(bytes, &request)
                                          : SimFrames::parseNative(bytes, &request);
}

SimReply SimEngine::handle(const QByteArray &request, const SimLineSettings &master, qint64 nowMs)
{
    SimReply reply;
    reply.bytes = answer(request, master, nowMs);
    if (reply.bytes.isEmpty())
        return reply;
    reply.fault = m_faults.apply(&reply.bytes);
    reply.lateMs = m_faults.rates().lateMs;
    reply.disconnect = m_faults.disconnectDue();
    return reply;
}

QByteArray SimEngine::answer(const QByteArray &bytes, const SimLineSettings &master, qint64 nowMs)
{
    if (!SimLine::hears(m_line, master))
        return {};
    SimRequest request;
    const bool modbus = m_protocol == Protocol::Modbus;
    const SimFrames::Parse parse = modbus ? SimFrames::parseModbus(bytes, &request)
                                          : SimFrames::parseNative(bytes, &request);
    if (parse != SimFrames::Parse::Complete)
        return {};
    const std::vector<SimDrive *> drives = addressed(request);
    if (drives.empty())
        return {};
    return modbus ? answerModbus(request, drives, nowMs) : answerNative(request, drives, nowMs);
}

std::vector<SimDrive *> SimEngine::addressed(const SimRequest &request) const
{
    std::vector<SimDrive *> out;
    bool all = false;
    int number = -1;
    if (request.modbus) {
        if (request.slave == SimFrames::ModbusAloneAddress)
            all = m_drives.size() == 1;
        else if (request.slave == SimFrames::ModbusBroadcastAddress)
            all = true;
        else
            number = request.slave;
    } else if (request.number < 0) {
        all = m_drives.size() == 1;
    } else if (request.number == SimFrames::BroadcastNumber) {
        all = true;
    } else {
        number = request.number;
    }
    for (const auto &d : m_drives)
        if (all || d->inverterNumber() == number)
            out.push_back(d.get());
    return out;
}

QByteArray SimEngine::answerNative(const SimRequest &request, const std::vector<SimDrive *> &drives, qint64 nowMs)
{
    SimDrive *responder = drives.front();
    const int width = request.wide ? 4 : 2;
    if (request.isWrite()) {
        const bool eeprom = request.command == SimRequest::Command::WriteEeprom;
        SimDrive::WriteResult result = SimDrive::WriteResult::Unknown;
        for (SimDrive *d : drives) {
            const SimDrive::WriteResult r = d->write(request.address, request.value, request.wide, eeprom, nowMs);
            if (d == responder)
                result = r;
        }
        if (result != SimDrive::WriteResult::Ok)
            return {};
        const auto stored = responder->read(request.address, nowMs);
        return SimFrames::nativeReply(request, SimFrames::bigEndian(stored.value_or(request.value), width));
    }
    if (SimDrive::isBlock(request.address))
        return SimFrames::nativeReply(request, responder->panelBlock(nowMs));
    const auto value = responder->read(request.address, nowMs);
    if (!value)
        return {};
    return SimFrames::nativeReply(request, SimFrames::bigEndian(*value, width));
}

QByteArray SimEngine::answerModbus(const SimRequest &request, const std::vector<SimDrive *> &drives, qint64 nowMs)
{
    SimDrive *responder = drives.front();
    if (request.function == 3)
        return modbusRead(request, responder, nowMs);
    if (request.function != 6)
        return SimFrames::modbusException(request, IllegalFunction);
    // One write command for both of the native write commands: kept over a restart.
    SimDrive::WriteResult result = SimDrive::WriteResult::Unknown;
    for (SimDrive *d : drives) {
        const SimDrive::WriteResult r = d->write(request.address, request.value, false, true, nowMs);
        if (d == responder)
            result = r;
    }
    if (result == SimDrive::WriteResult::Unknown)
        return SimFrames::modbusException(request, IllegalAddress);
    if (result == SimDrive::WriteResult::OutOfRange)
        return SimFrames::modbusException(request, IllegalValue);
    return SimFrames::modbusWriteReply(request, quint16(request.value));
}

QByteArray SimEngine::modbusRead(const SimRequest &request, SimDrive *drive, qint64 nowMs)
{
    if (request.count < 1 || request.count > MaxModbusRegisters)
        return SimFrames::modbusException(request, IllegalValue);
    QByteArray data;
    if (SimDrive::isBlock(request.address)) {
        data = drive->panelBlock(nowMs).leftJustified(request.count * 2, '\0', true);
        return SimFrames::modbusReadReply(request, data);
    }
    for (int i = 0; i < request.count; ++i) {
        const auto value = drive->read(quint16(request.address + i), nowMs);
        if (!value)
            return SimFrames::modbusException(request, IllegalAddress);
        data.append(SimFrames::bigEndian(*value & 0xFFFF, 2));
    }
    return SimFrames::modbusReadReply(request, data);
}
