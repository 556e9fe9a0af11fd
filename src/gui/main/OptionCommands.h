#pragma once

#include "app/MaintenanceLogin.h"

#include <QObject>

class Prompter;
class TMain;
class TMMIMtpass;
class TVKROption;

// "Environment Options" and "Maintenance Mode" of the main window: creates both windows at
// start (the options are loaded then), applies changed options to the windows that exist,
// keeps the file-type registration in step with its option, and runs the password window.
class OptionCommands : public QObject
{
    Q_OBJECT

public:
    OptionCommands(TMain &main, Prompter &prompter);

    TVKROption *options() const { return m_options; }
    TMMIMtpass *password() const { return m_password; }

    void MMItoolsSettingClick();
    void MMIMtClick();

signals:
    /// The windows are open and modal: tests answer them through these.
    void optionsOpening(TVKROption *window);
    void passwordOpening(TMMIMtpass *window);

private:
    void applyOptions();
    void registerFileType(bool registered);
    void showBufferTable(bool shown);
    MaintenanceLogin::Line line();

    TMain &m_main;
    Prompter &m_prompter;
    TVKROption *m_options = nullptr;
    TMMIMtpass *m_password = nullptr;
};
