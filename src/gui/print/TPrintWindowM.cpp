#include "TPrintWindowM.h"

#include "app/LanguageFile.h"

TPrintWindowM::TPrintWindowM(const LanguageFile &language, const MessageTable &messages, Prompter &prompter,
                             QPrinter &printer, QWidget *parent)
    : TPrintWindow(language, messages, prompter, printer, parent)
{
    setObjectName(QStringLiteral("TPrintWindowM"));
    setWindowTitle(language.text(QStringLiteral("PrintMon"), QStringLiteral("Form"), QStringLiteral("Monitoring Print")));
}
