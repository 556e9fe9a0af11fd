#include "UnattendedPrompter.h"

#include <QFile>

Prompter::Answer UnattendedPrompter::message(const QString &text, const QString &caption, Icon icon,
                                             Buttons buttons)
{
    QFile log(m_logFile);
    if (log.open(QIODevice::Append)) {
        QString flat = text;
        flat.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        log.write((caption + QLatin1Char('|') + flat + QLatin1Char('\n')).toUtf8());
    }
    return ScriptedPrompter::message(text, caption, icon, buttons);
}

QString UnattendedPrompter::logFileFromEnvironment()
{
    return qEnvironmentVariable("VKR410T_PROMPT_LOG");
}
