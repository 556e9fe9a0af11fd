#include "CliMonitorOut.h"

#include "CliDrive.h"
#include "ExitCodes.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "monitor/MonitorFile.h"
#include "monitor/MonitorFileSave.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorSetup.h"
#include "monitor/MonitorTableFile.h"

QCommandLineOption CliMonitorOut::option()
{
    return QCommandLineOption(
        QStringLiteral("out"),
        QStringLiteral("Also keep the run as a recording and write it when the run ends, as the monitoring window's "
                       "Save As does: FILE.mon a recording file (the items must be of the drive's monitor list), "
                       "FILE.csv a table. At most 11000 samples; without --samples or --duration the run ends after "
                       "them. With --continuous: the continuous table, FILE.csv, written while the run goes on."),
        QStringLiteral("FILE"));
}

bool CliMonitorOut::check(const QString &path, const MonitorItemList &list, const std::vector<MonitorItem> &items,
                          int samples, QString *error)
{
    const QString ext = path.right(4).toUpper();
    if (ext != QLatin1String(".MON") && ext != QLatin1String(".CSV")) {
        *error = QStringLiteral("--out names a .mon or a .csv file");
        return false;
    }
    if (samples > MonitorRecording::MaxSamples) {
        *error = QStringLiteral("--out keeps at most %1 samples").arg(MonitorRecording::MaxSamples);
        return false;
    }
    m_table = ext == QLatin1String(".CSV");
    m_itemIndexes.clear();
    m_names.clear();
    for (const MonitorItem &item : items) {
        m_names.append(item.name);
        const int index = list.indexOfCode(item.code);
        if (index < 0 && !m_table) {
            *error = QStringLiteral("%1 is not in the drive type's monitor list, which a .mon file names its items by")
                         .arg(item.code);
            return false;
        }
        m_itemIndexes.push_back(std::max(0, index));
    }
    m_path = path;
    return true;
}

int CliMonitorOut::write(const CliDrive &drive, const MonitorSetup &setup,
                         const MonitorRecording &recording, int intervalMs) const
{
    MonitorSetup saved = setup;
    for (size_t c = 0; c < m_itemIndexes.size() && c < saved.channels.size(); ++c)
        saved.channels[c].item = m_itemIndexes[c];
    // Five samples make a division.
    saved.timePerDivisionS = intervalMs * 5 / 1000.0;
    const MonitorFile file = MonitorFile::of(drive.selection, saved, recording);
    const CodePage page = CodePages::forPrefix(drive.selection.languagePrefix);
    QString error;
    bool ok = false;
    if (m_table) {
        const IniFile lang(drive.folders.languageFile(drive.selection.languageName),
                           CodePages::forLanguage(drive.selection.languageName));
        MonitorTableFile::Captions captions;
        captions.monitoring = lang.readString(QStringLiteral("PrintMon"), QStringLiteral("Label3"), captions.monitoring);
        captions.multiplier = lang.readString(QStringLiteral("PrintMon"), QStringLiteral("Label4"), captions.multiplier);
        captions.offset = lang.readString(QStringLiteral("PrintMon"), QStringLiteral("Label5"), captions.offset);
        captions.time = drive.messages.text(55);
        captions.errors = drive.messages.text(84);
        // The table names the items themselves, also those given by hand outside the list.
        MonitorFile named = file;
        for (int c = 0; c < int(m_names.size()) && c < MonitorFile::Channels; ++c)
            named.channels[size_t(c)].item = c;
        ok = MonitorTableFile::WriteTable(
            m_path, MonitorTableFile::build(named, m_names, captions, drive.selection.decimalComma, page), &error);
    } else {
        ok = MonitorFileSave::SaveRecording(m_path, file, page, &error);
    }
    if (!ok) {
        printError(QStringLiteral("cannot write %1: %2").arg(m_path, error));
        return ExitCode::FileFailed;
    }
    return ExitCode::Ok;
}
