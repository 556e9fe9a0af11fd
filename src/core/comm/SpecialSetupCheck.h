#pragma once

class ConnectionCheck;
class DetectExchange;
class MessageTable;
class Prompter;
struct CommSettings;

// Whether the connected drive is in a special set-up (0998 not 1 or 0999 not 2), for drive
// types whose Info.ini asks for the test ([Setup] SpChk). Such a drive still answers, but the
// transfer commands stay disabled (SpDrv1, kept by the connection check) so that a parameter
// set is never written into it or taken from it.
class SpecialSetupCheck
{
public:
    SpecialSetupCheck(ConnectionCheck &check, DetectExchange &detect, const CommSettings &settings,
                      const MessageTable &messages, Prompter &prompter);

    /// The table window's two flags: DrvChkAct (tell the user once a drive is connected) and
    /// DrvChkd (told already).
    struct Notice {
        bool tableActive = false;
        bool DrvChkAct = false;
        bool DrvChkd = false;
    };

    /// Runs the check; `spChk` is the type's [Setup] SpChk. Returns SpDrv1 afterwards (left
    /// as it was when the drive does not answer the connection check).
    bool run(bool spChk, Notice &notice);

private:
    bool differs(const char *comNo, int expected);

    ConnectionCheck &m_check;
    DetectExchange &m_detect;
    const CommSettings &m_settings;
    const MessageTable &m_messages;
    Prompter &m_prompter;
};
