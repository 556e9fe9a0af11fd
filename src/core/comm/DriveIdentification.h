#pragma once

#include <QString>
#include <QStringList>

class CommExchange;
class DetectExchange;
class FrameItemSource;
class InverterCatalog;
class MessageTable;
class Prompter;

// Tells which drive is connected before a transfer or a comparison: writes FB91 = 251 (the
// drive answers the tool alone), reads the type number (FB07), form number (FB05), CPU number
// (FE08) and FB72, names them from the catalogue and compares them with the selected drive.
// Every difference is a language message; with "Check the Inverter Type-Form" on they are
// shown, and before an import or export the user may cancel the transfer (ComCancel).
class DriveIdentification
{
public:
    enum class Purpose { Transfer, Comparison };

    /// The drive the work is about, and the main window's CPU versions and numbers of its type.
    struct Selected {
        QString typeName;
        QString formName;
        QString cpuVersion;
        QStringList cpuVersions;
        QStringList cpuNumbers;
    };

    struct Result {
        QString typeName;  // "Err." when not in the catalogue
        QString formName;
        QString cpuName;
        bool TypeCheck = false;
        bool FormCheck = false;
        bool CPUCheck = false;
        /// The user cancelled the transfer in the identification box.
        bool ComCancel = false;
        /// The user pressed OK in that box: the options window is to be opened so that the
        /// check can be switched off.
        bool openOptions = false;
        /// At least one of the identity reads was answered.
        bool answered = false;
        /// The language messages produced, in order.
        QStringList messages;

        bool allChecks() const { return TypeCheck && FormCheck && CPUCheck; }
    };

    static inline const QString Unknown = QStringLiteral("Err.");

    /// `exchange` runs the reads through the definition table `items`; `detect` reads the
    /// type-telling register of a shared type number in the current protocol.
    DriveIdentification(CommExchange &exchange, const FrameItemSource &items, DetectExchange &detect,
                        const InverterCatalog &catalog, const MessageTable &messages, Prompter &prompter);

    /// `checkTypeForm`: the option "Check the Inverter Type-Form".
    Result run(const Selected &selected, Purpose purpose, bool checkTypeForm);

    /// The type name of a type number the drive sent (FB07), by the catalogue and, for a
    /// shared number, the type-telling register; "Err." when there is none.
    QString typeNameOf(int typeNumber) { return typeName(Read{true, typeNumber}); }
    /// The form name of a form number (FB05) within `type`; `cpuNumber` (FE08, -1 when not
    /// known) picks the own form numbers of a CPU above 799. "Err." when there is none.
    QString formNameOf(const QString &type, int formNumber, int cpuNumber) const
    {
        return formName(type, Read{true, formNumber}, cpuNumber >= 0 ? Read{true, cpuNumber} : Read{});
    }

private:
    struct Read {
        bool ok = false;
        int value = 0;
    };
    Read read(const QString &comNo, const QString &data = QString(), char command = 'R');
    QString typeName(const Read &typeNumber);
    QString formName(const QString &type, const Read &formNumber, const Read &cpuNumber) const;
    QString heading(const Result &r) const;
    void show(Result &r, Purpose purpose);

    CommExchange &m_exchange;
    const FrameItemSource &m_items;
    DetectExchange &m_detect;
    const InverterCatalog &m_catalog;
    const MessageTable &m_messages;
    Prompter &m_prompter;
};
