#include "SetupFieldChecks.h"

#include "app/MessageTable.h"
#include "base/Prompter.h"
#include "comm/CommSetup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

namespace {
enum Message { OutOfRange = 41, Incorrect = 67 };
}

SetupFieldChecks::SetupFieldChecks(const MessageTable &messages, Prompter &prompter)
    : m_messages(messages)
    , m_prompter(prompter)
{
}

void SetupFieldChecks::show(int message, bool stop) const
{
    m_prompter.message(m_messages.text(message), m_messages.caption(),
                       stop ? Prompter::Icon::Stop : Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

bool SetupFieldChecks::number(QLineEdit *edit, int low, int high, QSpinBox *upDown)
{
    if (m_validating)
        return true;
    m_validating = true;
    const CommSetup::Field f = CommSetup::checkNumber(edit->text(), low, high);
    if (f.outcome == CommSetup::Field::NotANumber)
        show(Incorrect, true);
    else if (f.outcome == CommSetup::Field::Clamped)
        show(OutOfRange, false);
    if (f.outcome != CommSetup::Field::NotANumber) {
        upDown->setValue(f.value);
        edit->setText(QString::number(f.value));
    } else {
        edit->setFocus();
    }
    m_validating = false;
    return f.outcome != CommSetup::Field::NotANumber;
}

bool SetupFieldChecks::choice(QComboBox *box)
{
    if (m_validating)
        return true;
    const int index = box->findText(box->currentText(), Qt::MatchExactly);
    if (box->currentText().isEmpty() || index < 0) {
        m_validating = true;
        show(Incorrect, true);
        m_validating = false;
        box->setFocus();
        return false;
    }
    box->setCurrentIndex(index);
    return true;
}
