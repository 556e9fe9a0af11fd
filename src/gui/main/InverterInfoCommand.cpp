#include "InverterInfoCommand.h"

#include "TMain.h"
#include "app/InverterCatalog.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "comm/DetectExchange.h"
#include "monitor/AlarmTripLists.h"
#include "monitor/InverterInfo.h"
#include "transfer/TResultForm1.h"
#include "transfer/TransferTexts.h"

#include <QAction>

namespace {
constexpr int NoDriveMessage = 3;
}

InverterInfoCommand::InverterInfoCommand(TMain &main, Prompter &prompter)
    : QObject(&main), m_main(main), m_prompter(prompter)
{
}

void InverterInfoCommand::MonInvInfoClick()
{
    CommLink *link = m_main.commLink();
    const QAction *item = m_main.action(QStringLiteral("MonInvInfo"));
    if (!link || !item || !item->isEnabled())
        return;
    Session &session = m_main.session();
    if (!link->connectionCheck().run()) {
        m_prompter.message(session.messages.text(NoDriveMessage), session.messages.caption(), Prompter::Icon::Warning,
                           Prompter::Buttons::Ok);
        m_prompter.pump();
        return;
    }
    const DriveSelection &s = session.selection;
    InverterCatalog catalog;
    catalog.scan(session.folders.dataFolder, session.folders.catalogFile());
    AlarmTripLists trips;
    trips.load(IniFile(session.folders.infoFile, CodePages::forPrefix(s.languagePrefix)), s.typeName, s.languagePrefix);
    DetectExchange detect(link->port().port(), link->settings());
    InverterInfo info(session.data, link->exchange(), detect, catalog, trips, session.messages, m_prompter);
    TransferReport report;
    if (!info.CollectInverterInfo(session.language.ini(), s.typeName, report))
        return;

    const TransferTexts texts = TransferTexts::load(session.language, session.messages);
    TResultForm1::Setup setup;
    setup.mode = TransferMode::InverterInfo;
    setup.appFolder = session.folders.userFolder();
    setup.codePage = CodePages::forLanguage(s.languageName);
    const QAction *print = m_main.action(QStringLiteral("Print"));
    setup.printEnabled = print && print->isEnabled();
    TResultForm1 result(texts, m_prompter, setup, &m_main);
    result.setReport(report);
    m_main.ParaTableAct = false;
    emit resultOpening(&result);
    result.exec();
    m_prompter.pump();
}
