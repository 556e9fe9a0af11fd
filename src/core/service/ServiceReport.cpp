#include "ServiceReport.h"

#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/InverterCatalog.h"
#include "app/LanguageFile.h"
#include "app/Version.h"
#include "base/IniFile.h"
#include "comm/CommExchange.h"
#include "comm/CommSettings.h"
#include "files/ParameterFile.h"
#include "files/TableFile.h"
#include "model/DriveData.h"
#include "model/ModelInfo.h"
#include "model/ParameterValues.h"
#include "monitor/AlarmTripLists.h"
#include "monitor/InverterInfo.h"
#include "transfer/TransferRows.h"
#include "transfer/TransferRun.h"

#include <archive.h>

namespace {

constexpr int DriveValueColumn = 3;  // of a table file row

QString yesNo(bool same)
{
    return same ? QStringLiteral("same") : QStringLiteral("differs");
}

}  // namespace

ServiceReport::ServiceReport(const Drive &drive, const Line &line)
    : m_drive(drive)
    , m_line(line)
    , m_texts(TransferTexts::load(drive.language, drive.messages))
    , m_page(CodePages::forLanguage(drive.selection.languageName))
{
}

bool ServiceReport::read(const QDateTime &when)
{
    m_when = when;
    DriveData &data = m_drive.data;
    // The connection check: the drive must answer "0000" before anything else is read.
    const int check = data.IndexOfComNo(u"0000");
    if (check >= 0)
        m_line.exchange.exchange(check, QString(), m_line.exchange.CommErrorFlag(), 'R');
    m_answered = check >= 0 && !m_line.exchange.CommErrorFlag();
    if (!m_answered)
        return false;
    InverterCatalog catalog;
    catalog.scan(m_drive.folders.dataFolder, m_drive.folders.catalogFile());
    const DriveSelection &s = m_drive.selection;
    DriveIdentification identification(m_line.exchange, m_line.items, m_line.detect, catalog, m_drive.messages,
                                       m_drive.prompter);
    // Also writes FB91 = 251, so that the drive answers this tool alone while it is read.
    m_identified = identification.run({s.typeName, s.formName, s.cpuVersion, catalog.cpuVersions(s.typeName),
                                       catalog.cpuNumbers(s.typeName)},
                                      DriveIdentification::Purpose::Comparison, false);
    readParameters();
    readInformation();
    return true;
}

void ServiceReport::readParameters()
{
    DriveData &data = m_drive.data;
    TransferOptions options;
    options.displayCommError = options.displayCompMessage = false;
    options.saveResult = false;
    options.maintenanceActive = m_drive.maintenanceActive;
    // Every parameter, maintenance ones included, as an import reads them.
    TransferRun run(TransferMode::Comparison, data, m_line.exchange, m_drive.prompter, m_texts, options,
                    data.lastIndex);
    run.onProgress = onProgress;
    run.run();
    ParameterValues values(data, m_drive.messages, m_drive.prompter);
    m_comparison = ThreeWayComparison::build(data, values, run, m_drive.maintenanceActive, m_texts.buff);
    keepDriveSet();
}

// The set as the drive holds it: a copy of the table with the values the drive sent. A row
// the drive did not answer has no value: it is left out of the parameter data file (opening
// it keeps the factory value) and shows "-" in the table file.
void ServiceReport::keepDriveSet()
{
    DriveData set = m_drive.data;
    set.lastShownIndex = set.lastIndex;
    QStringList unanswered;
    for (const ThreeWayComparison::Row &r : m_comparison.rows()) {
        if (r.drive)
            set.uPara.setAt(r.index, UPara::Value, QString::number(*r.drive));
        else
            unanswered << r.comNo;
        set.uPara.setAt(r.index, UPara::HexIndex, QStringLiteral("0"));
    }
    set.cvDisplay = false;
    const QString comment = QStringLiteral("Read from the drive on ") + m_when.toString(Qt::ISODate);
    m_driveSet = ParameterFile::build(set, m_drive.selection, comment, false, 0, false);
    m_driveSet.removeIf([&unanswered](const QString &line) {
        return line.size() > 4 && line.at(4) == u',' && unanswered.contains(line.left(4));
    });
    const int quick = ModelInfo(m_drive.folders.infoFile, CodePages::forPrefix(m_drive.selection.languagePrefix)).quick();
    m_driveTable = TableFile::gridRows(set, m_drive.messages, m_drive.prompter, TableFile::Display::All, quick);
    for (QStringList &row : m_driveTable) {
        if (row.size() > DriveValueColumn && unanswered.contains(row.at(1)))
            row[DriveValueColumn] = InverterInfo::NoValue;
    }
}

void ServiceReport::readInformation()
{
    const DriveSelection &s = m_drive.selection;
    InverterCatalog catalog;
    catalog.scan(m_drive.folders.dataFolder, m_drive.folders.catalogFile());
    AlarmTripLists trips;
    trips.load(IniFile(m_drive.folders.infoFile, CodePages::forPrefix(s.languagePrefix)), s.typeName,
               s.languagePrefix);
    InverterInfo info(m_drive.data, m_line.exchange, m_line.detect, catalog, trips, m_drive.messages,
                      m_drive.prompter);
    m_information = TransferReport();
    info.CollectInverterInfo(m_drive.language.ini(), s.typeName, m_information);
    m_infoFailed = info.failedReads();
}

