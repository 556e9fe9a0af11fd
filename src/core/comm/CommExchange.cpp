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

int32_t CommExchange::native(const FrameItem &item, const QString &data, bool &errorFlag, char command)
{
    const QByteArray request = BuildNativeRequest(item, command, data, m_settings);
    const int expected = NativeReplyLength(item, command, m_settings);
    const LineExchange::Reply reply = LineExchange::SendAndReceive(m_port, request, expected, m_settings.timeoutMs);
    m_lastReply = reply.bytes;
    if (!reply.arrived || !NativeReplyValid(reply.bytes, expected, item))
        errorFlag = true;
    LineExchange::EndExchange(m_port);
    return errorFlag ? 0 : int32_t(NativeReplyValue(reply.bytes, item, m_settings));
}

int32_t CommExchange::modbus(const FrameItem &item, const QString &data, bool &errorFlag, char command)
{
    const QByteArray request = BuildModbusRequest(item, command, data, m_settings);
    const int expected = ModbusReplyLength(item, command);
    const LineExchange::Reply reply = LineExchange::SendAndReceive(m_port, request, expected, m_settings.timeoutMs);
    m_lastReply = reply.bytes;
    if (reply.arrived) {
        if (!ModbusReplyValid(reply.bytes, expected, item))
            errorFlag = true;
        LineExchange::InterFrameDelay(m_settings.gapMs);
    } else {
        errorFlag = true;
    }
    LineExchange::EndExchange(m_port);
    if (errorFlag)
        return 0;
    return ModbusReplyValue(reply.bytes, &errorFlag);
}
