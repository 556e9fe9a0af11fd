#pragma once

#include <QString>
#include <QStringView>
#include <optional>

class DriveData;
class MessageTable;
class Prompter;

// Values and limits of the parameters by communication number: factory values through their
// "DIndex" references, the current value, the changed mark, the limit check, and setting up
// UPara after a load. Problems are reported as language messages through the Prompter.
class ParameterValues
{
public:
    ParameterValues(DriveData &data, const MessageTable &messages, Prompter &prompter);

    /// "Value" of the parameter, or an empty text for a number that is not defined.
    QString CurrentValueOf(QStringView comNo) const;
    /// "Value" as a whole number (fraction dropped) for the number padded with leading
    /// zeros to four characters; -1 when it is not defined or the value is not a number.
    qint64 IntValueOfComNo(QStringView comNo) const;
    /// The factory value, following "DIndex" references. A number that is not defined, an
    /// indicator other than "0"/"1" or a chain that comes back to itself shows language
    /// message 32 and gives "Error.".
    QString FactoryValueOf(QStringView comNo) const;
    /// Sets "ChangeIndex" to "1" when `value` differs from the factory value (or that cannot
    /// be read as a number), else "0"; returns the mark. An undefined number changes nothing.
    int MarkChanged(QStringView comNo, double value);
    /// `raw` within the parameter's limits at this moment; sets LimitClamped when it had to
    /// move. Text that is not a number shows language message 42 and gives the current
    /// value's whole-number part.
    double ClampToLimits(QStringView raw, int index);
    /// Recomputes "HValue"/"LValue" of a parameter whose limits name other parameters.
    void RefreshLinkedLimits(int index);

    enum class SetUpResult { Done, BadDIndex };
    /// Fills UPara from ParaDat: factory values, limits, cleared flags. A "DIndex" that is
    /// not a whole number stops it with language message 67 (stop icon); the caller then
    /// starts the drive selection again.
    SetUpResult SetUpValues();

    /// The effective upper/lower limit of the parameter now, or nothing when it cannot be
    /// read as a number (or, for the lower limit, "LIndex" is not "0", "1" or "-1").
    std::optional<double> upperLimit(int index) const;
    std::optional<double> lowerLimit(int index) const;

private:
    void showMessage(int k, bool stop = false) const;
    QString linkedLowText(int index, const QString &referenced) const;

    DriveData &m_data;
    const MessageTable &m_messages;
    Prompter &m_prompter;
};
