#include "ConfigFileOpen.h"

#include "ConfigFile.h"
#include "ParameterFileOpen.h"
#include "app/InverterCatalog.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"
#include "base/TextFile.h"
#include "model/DriveData.h"
#include "model/ParameterValues.h"

namespace {
const QString Zero = QStringLiteral("0");
}

ConfigFileOpen::ConfigFileOpen(DriveData &data, const DriveSelection &selection, const MessageTable &messages,
                               const InverterCatalog &catalog, Prompter &prompter)
    : m_data(data)
    , m_selection(selection)
    , m_messages(messages)
    , m_catalog(catalog)
    , m_prompter(prompter)
{
}

QString ConfigFileOpen::mismatchText(const QString &stored, const QString &computed, bool question)
{
    const QString text = QStringLiteral("The checksum of this file does not match its contents (file: %1, "
                                        "contents: %2).\nIt was changed after it was written.")
                             .arg(stored, computed);
    return question ? text + QStringLiteral("\n\nRead it all the same?") : text;
}

bool ConfigFileOpen::acceptMismatch(const QString &stored, const QString &computed)
{
    const Prompter::Buttons buttons = askOnMismatch ? Prompter::Buttons::OkCancel : Prompter::Buttons::Ok;
    const Prompter::Answer answer = m_prompter.message(mismatchText(stored, computed, askOnMismatch),
                                                       m_messages.caption(), Prompter::Icon::Warning, buttons);
    m_prompter.pump();
    return answer == Prompter::Answer::Ok;
}

void ConfigFileOpen::refuse(const QString &text, bool warning)
{
    m_prompter.message(text, m_messages.caption(), warning ? Prompter::Icon::Warning : Prompter::Icon::None,
                       Prompter::Buttons::Ok);
    m_prompter.pump();
}

ConfigFileOpen::Result ConfigFileOpen::open(const QByteArray &bytes)
{
    m_keys.clear();
    m_values.clear();
    m_mismatch = false;
    const ConfigFile::Check check = ConfigFile::check(bytes);
    if (check.integrity == ConfigFile::Integrity::CutShort) {
        refuse(m_messages.text(67), true);
        return Result::Refused;
    }
    // The document was checked as XML, so its text is UTF-8 as its declaration says.
    const QStringList lines = TextFile::splitLines(QString::fromUtf8(bytes));
    const QString special = ConfigFile::specialSetupText(lines, m_messages);
    if (!special.isEmpty()) {
        refuse(special, false);
        return Result::Refused;
    }
    if (check.integrity == ConfigFile::Integrity::ChecksumMismatch) {
        if (!acceptMismatch(check.stored, check.computed))
            return Result::Cancelled;
        m_mismatch = true;
    }
    ConfigFile::collect(lines, &m_keys, &m_values);
    identify(lines);
    ParameterFileOpen checks(m_data, m_selection, m_messages, m_prompter);
    const ParameterFileOpen::Result checked = checks.checkDrive(m_typeName, m_formName, m_cpuVersion);
    if (checked == ParameterFileOpen::Result::Refused)
        return Result::Refused;
    if (checked == ParameterFileOpen::Result::Cancelled)
        return Result::Cancelled;
    checks.resetToFactory();
    applyEntries(checks.skippedCapacity());
    return Result::Loaded;
}

void ConfigFileOpen::identify(const QStringList &lines)
{
    const ConfigFile::DriveNumbers numbers = ConfigFile::driveNumbers(lines);
    const QString err = ConfigFile::errText();
    const QString typeNumber = QString::number(numbers.type);
    QString variant = ConfigFile::ConfigValueOf(m_keys, m_values, QStringLiteral("0099"));
    if (!m_keys.contains(QStringLiteral("0099"), Qt::CaseInsensitive))
        variant = QStringLiteral("1");
    const QString dash = QStringLiteral("-");
    m_typeName = err;
    if (numbers.type >= 0 && m_catalog.typeIdentNumber(typeNumber) != dash) {
        const QString name = m_catalog.typeIdentName(typeNumber, variant);
        if (name != dash)
            m_typeName = name;
    }
    m_formName = numbers.form < 0 ? QString() : m_catalog.formNameOfNumber(m_typeName, QString::number(numbers.form));
    if (m_formName.isEmpty())
        m_formName = err;
    m_cpuVersion = QLatin1Char('V') + QStringLiteral("%1").arg(qMax(numbers.cpu, 0), 3, 10, QLatin1Char('0'));
}

void ConfigFileOpen::applyEntries(bool skipCapacity)
{
    ParameterValues values(m_data, m_messages, m_prompter);
    UPara &u = m_data.uPara;
    for (const QString &key : std::as_const(m_keys)) {
        const QString comNo = key.toUpper();
        if (skipCapacity && (m_data.capPara.contains(comNo) || m_data.capParaR.contains(comNo)))
            continue;
        const QString value = ConfigFile::ConfigValueOf(m_keys, m_values, key);
        const int index = m_data.IndexOfComNo(comNo);
        // The look-up by text can match inside a neighbour's number; only the same number counts.
        if (index < 0 || m_data.paraDat.at(index, ParaDat::ComNo) != comNo || value == ConfigFile::errText())
            continue;
        u.setAt(index, UPara::Value, value);
        u.setAt(index, UPara::SelectIndex, Zero);
        u.setAt(index, UPara::BlindIndex, Zero);
        values.MarkChanged(comNo, value.toDouble());
        for (UPara::Column c : {UPara::WriteIndex, UPara::HexIndex, UPara::OneSelectIndex, UPara::CommErrIndex})
            u.setAt(index, c, Zero);
    }
}
