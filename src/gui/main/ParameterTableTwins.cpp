#include "ParameterTableTwins.h"

#include "TMain.h"
#include "paramtable/TParameter.h"

#include <QAction>

namespace {

const char *const TableCommands[] = {"PopChgDisp", "PopCVDisp", "PopQuick",   "PopSlct",    "PopSlctUnlock",
                                     "PopBlind",   "PopDisp",   "PopHexDisp", "PopDecDisp", "PopDef",
                                     "PopUndo",    "PopRedo",   "PopCopy",    "PopFind",    "PopParaHelp"};

// Main-window items shown only while the table window is open.
const char *const ShownWithTable[] = {"PopUndo2",   "PopRedo2",      "PopCopy2",  "PopDownLoad2", "PopUpLoad2",
                                      "PopChgDisp2", "PopCVDisp2",   "PopSlct2",  "PopSlctUnlock2", "PopBlind2",
                                      "PopDisp2",   "PopHexDisp2",   "PopDecDisp2", "PopDef2",    "PopParaHelp2",
                                      "PopFind2"};

const char *const ButtonsOffWithoutTable[] = {"ToolBundo", "ToolBredo", "ToolBpsr", "ToolBpsw", "ToolBfind",
                                              "ToolBCV"};

}  // namespace

QStringList ParameterTableTwins::twinNames()
{
    QStringList names;
    for (const char *c : TableCommands)
        names << QString::fromLatin1(c) + QLatin1Char('2');
    return names;
}

ParameterTableTwins::ParameterTableTwins(TMain &main, TParameter &table)
    : QObject(&main)
    , m_main(main)
    , m_table(table)
{
    for (const char *c : TableCommands) {
        const QString name = QString::fromLatin1(c);
        QAction *tableItem = table.item(name);
        for (QAction *twin : {main.action(name + QLatin1Char('2')),
                              main.action(main.m_twinOf.value(name + QLatin1Char('2')))}) {
            if (!twin)
                continue;
            twin->setCheckable(tableItem->isCheckable());
            twin->setEnabled(table.commandEnabled(name));
            connect(twin, &QAction::triggered, this, [this, tableItem] {
                if (m_main.ParaTableAct)
                    tableItem->trigger();
                // The twin's own toggle is undone: the table's state is the one shown.
                sync(tableItem->objectName(), m_table.commandEnabled(tableItem->objectName()) ? 1 : 0,
                     tableItem->isChecked() ? 1 : 0);
            });
        }
    }
    connect(&table, &TParameter::itemStateChanged, this, &ParameterTableTwins::sync);
    connect(&table, &TParameter::shown, this, &ParameterTableTwins::tableShown);
    connect(&table, &TParameter::closed, this, &ParameterTableTwins::tableClosed);
    connect(&table, &TParameter::activated, this, [this] { m_main.ParaTableAct = true; });
}

void ParameterTableTwins::sync(const QString &component, int enabled, int checked)
{
    const QString twin = component + QLatin1Char('2');
    QAction *menuItem = m_main.action(twin);
    if (!menuItem)
        return;
    if (enabled >= 0 && m_main.m_connected.contains(menuItem))
        m_main.setCommandEnabled(twin, enabled == 1);
    if (checked >= 0) {
        for (QAction *a : {menuItem, m_main.action(m_main.m_twinOf.value(twin))}) {
            if (a && a->isCheckable())
                a->setChecked(checked == 1);
        }
    }
}

void ParameterTableTwins::setTwinsVisible(bool visible)
{
    for (const char *name : ShownWithTable) {
        if (QAction *a = m_main.action(QString::fromLatin1(name)))
            a->setVisible(visible);
    }
}

void ParameterTableTwins::tableShown()
{
    m_main.ParaTableAct = true;
    m_main.setCommandEnabled(QStringLiteral("ParameterEditor"), false);
    setTwinsVisible(true);
    for (const char *c : {"PopUndo", "PopRedo", "PopCVDisp", "PopFind", "PopParaHelp"}) {
        const QString item = QString::fromLatin1(c);
        sync(item, m_table.commandEnabled(item) ? 1 : 0, -1);
    }
}

void ParameterTableTwins::tableClosed()
{
    m_main.setCommandEnabled(QStringLiteral("ParameterEditor"), true);
    setTwinsVisible(false);
    for (const char *name : ButtonsOffWithoutTable) {
        if (QAction *a = m_main.action(QString::fromLatin1(name)))
            a->setEnabled(false);
    }
}
