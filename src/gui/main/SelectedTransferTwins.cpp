#include "SelectedTransferTwins.h"

#include "TMain.h"
#include "comm/CommLink.h"
#include "comm/DetectExchange.h"
#include "comm/SpecialSetupCheck.h"
#include "model/ModelInfo.h"
#include "paramtable/ParameterCommands.h"
#include "paramtable/SelectedTransferCommands.h"
#include "paramtable/TParameter.h"

#include <QAction>
#include <QTableView>

SelectedTransferTwins::SelectedTransferTwins(TMain &main, Prompter &prompter)
    : QObject(&main)
    , m_main(main)
    , m_prompter(prompter)
{
    CommLink *link = main.commLink();
    TParameter *table = main.table();
    if (!link || !table)
        return;
    ConnectionCheck &check = link->connectionCheck();
    table->commands().selected().setLine(&link->exchange(), [&check] { return check.run(); });
    connect(&check, &ConnectionCheck::commandGroupsChanged, table, [table](bool transfer, bool, bool) {
        table->setCommandEnabled(QStringLiteral("PopDownLoad"), transfer);
        table->setCommandEnabled(QStringLiteral("PopUpLoad"), transfer);
    });
    for (const char *name : {"PopDownLoad2", "ToolBpsr"})
        connect(main.action(QString::fromLatin1(name)), &QAction::triggered, this, [this] { run(true); });
    for (const char *name : {"PopUpLoad2", "ToolBpsw"})
        connect(main.action(QString::fromLatin1(name)), &QAction::triggered, this, [this] { run(false); });
}

bool SelectedTransferTwins::specialSetup()
{
    CommLink &link = *m_main.commLink();
    Session &session = m_main.session();
    DetectExchange detect(link.port().port(), link.settings());
    SpecialSetupCheck check(link.connectionCheck(), detect, link.settings(), session.messages, m_prompter);
    SpecialSetupCheck::Notice notice{m_main.ParaTableAct, m_main.DrvChkAct, m_main.DrvChkd};
    const bool special = check.run(ModelInfo(session.folders.infoFile).specialSetup(), notice);
    m_main.DrvChkAct = notice.DrvChkAct;
    m_main.DrvChkd = notice.DrvChkd;
    return special;
}

void SelectedTransferTwins::run(bool import)
{
    TParameter *table = m_main.table();
    if (!m_main.ParaTableAct || !table || specialSetup())
        return;
    SelectedTransferCommands &commands = table->commands().selected();
    if (import)
        commands.PopDownLoadClick();
    else
        commands.PopUpLoadClick();
    if (table->isVisible())
        table->StringGrid1()->setFocus();
}
