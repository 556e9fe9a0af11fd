#pragma once

class MessageTable;
class Prompter;
class QComboBox;
class QLineEdit;
class QSpinBox;

// The checks of the setup window's typed fields, run when a field is left or Enter is pressed
// in it and all again before the window closes: a number field takes a whole number within its
// limits (message 67 with the stop icon for no number, message 41 and the nearest limit for one
// outside them); a choice takes only one of its list's entries (message 67). A rejected field
// gets the focus back.
class SetupFieldChecks
{
public:
    SetupFieldChecks(const MessageTable &messages, Prompter &prompter);

    /// False for no number; an accepted or clamped value goes into the edit and the up-down.
    bool number(QLineEdit *edit, int low, int high, QSpinBox *upDown);
    /// False for an empty text or one that is not an entry of the list.
    bool choice(QComboBox *box);
    void show(int message, bool stop) const;

private:
    const MessageTable &m_messages;
    Prompter &m_prompter;
    bool m_validating = false;  // a message box took the focus: the check already runs
};
