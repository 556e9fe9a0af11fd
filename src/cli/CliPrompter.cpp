#include "CliPrompter.h"

Prompter::Answer CliPrompter::message(const QString &text, const QString &caption, Icon icon, Buttons buttons)
{
    const Answer answer = ScriptedPrompter::message(text, caption, icon, buttons);
    taken.append(answer);
    return answer;
}

QString CliPrompter::answerName(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QStringLiteral("OK");
    case Answer::Cancel:
        return QStringLiteral("Cancel");
    case Answer::Yes:
        return QStringLiteral("Yes");
    case Answer::No:
        return QStringLiteral("No");
    case Answer::Abort:
        return QStringLiteral("Abort");
    case Answer::Retry:
        return QStringLiteral("Retry");
    case Answer::Ignore:
        return QStringLiteral("Ignore");
    }
    return {};
}
