#include "CommExchange.h"

#include "FrameItemSource.h"
#include "LineExchange.h"
#include "LineIndicator.h"
#include "ModbusFrames.h"
#include "NativeFrames.h"

CommExchange::CommExchange(SerialPort &port, const CommSettings &settings, const FrameItemSource *items,
                           LineIndicator *indicator)
    : m_port(port), m_settings(settings), m_items(items), m_indicator(indicator)
{
}

int32_t CommExchange::exchange(int index, const QString &data, bool &errorFlag, char command)
{
    const std::optional<FrameItem> item = m_items ? m_items->frameItem(index) : std::nullopt;
    if (!item) {
        errorFlag = true;
        if (m_indicator)
            m_indicator->exchangeFailed();
        return 0;
    }
    return exchangeItem(*item, data, errorFlag, command);
}

int32_t CommExchange::exchangeItem(const FrameItem &item, const QString &data, bool &errorFlag, char command)
{
    if (m_indicator)
        m_indicator->exchangeStarted();
    errorFlag = false;
    m_lastReply.clear();
    const int32_t value = m_settings.isModbus() ? modbus(item, data, errorFlag, command)
                                                : native(item, data, errorFlag, command);
    if (errorFlag && m_indicator)
        m_indicator->exchangeFailed();
    return errorFlag ? 0 : value;
}

LineExchange::Reply CommExchange::sendAndReceive(const QByteArray &request, int expected)
{
    LineExchange::Reply reply =
        LineExchange::SendAndReceive(m_port, request, expected, m_settings.timeoutMs, &m_gap,
                                    m_settings.isModbus() ? FrameDecoder::Protocol::Modbus
                                                          : FrameDecoder::Protocol::Native);
    m_lastReply = reply.bytes;
    return reply;
}

void CommExchange::finish(bool failed, int64_t replyEndedNs)
{
    // What is still on its way belongs to this request: the next one must start on a quiet
    // line, even in another process. The quiet time-out also covers the Modbus pause.
    if (failed)
        LineExchange::DiscardUntilQuiet(m_port, m_settings.timeoutMs);
    else if (m_settings.isModbus())
        m_gap.replyEnded(m_settings.gapMs, replyEndedNs);
    LineExchange::EndExchange(m_port);
}

int32_t CommExchange::native(const FrameItem &item, const QString &data, bool &errorFlag, char command)
{
    const QByteArray request = BuildNativeRequest(item, command, data, m_settings);
    const int expected = NativeReplyLength(item, command, m_settings);
    const LineExchange::Reply reply = sendAndReceive(request, expected);
    if (!reply.arrived || !NativeReplyValid(reply.bytes, expected, item)
        || !NativeReplyAnswers(reply.bytes, item, command, m_settings))
        errorFlag = true;
    finish(errorFlag, reply.endedNs);
    return errorFlag ? 0 : int32_t(NativeReplyValue(reply.bytes, item, m_settings));
}

int32_t CommExchange::modbus(const FrameItem &item, const QString &data, bool &errorFlag, char command)
{
    const QByteArray request = BuildModbusRequest(item, command, data, m_settings);
    const int expected = ModbusReplyLength(item, command);
    const LineExchange::Reply reply = sendAndReceive(request, expected);
    if (!reply.arrived || !ModbusReplyValid(reply.bytes, expected, item)
        || !ModbusReplyAnswers(reply.bytes, request, item))
        errorFlag = true;
    const uint16_t value = errorFlag ? 0 : ModbusReplyValue(reply.bytes, &errorFlag);
    finish(errorFlag, reply.endedNs);
    return errorFlag ? 0 : value;
}
