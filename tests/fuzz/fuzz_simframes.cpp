// Any bytes as a request to a line of simulated drives, in both protocols: the drive side
// must never crash, and whatever it answers is one well-formed reply.

#include "drivesim/SimEngine.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {

SimDriveData fuzzDrive()
{
    SimDriveData d;
    d.typeName = QStringLiteral("KDF1");
    d.formName = QStringLiteral("-2007P");
    d.cpuVersion = QStringLiteral("V100");
    d.typeNumber = 41;
    d.cpuNumber = 100;
    d.freqCommComNo = QStringLiteral("FA01");
    for (const char *comNo : {"0000", "0011", "0621", "FA01", "FD00", "FE70"}) {
        SimParameter p;
        p.comNo = QString::fromLatin1(comNo);
        p.address = SimFrames::addressOf(p.comNo);
        p.wide = p.comNo == QLatin1String("0621");
        p.low = -100;
        p.high = 60000;
        p.mul = 100;
        d.parameters.push_back(p);
    }
    SimMonitorItem item;
    item.comNo = QStringLiteral("FD00");
    item.address = 0xFD00;
    item.unit = QStringLiteral("(Hz)");
    d.monitorItems.push_back(item);
    d.alarmNames = {QStringLiteral("A")};
    d.tripCodes = {0, 5};
    return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static SimEngine native(SimEngine::Protocol::Native);
    static SimEngine modbus(SimEngine::Protocol::Modbus);
    static qint64 now = 0;
    if (native.driveCount() == 0) {
        for (int n : {0, 1, 63}) {
            native.addDrive(std::make_unique<SimDrive>(fuzzDrive(), n));
            modbus.addDrive(std::make_unique<SimDrive>(fuzzDrive(), n));
        }
    }
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    now += 37;
    for (SimEngine *engine : {&native, &modbus}) {
        engine->frameState(bytes);
        const QByteArray reply = engine->answer(bytes, engine->line(), now);
        if (!reply.isEmpty() && reply.size() > 32)
            __builtin_trap();
    }
    return 0;
}
