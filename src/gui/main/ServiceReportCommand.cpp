#include "ServiceReportCommand.h"

#include "TMain.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "comm/DetectExchange.h"
#include "comm/DriveFrameItems.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

constexpr int NoDriveMessage = 3;

QByteArray take(const std::function<QByteArray()> &source)
{
    return source ? source() : QByteArray();
}

}  // namespace

ServiceReportCommand::ServiceReportCommand(TMain &main, Prompter &prompter)
    : QObject(&main), m_main(main), m_prompter(prompter)
{
}

QString ServiceReportCommand::chooseArchive()
{
    const Session &session = m_main.session();
    const DriveSelection &s = session.selection;
    const QString proposed = s.typeName + s.formName + QStringLiteral("-service-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH'h'mm'm'")) + QStringLiteral(".zip");
    int filter = 0;
    const QString path = m_prompter.chooseSaveFile(QStringLiteral("Service Report"), session.folders.appFolder,
                                                   proposed, QStringLiteral("Service Report (*.zip)|*.zip"), &filter);
    if (path.isEmpty())
        return {};
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".zip") : path;
}

void ServiceReportCommand::tell(const QString &text, bool warning)
{
    m_prompter.message(text, m_main.session().messages.caption(),
                       warning ? Prompter::Icon::Warning : Prompter::Icon::Information, Prompter::Buttons::Ok);
    m_prompter.pump();
}

void ServiceReportCommand::ServiceReportClick()
{
    CommLink *link = m_main.commLink();
    const QAction *item = m_main.action(QStringLiteral("ServiceReport"));
    if (!link || !item || !item->isEnabled())
        return;
    Session &session = m_main.session();
    if (!link->connectionCheck().run()) {
        tell(session.messages.text(NoDriveMessage), true);
        return;
    }
    const QString path = chooseArchive();
    if (path.isEmpty())
        return;
    m_written.clear();
    DriveFrameItems items(session.data);
    DetectExchange detect(link->port().port(), link->settings());
    const QString port = link->port().availablePort(link->settings().portIndex);
    ServiceReport report({session.data, session.selection, session.folders, session.messages, session.language,
                          m_prompter, session.MainteFlag},
                         {link->exchange(), items, detect, ServiceReport::lineDescription(port, link->settings())});
    // The read lets events run between exchanges; no other command may use the line meanwhile.
    m_main.setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    report.read();
    QString error;
    const bool written =
        report.write(path, {take(communicationLog), take(recordingMon), take(recordingPng)}, &error);
    QGuiApplication::restoreOverrideCursor();
    m_main.setEnabled(true);
    if (!written) {
        tell(QStringLiteral("The service report was not written:\n%1").arg(error), true);
        return;
    }
    m_written = path;
    tellWritten(report, QDir::toNativeSeparators(path));
}

void ServiceReportCommand::tellWritten(const ServiceReport &report, const QString &shown)
{
    const int missing = report.unansweredParameters() + report.unansweredInformation();
    if (!report.answered())
        tell(QStringLiteral("The drive did not answer. %1 holds the identification and the version only.").arg(shown), true);
    else if (missing > 0)
        tell(QStringLiteral("%1 was written; %2 value(s) were not answered and are shown as \"-\".").arg(shown).arg(missing),
             true);
    else
        tell(QStringLiteral("The service report was written to %1.").arg(shown), false);
}
