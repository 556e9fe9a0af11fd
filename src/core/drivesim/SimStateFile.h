#pragma once

#include "base/IniFile.h"

#include <QString>
#include <optional>

// The EEPROM of the simulated drives: values written with the EEPROM write command, kept in
// an INI file with one section per inverter number ("Inverter 5") holding the drive's
// "T:F:V" label and one key per communication number. A section written for another drive
// is ignored and replaced.
class SimStateFile
{
public:
    explicit SimStateFile(const QString &path);

    QString path() const { return m_ini.path(); }
    std::optional<qint64> value(int inverterNumber, const QString &label, const QString &comNo) const;
    /// False when the file cannot be written.
    bool store(int inverterNumber, const QString &label, const QString &comNo, qint64 value);

private:
    static QString section(int inverterNumber);

    IniFile m_ini;
};
