#include "TransferTexts.h"

#include "app/LanguageFile.h"

TransferTexts TransferTexts::load(const LanguageFile &language, const MessageTable &messages)
{
    TransferTexts t;
    t.messages = messages;
    const QString working = QStringLiteral("Working");
    const QString rep = QStringLiteral("WorkingRep");
    struct Entry {
        const QString *section;
        const char *key;
        QString *text;
    } entries[] = {
        {&working, "FormIm", &t.formIm},       {&working, "FormEx", &t.formEx},
        {&working, "FormComp", &t.formComp},   {&working, "Button1", &t.startButton},
        {&working, "Button2", &t.cancelButton}, {&working, "Button3", &t.okButton},
        {&working, "NoErrInfo", &t.noErrInfo}, {&working, "NoDiffInfo", &t.noDiffInfo},
        {&rep, "FormIm", &t.resultIm},         {&rep, "FormEx", &t.resultEx},
        {&rep, "FormComp", &t.resultComp},     {&rep, "FormInfo", &t.resultInfo},
        {&rep, "FormTrip", &t.resultTrip},     {&rep, "Info1", &t.info1},
        {&rep, "Info2", &t.info2},             {&rep, "Info3", &t.info3},
        {&rep, "Buff", &t.buff},               {&rep, "Result1", &t.result1},
        {&rep, "Result2", &t.result2},         {&rep, "Result3", &t.result3},
        {&rep, "Button1", &t.printButton},     {&rep, "Button2", &t.saveButton},
        {&rep, "SaveFile1", &t.saveFilter},    {&rep, "SaveFile2", &t.infoSaveFilter},
        {&rep, "Title", &t.printTitle},        {&rep, "Info4", &t.info4},
        {&rep, "Result4", &t.result4},         {&rep, "Result5", &t.result5},
        {&rep, "Result6", &t.result6},         {&rep, "Result7", &t.allDiffer},
        {&rep, "Result8", &t.noReply},         {&rep, "Check1", &t.compareFactory},
    };
    for (const Entry &e : entries)
        *e.text = language.text(*e.section, QString::fromLatin1(e.key), *e.text);
    t.saveTitle = language.text(QStringLiteral("Main"), QStringLiteral("Menu14"), t.saveTitle);
    return t;
}

QString TransferTexts::workCaption(TransferMode mode) const
{
    switch (mode) {
    case TransferMode::Import:
        return formIm;
    case TransferMode::Export:
        return formEx;
    default:
        return formComp;
    }
}

QString TransferTexts::resultCaption(TransferMode mode) const
{
    switch (mode) {
    case TransferMode::Import:
        return resultIm;
    case TransferMode::Export:
        return resultEx;
    case TransferMode::Comparison:
        return resultComp;
    case TransferMode::InverterInfo:
        return resultInfo;
    case TransferMode::TripInfo:
        return resultTrip;
    }
    return resultComp;
}

namespace {

QString choiceLines(const TransferTexts &t)
{
    return t.message(69) + u'\n' + t.message(70) + u'\n' + t.message(71);
}

}  // namespace

QString TransferTexts::errorBoxText(const QString &title) const
{
    return message(67) + u'\n' + message(68) + u' ' + title + QStringLiteral("\n\n") + choiceLines(*this);
}

QString TransferTexts::differenceBoxText(const QString &title) const
{
    return message(72) + u'\n' + message(73) + u' ' + title + QStringLiteral("\n\n") + choiceLines(*this);
}
