#pragma once

// A small hand-made drive for the simulator tests, and helpers that build the tool's own
// request frames for it.

#include "comm/CommSettings.h"
#include "comm/FrameItem.h"
#include "comm/ModbusFrames.h"
#include "comm/NativeFrames.h"
#include "drivesim/SimDriveData.h"
#include "drivesim/SimFrames.h"

namespace SimTest {

inline SimParameter parameter(const QString &comNo, qint64 factory, std::optional<qint64> low,
                              std::optional<qint64> high, int mul = 1, bool wide = false)
{
    SimParameter p;
    p.comNo = comNo;
    p.address = SimFrames::addressOf(comNo);
    p.factory = factory;
    p.low = low;
    p.high = high;
    p.mul = mul;
    p.wide = wide;
    return p;
}

inline SimMonitorItem item(const QString &code, const QString &unit, const QString &altUnit)
{
    SimMonitorItem m;
    m.comNo = code.left(4);
    m.address = SimFrames::addressOf(m.comNo);
    m.bit = code.size() > 5 ? code.mid(5).toInt() : -1;
    m.unit = unit;
    m.altUnit = altUnit;
    return m;
}

inline SimDriveData drive(int typeNumber = 41, int formNumber = 2)
{
    SimDriveData d;
    d.typeName = QStringLiteral("KDT1");
    d.formName = QStringLiteral("-2007P");
    d.cpuVersion = QStringLiteral("V100");
    d.typeNumber = typeNumber;
    d.formNumber = formNumber;
    d.cpuNumber = 100;
    d.freqCommComNo = QStringLiteral("FA01");
    d.parameters = {
        parameter("0000", 1234, 0, 5000),
        parameter("0011", 6000, 3000, 40000, 100),
        parameter("0012", 5000, 0, {}, 100),
        parameter("0206", -5, -100, 100),
        parameter("0621", 100000, 0, 4000000000LL, 1, true),
        parameter("0720", -70000, -1000000, 1000000, 1, true),
        parameter("FA01", 0, 0, {}, 100),
        parameter("FD00", 0, 0, 50000, 100),
        parameter("FD02", 0, 0, 50000, 100),
        parameter("FD03", 0, 0, 65535, 100),
        parameter("FD06", 0, 0, 65535),
        parameter("FE70", 48, 0, 65535, 10),
        parameter("FE71", 2000, 0, 65535, 10),
    };
    d.parameters[2].highRef = SimFrames::addressOf(QStringLiteral("0011"));  // 0012 <= 0011
    d.parameters[6].highRef = SimFrames::addressOf(QStringLiteral("0012"));  // FA01 <= 0012
    d.parameters[6].ramOnly = true;
    d.monitorItems = {
        item("FD00", "(Hz)", "(-)"),
        item("FD02", "(Hz)", "(-)"),
        item("FD03", "(%)", "(A)"),
        item("FD06-3", "(-)", "(-)"),
    };
    for (int i = 0; i < 16; ++i)
        d.alarmNames << QStringLiteral("Alarm %1").arg(i);
    d.tripCodes = {0, 7, 12};
    return d;
}

inline CommSettings settings(bool modbus, bool setNumber = false, int number = 0, bool broadcast = false)
{
    CommSettings s;
    s.protocol = modbus ? CommSettings::Modbus : CommSettings::Native;
    s.setNumber = setNumber;
    s.inverterNumber = number;
    s.broadcast = broadcast;
    return s;
}

inline QByteArray request(const CommSettings &s, const QString &comNo, char command = 'R',
                          const QString &data = QString(), bool wide = false)
{
    const FrameItem item{comNo, wide};
    return s.isModbus() ? BuildModbusRequest(item, command, data, s) : BuildNativeRequest(item, command, data, s);
}

/// The value of a reply as the tool reads it, or -1 when the tool would reject the reply.
inline qint64 replyValue(const CommSettings &s, const QByteArray &reply, const QString &comNo, char command = 'R',
                         bool wide = false)
{
    const FrameItem item{comNo, wide};
    if (s.isModbus()) {
        const int expected = ModbusReplyLength(item, command);
        if (reply.size() < expected || !ModbusReplyValid(reply, expected, item))
            return -1;
        bool failed = false;
        const quint16 v = ModbusReplyValue(reply, &failed);
        return failed ? -1 : v;
    }
    const int expected = NativeReplyLength(item, command, s);
    if (reply.size() < expected || !NativeReplyValid(reply, expected, item))
        return -1;
    return NativeReplyValue(reply, item, s);
}

}  // namespace SimTest
