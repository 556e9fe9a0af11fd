#include "OptionCommands.h"

#include "TMain.h"
#include "app/FileTypeRegistration.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "monitor/MonitorCommands.h"
#include "monitor/TMonitoring.h"
#include "print/MonitorPrintCommand.h"
#include "print/PrintCommands.h"
#include "options/TMMIMtpass.h"
#include "options/TVKROption.h"
#include "paramtable/ParameterCommands.h"
#include "paramtable/ParameterEditor.h"
#include "paramtable/TParameter.h"
#include "paramtable/TParameters.h"

#include <QCoreApplication>
#include <QTableView>

OptionCommands::OptionCommands(TMain &main, Prompter &prompter)
    : QObject(&main), m_main(main), m_prompter(prompter)
{
    m_options = new TVKROption(main.session(), prompter, &main);
    m_password = new TMMIMtpass(main.session(), prompter, [this] { return line(); }, &main);
    connect(m_options, &TVKROption::optionsClosed, this, &OptionCommands::applyOptions);
    connect(m_options, &TVKROption::fileTypeRegistration, this, &OptionCommands::registerFileType);
    connect(m_options, &TVKROption::bufferTableWanted, this, &OptionCommands::showBufferTable);
    if (TParameters *buffer = main.parameters()) {
        // Closing the buffer table switches its option off.
        connect(buffer, &TParameters::closed, this, [this] { m_main.session().options.set(Opt::DispBuffer, 0); });
    }
    registerFileType(main.session().options.on(Opt::FileRegist));
}

void OptionCommands::MMItoolsSettingClick()
{
    // While either window is active the parameter table does not count as the active window.
    m_main.ParaTableAct = false;
    emit optionsOpening(m_options);
    m_options->exec();
    m_prompter.pump();
}

void OptionCommands::MMIMtClick()
{
    m_main.ParaTableAct = false;
    emit passwordOpening(m_password);
    m_password->exec();
    m_prompter.pump();
    if (m_password->changed() && m_main.table())
        m_main.table()->ResetView();
}

void OptionCommands::applyOptions()
{
    // The table's colours, Enter key, undo depth and help choice, and the monitoring
    // window's colours, recording points and continuous mode; the keypad takes its LED timer
    // when it next opens (it is modal, so never open meanwhile).
    if (TParameter *table = m_main.table()) {
        table->readColours();
        table->commands().editor().readUndoDepth();
        table->StringGrid1()->viewport()->update();
    }
    if (TMonitoring *monitor = m_main.monitor()->window())
        monitor->OptionsChanged();
    // "Check the Printer connection".
    m_main.printing()->checkPrinterConnection();
    if (MonitorPrintCommand *print = m_main.monitor()->printCommand())
        print->refreshPrintButton();
}

void OptionCommands::registerFileType(bool registered)
{
    const QString exe = QCoreApplication::applicationFilePath();
    FileTypeRegistration registration(FileTypeRegistration::dataHome(), exe);
    if (registered)
        registration.registerType();
    else
        registration.unregisterType();
}

void OptionCommands::showBufferTable(bool shown)
{
    if (TParameters *buffer = m_main.parameters()) {
        if (shown)
            buffer->showBuffer();
        else
            buffer->hide();
    }
}

MaintenanceLogin::Line OptionCommands::line()
{
    MaintenanceLogin::Line l;
    CommLink *link = m_main.commLink();
    if (!link)
        return l;
    l.onLine = link->connectionCheck().run();
    l.lastErrorFlag = link->exchange().CommErrorFlag();
    l.writeFb91 = [this, link]() {
        const int index = m_main.session().data.IndexOfComNo(u"FB91");
        if (index < 0)
            return true;  // nothing to write to: the drive cannot confirm
        bool failed = false;
        link->exchange().exchange(index, QStringLiteral("251"), failed, 'P');
        return failed;
    };
    return l;
}
