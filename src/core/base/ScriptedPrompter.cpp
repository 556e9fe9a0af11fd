#include "ScriptedPrompter.h"

Prompter::Answer ScriptedPrompter::message(const QString &text, const QString &caption, Icon icon,
                                           Buttons buttons)
{
    shown.append({text, caption, icon, buttons});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    const Answer answer = answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    return fitAnswers ? fit(answer, buttons) : answer;
}

Prompter::Answer ScriptedPrompter::fit(Answer answer, Buttons buttons)
{
    switch (buttons) {
    case Buttons::OkCancel:
        if (answer == Answer::Yes)
            return Answer::Ok;
        if (answer == Answer::No)
            return Answer::Cancel;
        break;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        if (answer == Answer::Ok)
            return Answer::Yes;
        if (answer == Answer::Cancel && buttons == Buttons::YesNo)
            return Answer::No;
        break;
    case Buttons::Ok:
    case Buttons::AbortRetryIgnore:
        break;
    }
    return answer;
}

QString ScriptedPrompter::chooseFile(const QString &, const QString &, const QString &, int)
{
    ++fileDialogs;
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString ScriptedPrompter::chooseSaveFile(const QString &, const QString &, const QString &, const QString &,
                                         int *filterIndex)
{
    ++fileDialogs;
    offeredFilters.append(*filterIndex);
    if (!chosenFilters.isEmpty())
        *filterIndex = chosenFilters.takeFirst();
    return files.isEmpty() ? QString() : files.takeFirst();
}
