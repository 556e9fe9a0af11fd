#include "SpecialSetupCheck.h"

#include "CommSettings.h"
#include "ConnectionCheck.h"
#include "DetectExchange.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"

namespace {

// Language messages.
enum Message {
    Setup1Changed = 99,
    Setup2Changed = 100,
    Notice1 = 101,
    Notice2 = 102,
};

}  // namespace

SpecialSetupCheck::SpecialSetupCheck(ConnectionCheck &check, DetectExchange &detect, const CommSettings &settings,
                                     const MessageTable &messages, Prompter &prompter)
    : m_check(check), m_detect(detect), m_settings(settings), m_messages(messages), m_prompter(prompter)
{
}

bool SpecialSetupCheck::differs(const char *comNo, int expected)
{
    bool failed = false;
    const uint16_t value =
        m_detect.exchange(QString::fromLatin1(comNo), QString(), failed, m_settings.isModbus(), 'R');
    // A drive that does not answer is not taken to be in a special set-up.
    return !failed && value != expected;
}

bool SpecialSetupCheck::run(bool spChk, Notice &notice)
{
    if (!m_check.run())
        return m_check.specialSetup();
    QString lines;
    if (spChk) {
        if (differs("0998", 1))
            lines += m_messages.text(Setup1Changed) + QLatin1Char('\n');
        if (differs("0999", 2))
            lines += m_messages.text(Setup2Changed) + QLatin1Char('\n');
    }
    const bool special = !lines.isEmpty();
    if (special && notice.tableActive && notice.DrvChkAct && !notice.DrvChkd) {
        m_prompter.message(lines + QLatin1Char('\n') + m_messages.text(Notice1) + QLatin1Char('\n')
                               + m_messages.text(Notice2),
                           m_messages.caption(), Prompter::Icon::None, Prompter::Buttons::Ok);
        m_prompter.pump();
        notice.DrvChkAct = false;
        notice.DrvChkd = true;
    }
    m_check.setSpecialSetup(special);
    m_check.run();
    return special;
}
