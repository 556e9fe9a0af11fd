#pragma once

#include "SimDriveData.h"
#include "SimMotion.h"

#include <QByteArray>
#include <QHash>
#include <optional>
#include <vector>

class SimStateFile;

// One simulated drive: its registers (the parameters of its definition files at their
// factory values, the identification numbers, the rated current and voltage, the special
// set-up marks), the panel block with its key handling, and the monitor items, alarm word
// and trip codes that move with the drive's motion. Time is the caller's clock in ms.
class SimDrive
{
public:
    enum class WriteResult { Ok, Unknown, OutOfRange };

    SimDrive(SimDriveData data, int inverterNumber, quint32 seed = 1);

    int inverterNumber() const { return m_number; }
    const SimDriveData &data() const { return m_data; }
    SimMotion &motion() { return m_motion; }
    const SimMotion &motion() const { return m_motion; }

    /// The drive answers 0 instead of 1 and 2 at 0998 and 0999.
    void setSpecialSetup(bool on) { m_specialSetup = on; }
    /// Trips `seconds` after its first frame (and again that long after each reset).
    void setTripAfter(double seconds);
    /// Values written with the EEPROM command go to `state`; values stored there are loaded now.
    void attachState(SimStateFile *state);

    /// The panel blocks: ten data bytes instead of one value.
    static bool isBlock(quint16 address);
    QByteArray panelBlock(qint64 nowMs);
    std::optional<quint32> read(quint16 address, qint64 nowMs);
    /// `wide`: the value carries 32 bits, else 16. `eeprom`: keep the value over a restart.
    WriteResult write(quint16 address, quint32 value, bool wide, bool eeprom, qint64 nowMs);

    /// Stored raw value of a parameter, or empty when the drive has no such parameter.
    std::optional<qint64> parameterValue(const QString &comNo) const;
    bool editing() const { return m_editing; }
    int displayMode() const { return m_displayMode; }

    enum Key : quint8 { KeyRun = 0x01, KeyStop = 0x02, KeyUp = 0x04, KeyDown = 0x08, KeyMon = 0x10, KeyEnt = 0x20 };

private:
    enum class Role { OutputHz, CommandHz, CurrentPercent, CurrentAmps, VoltagePercent, Volts, DcBus, Load, Terminal };

    void assignMonitorRoles();
    void setUpFrequencyCommand();
    std::optional<quint32> fixedRegister(quint16 address) const;
    std::optional<quint32> liveRegister(quint16 address);
    int mulOf(quint16 address) const;
    int parameterIndex(quint16 address) const { return m_index.value(address, -1); }
    qint64 decode(int index, quint32 value, bool wide) const;
    std::optional<qint64> lowLimit(int index) const;
    std::optional<qint64> highLimit(int index) const;
    void storeParameter(int index, qint64 value, bool eeprom);
    void pressKey(quint8 keys);
    void stepCommand(int direction);
    double ratedAmps() const;
    double ratedVolts() const;
    QString displayText();

    SimDriveData m_data;
    int m_number;
    SimMotion m_motion;
    std::vector<qint64> m_values;
    QHash<quint16, int> m_index;
    QHash<quint16, Role> m_roles;
    SimStateFile *m_state = nullptr;
    bool m_specialSetup = false;
    int m_freqIndex = -1;
    quint32 m_strobe = 0;
    quint32 m_keyCode = 0;
    quint32 m_fb91 = 0;
    bool m_editing = false;
    int m_displayMode = 0;  // 0 output frequency, 1 output current, 2 frequency command
};