QStringList ServiceReport::versionLines()
{
    return {QStringLiteral("VKR410T ") + Version::number(), QStringLiteral("Built: ") + Version::buildDate(),
            QStringLiteral("Qt: ") + QString::fromLatin1(qVersion()),
            QStringLiteral("libarchive: ") + QString::fromLatin1(archive_version_string())};
}

QString ServiceReport::lineDescription(const QString &port, const CommSettings &settings)
{
    static const char *const parities[] = {"no parity", "even parity", "odd parity"};
    QString text = port + (settings.isModbus() ? QStringLiteral(", Modbus RTU") : QStringLiteral(", native protocol"))
        + QStringLiteral(", %1 bit/s, ").arg(settings.baudRate())
        + QString::fromLatin1(parities[qBound(0, settings.parityIndex, 2)]);
    if (settings.broadcast)
        text += QStringLiteral(", broadcast");
    else if (settings.setNumber)
        text += QStringLiteral(", inverter number %1").arg(settings.inverterNumber);
    return text + QStringLiteral(", time-out %1 ms").arg(settings.timeoutMs);
}

QStringList ServiceReport::identificationLines(const Supplied &supplied) const
{
    const DriveSelection &s = m_drive.selection;
    QStringList lines{QStringLiteral("VKR410T service report"),
                      QStringLiteral("Written: ") + m_when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss t")),
                      QStringLiteral("Line: ") + m_line.description,
                      QStringLiteral("Selected drive: %1%2 (CPU Ver.%3)").arg(s.typeName, s.formName, s.cpuVersion)};
    if (!m_answered) {
        lines << QStringLiteral("Connected drive: no answer; nothing was read");
    } else {
        const DriveIdentification::Result &r = m_identified;
        lines << QStringLiteral("Connected drive: %1%2 (CPU Ver.%3)").arg(r.typeName, r.formName, r.cpuName)
              << QStringLiteral("Type: %1, form: %2, CPU version: %3")
                     .arg(yesNo(r.TypeCheck), yesNo(r.FormCheck), yesNo(r.CPUCheck));
        for (const QString &message : r.messages)
            lines << QStringLiteral("  ") + QString(message).replace(u'\n', u' ');
        const int count = int(m_comparison.rows().size());
        lines << QStringLiteral("Parameters read: %1 of %2").arg(count - m_comparison.unanswered()).arg(count)
              << QStringLiteral("Parameters differing (three-way): %1").arg(m_comparison.differing())
              << QStringLiteral("Information values not answered: %1").arg(m_infoFailed);
    }
    lines << QStringLiteral("Communication log: ")
                 + (supplied.communicationLog.isEmpty() ? QStringLiteral("not recorded") : QStringLiteral("included"))
          << QStringLiteral("Recording: ")
                 + (supplied.recordingMon.isEmpty() ? QStringLiteral("none open") : QStringLiteral("included"));
    return lines;
}

QByteArray ServiceReport::textBytes(const QStringList &lines) const
{
    TransferReport report;
    report.append(lines);
    return report.bytes(m_page);
}

QList<ZipArchive::Entry> ServiceReport::entries(const Supplied &supplied) const
{
    QList<ZipArchive::Entry> list{{QStringLiteral("identification.txt"), textBytes(identificationLines(supplied))}};
    if (m_answered) {
        list << ZipArchive::Entry{QStringLiteral("parameters.vkr"), textBytes(m_driveSet)}
             << ZipArchive::Entry{QStringLiteral("parameters.csv"),
                                  textBytes(TableFile::build(m_driveTable, m_drive.selection.decimalComma))}
             << ZipArchive::Entry{QStringLiteral("three-way.txt"), m_comparison.report(m_texts).bytes(m_page)}
             << ZipArchive::Entry{QStringLiteral("three-way.csv"), CodePages::encode(m_comparison.csv(m_texts), m_page)}
             << ZipArchive::Entry{QStringLiteral("inverter-info.txt"), m_information.bytes(m_page)};
    }
    list << ZipArchive::Entry{QStringLiteral("version.txt"), textBytes(versionLines())};
    if (!supplied.communicationLog.isEmpty())
        list << ZipArchive::Entry{QStringLiteral("communication.log"), supplied.communicationLog};
    if (!supplied.recordingMon.isEmpty())
        list << ZipArchive::Entry{QStringLiteral("recording.mon"), supplied.recordingMon};
    if (!supplied.recordingPng.isEmpty())
        list << ZipArchive::Entry{QStringLiteral("recording.png"), supplied.recordingPng};
    return list;
}

bool ServiceReport::write(const QString &path, const Supplied &supplied, QString *error) const
{
    return ZipArchive::write(path, entries(supplied), m_when.isValid() ? m_when : QDateTime::currentDateTime(),
                             error);
}
