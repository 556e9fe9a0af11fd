#pragma once

#include "base/ScriptedPrompter.h"

#include <QList>

// The prompter of vkr: answers every question with the answer of --answer and keeps, beside
// each message shown, the answer taken, so that vkr can tell the user which one it was.
class CliPrompter : public ScriptedPrompter
{
public:
    Answer message(const QString &text, const QString &caption, Icon icon, Buttons buttons) override;

    /// "Yes", "No", "Cancel", "OK", ...
    static QString answerName(Answer answer);

    /// The answer taken for each entry of `shown`.
    QList<Answer> taken;
};
