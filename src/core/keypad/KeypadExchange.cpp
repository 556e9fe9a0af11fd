#include "KeypadExchange.h"

#include "comm/CommExchange.h"
#include "comm/LineExchange.h"
#include "comm/LineIndicator.h"
#include "comm/ModbusFrames.h"
#include "comm/NativeFrames.h"

namespace {

const FrameItem PanelItem{QStringLiteral("FC10"), false};
constexpr int DataBytes = 10;
constexpr int ModbusHeader = 3;  // address, function, byte count

}  // namespace

KeypadExchange::KeypadExchange(CommExchange &line) : m_line(line)
{
}

QByteArray KeypadExchange::request() const
{
    const CommSettings &s = m_line.settings();
    return s.isModbus() ? BuildModbusRequest(PanelItem, 'R', QString(), s)
                        : BuildNativeRequest(PanelItem, 'R', QString(), s);
}

int KeypadExchange::replyLength() const
{
    const CommSettings &s = m_line.settings();
    return dataOffset() + DataBytes + (s.isModbus() ? 2 : 1);
}

int KeypadExchange::dataOffset() const
{
    const CommSettings &s = m_line.settings();
    if (s.isModbus())
        return ModbusHeader;
    // Start byte, optional number byte, command, two address bytes.
    return 1 + (s.hasNumberByte() ? 1 : 0) + 3;
}

int KeypadExchange::waitMs() const
{
    const CommSettings &s = m_line.settings();
    return s.isModbus() ? s.timeoutMs : 2 * s.timeoutMs;
}

std::optional<QByteArray> KeypadExchange::read(bool &errorFlag)
{
    LineIndicator *indicator = m_line.indicator();
    if (indicator)
        indicator->exchangeStarted();
    errorFlag = false;
    const CommSettings &s = m_line.settings();
    SerialPort &port = m_line.port();
    const int expected = replyLength();
    const LineExchange::Reply reply =
        LineExchange::SendAndReceive(port, request(), expected, waitMs(), s.isModbus() ? &m_line.gap() : nullptr,
                                     s.isModbus() ? FrameDecoder::Protocol::Modbus : FrameDecoder::Protocol::Native);
    if (reply.arrived && s.isModbus())
        m_line.gap().replyEnded(s.gapMs, reply.endedNs);
    errorFlag = !reply.arrived;
    // A reply still on its way must not be taken for the answer to the next request.
    if (errorFlag)
        LineExchange::DiscardUntilQuiet(port, s.timeoutMs);
    LineExchange::EndExchange(port);
    if (errorFlag) {
        if (indicator)
            indicator->exchangeFailed();
        return std::nullopt;
    }
    return reply.bytes.mid(dataOffset(), DataBytes);
}
