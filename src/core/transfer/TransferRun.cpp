#include "TransferRun.h"

#include "TransferRows.h"
#include "TransferTexts.h"
#include "base/Prompter.h"
#include "comm/CommExchange.h"
#include "model/DriveData.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"
#include "model/ValueConversion.h"

#include <algorithm>

TransferRun::TransferRun(TransferMode mode, DriveData &data, CommExchange &exchange, Prompter &prompter,
                         const TransferTexts &texts, const TransferOptions &options, int lastIndex)
    : m_mode(mode)
    , m_data(data)
    , m_exchange(exchange)
    , m_prompter(prompter)
    , m_texts(texts)
    , m_options(options)
    , m_last(std::min(lastIndex, data.lastIndex))
{
}

std::optional<quint32> TransferRun::driveWord(int index) const
{
    if (index < 0 || size_t(index) >= m_answered.size() || !m_answered[size_t(index)])
        return std::nullopt;
    return m_words[size_t(index)];
}

bool TransferRun::resultWanted() const
{
    if (!m_showResultWanted || m_state != State::Finished)
        return false;
    if (m_mode == TransferMode::Comparison)
        return m_options.displayCompResult || m_options.displayCommResult;
    return m_options.displayCommResult;
}

void TransferRun::start()
{
    m_state = State::Running;
    m_next = 0;
    m_errors = m_differences = m_echoDiffers = 0;
    m_failed.clear();
    m_report.clear();
    m_errorList = {m_texts.info1};
    m_keepOpen = m_autoSave = m_cancelRequested = false;
    m_showResultWanted = true;
    m_secondLabel.clear();
    setProgress(0);
    const int count = std::max(m_last + 1, 0);
    m_words.assign(size_t(count), 0);
    m_readFailed.assign(size_t(count), false);
    m_answered.assign(size_t(count), false);
    if (m_mode == TransferMode::Comparison) {
        m_status = m_texts.message(66);
        m_report.append(m_texts.info2);
        m_report.append(TransferReport::columnHeader(m_texts.result1, m_texts.result2, m_texts.result3));
    } else {
        m_status = m_texts.message(m_mode == TransferMode::Import ? 64 : 65);
        m_report.append(m_texts.info1);
    }
}

bool TransferRun::step()
{
    if (m_state != State::Running || m_next > m_last)
        return false;
    if (m_cancelRequested) {
        abort();
        return false;
    }
    const int index = m_next;
    Choice choice = processRow(index);
    while (choice == Choice::Retry)
        choice = processRow(index);
    if (choice == Choice::Abort) {
        abort();
        return false;
    }
    ++m_next;
    // (index + 1) * 100 / TransferLastIndex, as the bar always moved; a run of one parameter
    // would divide by zero.
    setProgress(std::min(100, (index + 1) * 100 / std::max(m_last, 1)));
    return m_next <= m_last;
}

void TransferRun::run()
{
    start();
    while (step())
        m_prompter.pump();
    finish();
}

void TransferRun::finish()
{
    if (m_state != State::Running)
        return;
    m_state = State::Finished;
    setProgress(100);
    if (m_mode == TransferMode::Import) {
        storeImported();
        applyKdr5Rule();
    }
    if (m_mode == TransferMode::Comparison)
        finishComparison();
    else
        finishImportExport();
}

void TransferRun::abort()
{
    m_state = State::Aborted;
    m_showResultWanted = false;
    m_keepOpen = false;
    m_autoSave = false;
    if (m_mode == TransferMode::Comparison)
        m_differences = 0;
}

void TransferRun::setProgress(int percent)
{
    m_progress = percent;
    if (onProgress)
        onProgress(percent);
}

void TransferRun::setFlag(int index, const char *flag)
{
    TransferRows::setFlag(m_data, index, flag);
}

TransferRun::Choice TransferRun::processRow(int index)
{
    switch (m_mode) {
    case TransferMode::Import:
        return importRow(index);
    case TransferMode::Export:
        return exportRow(index);
    default:
        return compareRow(index);
    }
}

TransferRun::Choice TransferRun::importRow(int index)
{
    if (const std::optional<quint32> word = TransferRows::read(m_exchange, index)) {
        m_words[size_t(index)] = *word;
        m_readFailed[size_t(index)] = false;
        m_answered[size_t(index)] = true;
        setFlag(index, "0");
        return Choice::Go;
    }
    setFlag(index, "2");
    // The value table gets the factory value, never the 0 of the failed exchange.
    ParameterValues values(m_data, m_texts.messages, m_prompter);
    m_words[size_t(index)] = TransferRows::defaultWord(m_data, index, values);
    m_readFailed[size_t(index)] = true;
    return failed(index);
}

TransferRun::Choice TransferRun::exportRow(int index)
{
    const UPara &u = m_data.uPara;
    if (!writes(index))
        return Choice::Go;
    char command = m_options.eeprom ? 'W' : 'P';
    if (m_data.paraDat.at(index, ParaDat::Memory) == QLatin1String("RAM"))
        command = 'P';
    const QString sent = u.at(index, UPara::Value);
    const std::optional<quint32> echo = TransferRows::write(m_exchange, index, sent, command);
    // An echo that differs from the value sent is a failure although the exchange succeeded.
    const bool echoDiffers = echo && ValueConversion(m_data).RawToValueText(*echo, index) != sent;
    if (!echo || echoDiffers) {
        setFlag(index, "2");
        m_data.uPara.setAt(index, UPara::CommErrIndex, QStringLiteral("1"));
        const int before = m_errors;
        const Choice choice = failed(index);
        if (echoDiffers && m_errors > before)
            ++m_echoDiffers;
        return choice;
    }
    setFlag(index, "0");
    m_data.uPara.setAt(index, UPara::WriteIndex, QStringLiteral("0"));
    m_data.uPara.setAt(index, UPara::CommErrIndex, QStringLiteral("0"));
    return Choice::Go;
}

