#include "TransferCommands.h"

#include "TResultForm1.h"
#include "TWorkBar.h"
#include "comm/CommLink.h"
#include "main/OptionCommands.h"
#include "main/TMain.h"
#include "model/ModelInfo.h"
#include "paramtable/TParameter.h"
#include "model/ParameterValues.h"
#include "transfer/ExportSnapshot.h"
#include "transfer/ThreeWayComparison.h"
#include "transfer/TransferChecks.h"
#include "transfer/TransferRun.h"
#include "transfer/TransferTexts.h"

#include <QAction>

TransferCommands::TransferCommands(TMain &main, Prompter &prompter)
    : QObject(&main), m_main(main), m_prompter(prompter)
{
}

bool TransferCommands::begin(TransferMode mode, const TransferOptions &options, const TransferTexts &texts)
{
    CommLink &link = *m_main.commLink();
    Session &session = m_main.session();
    DriveFrameItems items(session.data);
    TransferChecks checks(link.connectionCheck(), link.exchange(), link.port().port(), items, session.messages,
                          m_prompter);
    const DriveSelection &s = session.selection;
    checks.setDrive({s.typeName, s.formName, s.cpuVersion, m_main.I_CpuForm_M, m_main.I_CpuNo_M},
                    session.folders.dataFolder, session.folders.catalogFile(),
                    ModelInfo(session.folders.infoFile, CodePages::forPrefix(s.languagePrefix)).specialSetup());
    checks.notice = {m_main.ParaTableAct, m_main.DrvChkAct, m_main.DrvChkd};
    checks.openOptions = [this] {
        if (OptionCommands *options = m_main.optionCommands())
            options->MMItoolsSettingClick();
        return m_main.session().options.on(Opt::TypCapChk);
    };
    m_main.ComCancel = false;
    TransferStart start(session.data, link.exchange(), m_prompter, texts);
    const TransferStart::Result started = start.begin(mode, options, checks.steps(options));
    m_main.DrvChkAct = checks.notice.DrvChkAct;
    m_main.DrvChkd = checks.notice.DrvChkd;
    m_main.ComCancel = start.identification().comCancel;
    m_main.TypeCheck = start.identification().typeCheck;
    m_main.FormCheck = start.identification().formCheck;
    return started == TransferStart::Result::Ready;
}

void TransferCommands::run(TransferMode mode, const std::optional<QSet<int>> &onlyRows)
{
    if (!m_main.commLink())
        return;
    m_resultShown = false;
    m_started = false;
    Session &session = m_main.session();
    TransferOptions options = TransferOptions::fromOptions(session.options, session.MainteFlag);
    if (onlyRows)
        options.changedOnly = false;
    const TransferTexts texts = TransferTexts::load(session.language, session.messages);
    if (!begin(mode, options, texts))
        return;
    // The mismatch box may have opened the options window: the run takes them as they are now.
    options = TransferOptions::fromOptions(session.options, session.MainteFlag);
    if (onlyRows)
        options.changedOnly = false;
    TResultForm1::Setup setup;
    setup.mode = mode;
    setup.appFolder = session.folders.userFolder();
    setup.codePage = CodePages::forLanguage(session.selection.languageName);
    setup.saveAutomatic = options.saveResult;
    const QAction *print = m_main.action(QStringLiteral("Print"));
    setup.printEnabled = print && print->isEnabled();
    TResultForm1 result(texts, m_prompter, setup, &m_main);
    TWorkBar bar(mode, session.data, m_main.commLink()->exchange(), m_prompter, texts, options,
                 TransferStart::lastIndexFor(mode, session.data, options), session.selection.typeName, &m_main);
    if (mode == TransferMode::Export) {
        bar.beforeStart = [&](TransferRun &run) {
            run.onlyRows = onlyRows;
            ExportSnapshot snapshot = ExportSnapshot::forSession(session, m_main.commLink()->exchange(), m_prompter);
            return snapshot.guard(run.rowsToWrite());
        };
    }
    emit workBarOpening(&bar);
    bar.exec();
    m_prompter.pump();
    m_started = bar.ran();
    if (bar.ran()) {
        if (mode == TransferMode::Comparison && bar.run()->state() == TransferRun::State::Finished)
            offerThreeWay(*bar.run(), options, texts, result);
        finish(mode, *bar.run(), result);
    }
}

void TransferCommands::offerThreeWay(const TransferRun &run, const TransferOptions &options,
                                     const TransferTexts &texts, TResultForm1 &result)
{
    Session &session = m_main.session();
    ParameterValues values(session.data, session.messages, m_prompter);
    result.setThreeWayReport(
        ThreeWayComparison::build(session.data, values, run, options.maintenanceActive, texts.buff).report(texts));
}

void TransferCommands::finish(TransferMode mode, const TransferRun &run, TResultForm1 &result)
{
    result.setReport(run.report());
    if (run.autoSaveWanted())
        result.Button2Click();
    if (run.resultWanted()) {
        m_resultShown = true;
        // The result window takes over from the parameter table as the active window.
        m_main.ParaTableAct = false;
        emit resultOpening(&result);
        result.exec();
    }
    if (mode != TransferMode::Comparison && run.state() == TransferRun::State::Finished && m_main.table())
        m_main.table()->FillGrid();
}
