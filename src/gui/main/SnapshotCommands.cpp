#include "SnapshotCommands.h"

#include "TMain.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "paramtable/TParameter.h"
#include "transfer/SnapshotFiles.h"
#include "transfer/SnapshotTexts.h"
#include "transfer/TransferCommands.h"

SnapshotCommands::SnapshotCommands(TMain &main, Prompter &prompter)
    : QObject(&main), m_main(main), m_prompter(prompter)
{
}

void TMain::SnapshotRestoreClick()
{
    m_snapshots->SnapshotRestoreClick();
}

void SnapshotCommands::SnapshotRestoreClick()
{
    CommLink *link = m_main.commLink();
    Session &session = m_main.session();
    if (!link || session.monitoringRunning)
        return;
    const SnapshotTexts texts = SnapshotTexts::load(&session.language, session.messages);
    auto say = [&](const QString &text) {
        m_prompter.message(text, texts.caption, Prompter::Icon::Warning, Prompter::Buttons::Ok);
        m_prompter.pump();
    };
    const QString folder = SnapshotFiles::folderBeside(session.settings().path());
    const QString path = SnapshotFiles::lastPath(folder, session.selection, link->settings().inverterNumber);
    if (path.isEmpty())
        return say(texts.noSnapshot.arg(folder));
    const SnapshotFiles::Loaded loaded = SnapshotFiles::read(path, session.data, session.selection);
    if (!loaded.error.isEmpty())
        return say(texts.unusable.arg(path, loaded.error));
    const Prompter::Answer answer = m_prompter.message(texts.restoreAsk.arg(path), texts.caption,
                                                       Prompter::Icon::Question, Prompter::Buttons::OkCancel);
    m_prompter.pump();
    if (answer != Prompter::Answer::Ok)
        return;
    // The table takes the snapshot's values; when the export does not start they go back.
    const UPara before = session.data.uPara;
    SnapshotFiles::apply(loaded, session.data, session.messages, m_prompter);
    m_main.transfers()->run(TransferMode::Export, QSet<int>(loaded.rows.cbegin(), loaded.rows.cend()));
    if (!m_main.transfers()->started()) {
        session.data.uPara = before;
        if (m_main.table())
            m_main.table()->FillGrid();
    }
}