bool TransferRun::writes(int index) const
{
    return (!onlyRows || onlyRows->contains(index)) && TransferRows::exportWrites(m_data, index, m_options.changedOnly);
}

QList<int> TransferRun::rowsToWrite() const
{
    QList<int> rows;
    for (int i = 0; i <= m_last; ++i) {
        if (writes(i))
            rows.append(i);
    }
    return rows;
}

TransferRun::Choice TransferRun::compareRow(int index)
{
    const std::optional<quint32> word = TransferRows::read(m_exchange, index);
    m_answered[size_t(index)] = word.has_value();
    if (!word) {
        // A failed read has no value to compare: it is listed as an error only.
        setFlag(index, "2");
        return failed(index);
    }
    m_words[size_t(index)] = *word;
    const QString driveText = TransferRows::readText(m_data, index, *word);
    const std::optional<qint64> whole = TransferRows::tableWhole(m_data, index);
    const QString tableText = whole ? QString::number(*whole) : m_data.uPara.at(index, UPara::Value);
    if (driveText != tableText && (index <= m_data.lastUserIndex || m_options.maintenanceActive))
        return differs(index, driveText);
    setFlag(index, "0");
    return Choice::Go;
}

TransferRun::Choice TransferRun::ask(const QString &text)
{
    const Prompter::Answer answer = m_prompter.message(text, m_texts.caption(), Prompter::Icon::Warning,
                                                       Prompter::Buttons::AbortRetryIgnore);
    m_prompter.pump();
    if (answer == Prompter::Answer::Abort)
        return Choice::Abort;
    return answer == Prompter::Answer::Retry ? Choice::Retry : Choice::Go;
}

TransferRun::Choice TransferRun::failed(int index)
{
    const TransferRows::Naming n =
        TransferRows::failedNaming(m_data, index, m_options.maintenanceActive, m_texts.buff);
    if (m_options.displayCommError) {
        const Choice choice = ask(m_texts.errorBoxText(n.title));
        if (choice != Choice::Go)
            return choice;
    }
    ++m_errors;
    m_failed.append(index);
    const QString line = TransferReport::errorLine(n.title, n.name);
    if (m_mode == TransferMode::Comparison)
        m_errorList.append(line);
    else if (n.listed)
        m_report.append(line);
    return Choice::Go;
}

TransferRun::Choice TransferRun::differs(int index, const QString &driveText)
{
    const QString &title = m_data.paraDat.at(index, ParaDat::FTitle);
    if (m_options.displayCompMessage) {
        const Choice choice = ask(m_texts.differenceBoxText(title));
        if (choice != Choice::Go)
            return choice;
    }
    ++m_differences;
    const ValueConversion conversion(m_data);
    const double mul = conversion.mulOf(index);
    const QString drive = conversion.FormatScaled(index, double(driveText.toLongLong()) / mul);
    const std::optional<qint64> whole = TransferRows::tableWhole(m_data, index);
    const QString table = whole ? conversion.FormatScaled(index, double(*whole) / mul)
                                : m_data.uPara.at(index, UPara::Value);
    m_report.append(
        TransferReport::differenceLine(title, drive, table, m_data.paraDat.at(index, ParaDat::FName)));
    return Choice::Go;
}

void TransferRun::storeImported()
{
    ParameterValues values(m_data, m_texts.messages, m_prompter);
    for (int i = 0; i <= m_last; ++i) {
        const QString text = TransferRows::readText(m_data, i, m_words[size_t(i)]);
        m_data.uPara.setAt(i, UPara::Value, text);
        m_data.uPara.setAt(i, UPara::CommErrIndex, m_readFailed[size_t(i)] ? QStringLiteral("1") : QStringLiteral("0"));
        values.MarkChanged(m_data.paraDat.at(i, ParaDat::ComNo), text.toDouble());
    }
}

void TransferRun::applyKdr5Rule()
{
    if (typeName != QLatin1String("KDR5"))
        return;
    const int fe08 = m_data.IndexOfComNo(u"FE08");
    if (fe08 < 0)
        return;
    const std::optional<quint32> word = TransferRows::read(m_exchange, fe08);
    // Only a value the drive sent is stored; a failed read leaves the imported one.
    if (!word)
        return;
    const QString text = TransferRows::readText(m_data, fe08, *word);
    m_data.uPara.setAt(fe08, UPara::Value, text);
    const int p0630 = m_data.IndexOfComNo(u"0630");
    if (p0630 >= 0 && QString::compare(text, QStringLiteral("300")) < 0)
        m_data.uPara.setAt(p0630, UPara::Value, QStringLiteral("0"));
}

void TransferRun::finishImportExport()
{
    if (m_options.displayCommResult && m_errors == 0) {
        m_status = m_texts.noErrInfo;
        m_keepOpen = true;
        m_showResultWanted = false;
    }
    m_autoSave = m_options.saveResult && m_errors > 0;
}

void TransferRun::finishComparison()
{
    if (m_differences == 0)
        m_report.append(m_texts.info3);
    if (m_errors > 0) {
        m_report.append(QString());
        m_report.append(m_errorList);
    }
    if (m_differences == 0 && m_errors == 0) {
        m_status = m_texts.noErrInfo;
        if (m_options.displayCompResult)
            m_secondLabel = m_texts.noDiffInfo;
        m_keepOpen = true;
        m_showResultWanted = false;
    } else if (m_errors == 0 && m_options.displayCommResult) {
        m_status = m_texts.noErrInfo;
        m_keepOpen = true;
    }
    m_autoSave = m_options.saveResult && (m_differences > 0 || m_errors > 0);
}
