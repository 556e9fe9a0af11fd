#pragma once

#include "TPrintWindow.h"

// "Monitoring Print": the preview of the monitor report, printed from there. It is the
// parameter list's preview window under its own caption, so both reports page, zoom and
// print alike.
class TPrintWindowM : public TPrintWindow
{
    Q_OBJECT

public:
    TPrintWindowM(const LanguageFile &language, const MessageTable &messages, Prompter &prompter, QPrinter &printer,
                  QWidget *parent = nullptr);
};
