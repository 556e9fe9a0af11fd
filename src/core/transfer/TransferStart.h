#pragma once

#include "TransferMode.h"
#include "TransferOptions.h"

#include <QString>
#include <functional>

class CommExchange;
class DriveData;
class Prompter;
struct TransferTexts;

// The common start of a whole import, export or comparison: the connection and special-setup
// checks, the FB91 write, the range of parameters and the check of the connected drive's type
// and form. The checks that belong to the communication layer are given as steps, so the
// windows, the command-line tool and the tests wire the real ones or their own.
class TransferStart
{
public:
    /// What the drive identification found; comCancel: the user refused to go on; openOptions:
    /// the user pressed OK in the mismatch box, so that the check can be switched off.
    struct Identification {
        bool typeCheck = true;
        bool formCheck = true;
        bool comCancel = false;
        bool openOptions = false;
    };

    struct Steps {
        /// ConnectionCheck: opens the port and reads "0000"; true when the drive answered.
        std::function<bool()> connectionCheck;
        /// SpecialSetupCheck: true when the drive is in special setup (then nothing is done).
        std::function<bool()> specialSetup;
        /// DriveIdentification for this mode; left out, the drive counts as the selected one.
        std::function<Identification(TransferMode mode)> identify;
        /// Opens the options window (modal) after OK in the mismatch box; returns "Check the
        /// Inverter Type-Form" as the user left it. Left out, the option stays as it was.
        std::function<bool()> openOptions;
    };

    enum class Result { Ready, NotConnected, SpecialSetup, TypeFormRefused };

    TransferStart(DriveData &data, CommExchange &exchange, Prompter &prompter, const TransferTexts &texts);

    /// Runs the start for `mode`. Not connected shows language message 3.
    Result begin(TransferMode mode, const TransferOptions &options, const Steps &steps);

    /// Index of the last parameter a run of `mode` processes (TransferLastIndex).
    static int lastIndexFor(TransferMode mode, const DriveData &data, const TransferOptions &options);
    /// The FB91 value written before a run of `mode`.
    static QString fb91ValueFor(TransferMode mode, const TransferOptions &options);

    const Identification &identification() const { return m_identification; }

private:
    void writeFb91(const QString &value);

    DriveData &m_data;
    CommExchange &m_exchange;
    Prompter &m_prompter;
    const TransferTexts &m_texts;
    Identification m_identification;
};
