#include "CommScan.h"

#include "CommPort.h"
#include "DetectExchange.h"

namespace {

const QString IdentityComNo = QStringLiteral("0000");

}  // namespace

CommScan::CommScan(CommPort &port, const CommSettings &settings)
    : m_port(port), m_settings(settings)
{
}

CommScan::Outcome CommScan::tryLine(int portIndex, int combination, const Combination &line, bool startUp,
                                    Result &result)
{
    if (m_progress && !m_progress(Step{portIndex, m_port.availablePort(portIndex), combination, line}))
        return Outcome::Cancelled;
    // A port that vanished or is held by another program is simply the next combination.
    if (m_port.OpenForDetection(portIndex, line.baudIndex, line.parityIndex))
        return Outcome::Silent;
    CommSettings settings = m_settings;
    settings.baudIndex = line.baudIndex;
    settings.parityIndex = line.parityIndex;
    settings.updateGap();
    DetectExchange detect(m_port.port(), settings,
                          startUp ? DetectExchange::Variant::StartUp : DetectExchange::Variant::Settings);
    bool failed = false;
    detect.exchange(IdentityComNo, QString(), failed, line.protocol == CommSettings::Modbus, 'R');
    if (!failed) {
        result.portIndex = portIndex;
        result.baudIndex = line.baudIndex;
        result.parityIndex = line.parityIndex;
        result.protocol = line.protocol;
        return Outcome::Answered;
    }
    // Once more in the resynchronising form, so that a drive left in the middle of a frame
    // by the previous try is ready for the next combination; its answer does not count.
    detect.ResyncFlag = true;
    detect.exchange(IdentityComNo, QString(), failed, line.protocol == CommSettings::Modbus, 'R');
    return Outcome::Silent;
}

CommScan::Outcome CommScan::tryPort(int portIndex, bool startUp, Result &result)
{
    for (int i = 0; i < int(std::size(Combinations)); ++i) {
        const Outcome outcome = tryLine(portIndex, i + 1, Combinations[i], startUp, result);
        if (outcome != Outcome::Silent)
            return outcome;
    }
    return Outcome::Silent;
}

CommScan::Result CommScan::ScanCommSettings(int selectedPort)
{
    Result result;
    const int count = int(m_port.availablePorts().size());
    const bool selected = selectedPort >= 0 && selectedPort < count;
    Outcome outcome = selected ? tryPort(selectedPort, false, result) : Outcome::Silent;
    for (int i = 0; i < count && outcome == Outcome::Silent; ++i) {
        if (!(selected && i == selectedPort))
            outcome = tryPort(i, false, result);
    }
    if (outcome != Outcome::Answered)
        result = Result{NotFound, NotFound, NotFound, NotFound, outcome == Outcome::Cancelled};
    return result;
}

CommScan::Result CommScan::startUpScan(int rememberedPort, const Combination &remembered)
{
    Result result;
    const int count = int(m_port.availablePorts().size());
    Outcome outcome = Outcome::Silent;
    if (rememberedPort >= 0 && rememberedPort < count) {
        outcome = tryLine(rememberedPort, 0, remembered, true, result);
        if (outcome == Outcome::Silent)
            outcome = tryPort(rememberedPort, true, result);
    }
    for (int i = 0; i < count && outcome == Outcome::Silent; ++i)
        outcome = tryPort(i, true, result);
    if (outcome != Outcome::Answered)
        result = Result{NotFound, NotFound, NotFound, NotFound, outcome == Outcome::Cancelled};
    return result;
}
