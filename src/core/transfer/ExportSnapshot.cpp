#include "ExportSnapshot.h"

#include "SnapshotFiles.h"
#include "TransferRows.h"
#include "app/Session.h"
#include "base/Prompter.h"
#include "comm/CommExchange.h"
#include "files/ParameterFile.h"
#include "model/DriveData.h"

#include <QDir>

ExportSnapshot::ExportSnapshot(const DriveData &data, CommExchange &exchange, const SnapshotTexts &texts,
                               Prompter &prompter)
    : m_data(data), m_exchange(exchange), m_texts(texts), m_prompter(prompter)
{
}

ExportSnapshot ExportSnapshot::forSession(Session &session, CommExchange &exchange, Prompter &prompter)
{
    ExportSnapshot s(session.data, exchange, SnapshotTexts::load(&session.language, session.messages), prompter);
    s.enabled = session.options.on(Opt::SnapshotChk);
    s.folder = SnapshotFiles::folderBeside(session.settings().path());
    s.selection = session.selection;
    s.inverterNumber = exchange.settings().inverterNumber;
    return s;
}

QStringList ExportSnapshot::lines(const QList<int> &rows, const QStringList &values) const
{
    QStringList out = ParameterFile::headerLines(selection, m_texts.comment.arg(inverterNumber), false, 0);
    for (qsizetype i = 0; i < rows.size(); ++i)
        out << m_data.paraDat.at(rows.at(i), ParaDat::ComNo) + QLatin1Char(',') + values.at(i) + QStringLiteral(",0,0");
    return out;
}

ExportSnapshot::Result ExportSnapshot::take(const QList<int> &rows, const QDateTime &when)
{
    m_result = Result();
    // An export that writes nothing overwrites nothing: there is nothing to keep.
    if (rows.isEmpty())
        return m_result;
    QStringList values;
    values.reserve(rows.size());
    for (const int index : rows) {
        std::optional<quint32> word;
        for (int attempt = 0; attempt < 2 && !word; ++attempt) {
            ++m_result.exchanges;
            word = TransferRows::read(m_exchange, index);
        }
        if (!word) {
            m_result.outcome = Outcome::ReadFailed;
            m_result.failedRow = m_data.paraDat.at(index, ParaDat::FTitle) + QStringLiteral(" (")
                               + m_data.paraDat.at(index, ParaDat::ComNo) + QLatin1Char(')');
            return m_result;
        }
        values << TransferRows::readText(m_data, index, *word);
    }
    m_result.path = SnapshotFiles::newPath(folder, selection, inverterNumber, when);
    if (!QDir().mkpath(folder)) {
        m_result.outcome = Outcome::WriteFailed;
        m_result.error = QStringLiteral("the folder %1 cannot be created").arg(folder);
        return m_result;
    }
    if (!ParameterFile::writeLines(m_result.path, selection.languagePrefix, lines(rows, values), &m_result.error))
        m_result.outcome = Outcome::WriteFailed;
    return m_result;
}

QString ExportSnapshot::failureText(const Result &result) const
{
    if (result.outcome == Outcome::ReadFailed)
        return m_texts.readFailed.arg(result.failedRow);
    if (result.outcome == Outcome::WriteFailed)
        return m_texts.writeFailed.arg(result.path, result.error);
    return {};
}

bool ExportSnapshot::guard(const QList<int> &rows)
{
    if (!enabled)
        return true;
    if (take(rows).outcome == Outcome::Taken)
        return true;
    const Prompter::Answer answer = m_prompter.message(failureText(m_result) + QStringLiteral("\n\n") + m_texts.goOn,
                                                       m_texts.caption, Prompter::Icon::Warning,
                                                       Prompter::Buttons::YesNo);
    m_prompter.pump();
    return answer == Prompter::Answer::Yes;
}
