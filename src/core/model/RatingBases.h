#pragma once

#include <QString>
#include <functional>
#include <optional>

class DriveData;

/// Reads one communication number from the connected drive: the raw value, or nothing when
/// the exchange failed.
using DriveReader = std::function<std::optional<qint64>(const QString &comNo)>;

/// Sets VoltageBase (from FE71) and CurrentBase (from FE70, or FB58 when the drive has no
/// FE70) as the current value divided by the parameter's "Mul". Without an FE71 parameter
/// the voltage is digit x 100, the digit being the form name's second character (third when
/// the form name begins with "S"). When `readOnLine` is given (the on-line rating option is
/// on and the drive answered the last connection check) both are read from the drive
/// instead; a failed voltage read falls back to digit x 100, a failed current read to the
/// table value.
void RatingBases(DriveData &data, const QString &formName, const DriveReader &readOnLine = {});
