#pragma once

#include "base/ScriptedPrompter.h"

// For unattended runs (VKR410T_PROMPT_LOG names a file): every message is appended to the
// file as "caption|text" instead of being shown, questions get their cancel answer and file
// dialogs are cancelled.
class UnattendedPrompter : public ScriptedPrompter
{
public:
    explicit UnattendedPrompter(const QString &logFile)
        : m_logFile(logFile)
    {
    }

    Answer message(const QString &text, const QString &caption, Icon icon, Buttons buttons) override;

    /// The log file named by the environment, or empty for an attended run.
    static QString logFileFromEnvironment();

private:
    QString m_logFile;
};
