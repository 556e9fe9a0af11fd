#include "DetectExchange.h"

#include "FrameItem.h"
#include "LineExchange.h"
#include "ModbusFrames.h"
#include "NativeFrames.h"

namespace {

constexpr char NativeStartByte = 0x2F;

// A native reply answers this request when it begins with the start byte and repeats the
// address; garbage with a matching check value is thereby not taken for a drive.
bool answersRequest(const QByteArray &reply, const FrameItem &item, const CommSettings &s)
{
    const int address = 1 + (s.hasNumberByte() ? 1 : 0) + 1;
    return reply.size() > address + 1 && reply.at(0) == NativeStartByte
        && uint8_t(reply.at(address)) == item.addressHigh() && uint8_t(reply.at(address + 1)) == item.addressLow();
}

}  // namespace

DetectExchange::DetectExchange(SerialPort &port, const CommSettings &settings, Variant variant)
    : m_port(port), m_settings(settings), m_variant(variant)
{
}

CommSettings DetectExchange::frameSettings(bool modbus) const
{
    CommSettings s = m_settings;
    s.protocol = modbus ? CommSettings::Modbus : CommSettings::Native;
    if (m_variant == Variant::StartUp) {
        // No number byte and Modbus slave 251: the drive alone on the line.
        s.setNumber = false;
        s.broadcast = false;
    }
    return s;
}

uint16_t DetectExchange::exchange(const QString &comNo, const QString &data, bool &errorFlag, bool modbus,
                                  char command)
{
    errorFlag = false;
    return modbus ? this->modbus(comNo, data, errorFlag, command) : native(comNo, data, errorFlag, command);
}

uint16_t DetectExchange::native(const QString &comNo, const QString &data, bool &errorFlag, char command)
{
    const CommSettings s = frameSettings(false);
    const FrameItem item{comNo, false};
    NativeFrameForm form;
    form.longMarker = false;
    form.startByte = !ResyncFlag;
    ResyncFlag = false;
    m_lastRequest = BuildNativeRequest(item, command, data, s, form);
    const int expected = NativeReplyLength(item, command, s);
    const LineExchange::Reply reply = LineExchange::SendAndReceive(m_port, m_lastRequest, expected, s.timeoutMs,
                                                                   nullptr, FrameDecoder::Protocol::Native);
    if (!reply.arrived || !NativeReplyValid(reply.bytes, expected, item) || !answersRequest(reply.bytes, item, s))
        errorFlag = true;
    LineExchange::EndExchange(m_port);
    return errorFlag ? 0 : uint16_t(NativeReplyValue(reply.bytes, item, s));
}

uint16_t DetectExchange::modbus(const QString &comNo, const QString &data, bool &errorFlag, char command)
{
    const CommSettings s = frameSettings(true);
    const FrameItem item{comNo, false};
    m_lastRequest = BuildModbusRequest(item, command, data, s);
    if (ResyncFlag && m_variant == Variant::StartUp)
        m_lastRequest = ModbusResyncRequest(m_lastRequest);
    ResyncFlag = false;
    // A write is answered by its 8-byte echo, checked over its own length.
    const int expected = ModbusReplyLength(item, command);
    const LineExchange::Reply reply =
        LineExchange::SendAndReceive(m_port, m_lastRequest, expected, s.timeoutMs, &m_gap, FrameDecoder::Protocol::Modbus);
    if (reply.arrived) {
        if (!ModbusReplyValid(reply.bytes, expected, item))
            errorFlag = true;
        m_gap.replyEnded(s.gapMs, reply.endedNs);
    } else {
        errorFlag = true;
    }
    LineExchange::EndExchange(m_port);
    if (errorFlag)
        return 0;
    return ModbusReplyValue(reply.bytes, &errorFlag);
}
