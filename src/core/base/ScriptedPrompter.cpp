#include "ScriptedPrompter.h"

Prompter::Answer ScriptedPrompter::message(const QString &text, const QString &caption, Icon icon,
                                           Buttons buttons)
{
    shown.append({text, caption, icon, buttons});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (!answers.isEmpty())
        return answers.takeFirst();
    return defaultAnswer;
}

QString ScriptedPrompter::chooseFile(const QString &, const QString &, const QString &, int)
{
    ++fileDialogs;
    return files.isEmpty() ? QString() : files.takeFirst();
}
