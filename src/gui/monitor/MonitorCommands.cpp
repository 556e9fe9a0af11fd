#include "MonitorCommands.h"

#include "TMonitoring.h"
#include "main/TMain.h"
#include "print/MonitorPrintCommand.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

MonitorCommands::MonitorCommands(TMain &main, Prompter &prompter) : QObject(&main), m_main(main), m_prompter(prompter)
{
}

void MonitorCommands::create()
{
    if (m_window)
        return;
    m_window = new TMonitoring(m_main.session(), m_prompter, &m_main);
    m_window->setCommLink(m_main.commLink());
    connect(m_window, &TMonitoring::shownChanged, this, &MonitorCommands::windowShown);
    connect(m_window, &TMonitoring::runningChanged, this, &MonitorCommands::runChanged);
    m_print = new MonitorPrintCommand(m_main, m_prompter);
    m_print->attach(*m_window);
    setMonitoringMenu(m_window->hasItems());
}

void MonitorCommands::setMonitoringMenu(bool enabled)
{
    if (QMenu *menu = m_main.menu(QStringLiteral("Monitor")))
        menu->menuAction()->setEnabled(enabled);
    if (!m_window || !m_window->hasItems())
        m_main.setCommandEnabled(QStringLiteral("MonChart"), false);
}

void MonitorCommands::MonChartClick()
{
    if (!m_window)
        create();
    if (!m_window->reloadIfDriveChanged())
        return;
    if (!m_placed)
        placeUnderMain();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void MonitorCommands::placeUnderMain()
{
    // Under the main window's frame, as wide as it; together they fill 480 pixels of height.
    m_placed = true;
    const QRect frame = m_main.frameGeometry();
    const int height = std::max(m_window->minimumHeight(), 480 - frame.height());
    m_window->setGeometry(frame.left(), frame.bottom() + 1, std::max(frame.width(), m_window->minimumWidth()), height);
}

void MonitorCommands::windowShown(bool visible)
{
    setMonitoringMenu(!visible && m_window->hasItems());
}

void MonitorCommands::runChanged(bool running)
{
    // The main window takes no commands while a run uses the line.
    m_main.menuBar()->setEnabled(!running);
    for (QToolBar *bar : m_main.findChildren<QToolBar *>())
        bar->setEnabled(!running);
    // A menu takes its enabled state from the menu bar's: the "Monitoring" menu stays off
    // while the window is visible.
    if (!running)
        setMonitoringMenu(!m_window->isVisible() && m_window->hasItems());
}
