#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class InverterCatalog;

// Names the drive the start-up search found, from its identity registers: the type number at
// FB07 (or, for the old drives of type number 65, at FB05 with the form number at FB58), the
// form number at FB05 and the CPU number at FE08, matched against the catalogue. A drive that
// is not in the catalogue is named for the message from the numbers it gave.
class DetectedDrive
{
public:
    /// One read of a communication number; nothing when the drive did not answer.
    using Reader = std::function<std::optional<int>(const QString &comNo)>;
    /// One RAM write ("P") of a decimal value.
    using Writer = std::function<void(const QString &comNo, const QString &data)>;

    struct Choice {
        int type = -1;  // positions in the type list, the type's CPU list and the form list
        int cpu = -1;
        int form = -1;
        /// "<type>(<CPU version>)<form>" of a drive not in the catalogue, else empty.
        QString unknownDrive;

        bool complete() const { return type >= 0 && cpu >= 0 && form >= 0; }
    };

    /// `typeNumbers`: the number of each entry of the type list (I_TypeNo).
    DetectedDrive(const InverterCatalog &catalog, const QStringList &typeNumbers);

    Choice identify(const Reader &read, const Writer &write);

private:
    struct Numbers {
        std::optional<int> type, form, cpu;
        QString identName;
    };
    int typeIndexOf(const std::optional<int> &number) const;
    int cpuIndexOf(int typeIndex, const std::optional<int> &cpuNumber) const;
    int formIndexOf(int typeIndex, int cpuIndex, const std::optional<int> &formNumber) const;
    void fromTypeNumber(const Reader &read, Numbers &n, Choice &c);
    void oldStyle(const Reader &read, Numbers &n, Choice &c);
    QString describe(const Numbers &n) const;

    const InverterCatalog &m_catalog;
    QStringList m_typeNumbers;
};
