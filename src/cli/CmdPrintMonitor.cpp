#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParser.h"
#include "CliReason.h"
#include "ExitCodes.h"
#include "MonitorChartPicture.h"
#include "PdfReport.h"
#include "ReportFonts.h"
#include "app/LanguageFile.h"
#include "app/Settings.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "monitor/MonitorFileOpen.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorSetup.h"
#include "monitor/MonitorValues.h"
#include "report/MonitorReport.h"
#include "report/MonitorReportSource.h"
#include "report/PageSetup.h"

namespace {

QList<QCommandLineOption> printMonitorOptions()
{
    return {QCommandLineOption(QStringLiteral("pdf"), QStringLiteral("The PDF file to write. Required."),
                               QStringLiteral("FILE")),
            QCommandLineOption(QStringLiteral("answer"),
                               QStringLiteral("Answer to the question asked for a recording of another CPU version: "
                                              "ok (print it) or cancel (default: nothing is printed)."),
                               QStringLiteral("ANSWER"), QStringLiteral("cancel")),
            QCommandLineOption(QStringLiteral("settings"),
                               QStringLiteral("The settings file whose [Page] section gives the page set-up "
                                              "(default: VKR410T.ini beside the data folder)."),
                               QStringLiteral("FILE"))};
}

// The report of an opened recording: its set-up and, per channel, its item and line, with
// what the window would show beside them.
MonitorReportData reportOf(const CliDrive &drive, const LanguageFile &language, const MonitorItemList &items,
                           const MonitorFile &file)
{
    MonitorSetup setup = MonitorSetup::defaults();
    MonitorRecording recording;
    MonitorFileOpen::apply(file, items.size(), setup, recording);
    MonitorReportData r = MonitorReportSource::collect(setup, recording, items, drive.data, language);
    r.timePerDivision = file.timePerDivision;
    r.scope = QStringLiteral("100");
    r.armedChecks = (file.alarmCheck ? 1 : 0) + (file.tripCheck ? 1 : 0);
    r.decimalComma = drive.selection.decimalComma;
    return r;
}

int openRecording(CliDrive &drive, const QString &path, const QString &answer, MonitorFile *file)
{
    const QString reason = CliReason::ofFile(path);
    if (!reason.isEmpty()) {
        printError(QStringLiteral("cannot read %1: %2").arg(path, reason));
        return ExitCode::Refused;
    }
    drive.prompter.fitAnswers = true;
    drive.prompter.defaultAnswer = answer == QLatin1String("ok") ? Prompter::Answer::Ok : Prompter::Answer::Cancel;
    MonitorFileOpen open(drive.selection, drive.messages, drive.prompter);
    const MonitorFileOpen::Result result =
        open.OpenRecording(path, CodePages::forPrefix(drive.selection.languagePrefix));
    drive.printMessages();
    if (result != MonitorFileOpen::Result::Loaded)
        return ExitCode::Refused;
    *file = open.file();
    return ExitCode::Ok;
}

// Prints the monitor report of a recording file to a PDF file.
int runPrintMonitor(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("print-monitor"));
    cli.addOptions(CliDrive::options() + printMonitorOptions());
    cli.addArgument(QStringLiteral("FILE"), QStringLiteral("The monitor recording (.mon) to print."),
                    QStringLiteral("FILE.mon"));
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    const QString out = cli.value(QStringLiteral("pdf"));
    const QString answer = cli.value(QStringLiteral("answer"));
    if (out.isEmpty())
        return cli.usageError(QStringLiteral("option --pdf is required"));
    if (answer != QLatin1String("ok") && answer != QLatin1String("cancel"))
        return cli.usageError(QStringLiteral("--answer is ok or cancel"));
    if (cli.arguments().size() != 1)
        return cli.usageError(QStringLiteral("give one recording file"));
    CliDrive drive;
    QString error;
    if (!drive.readOptions(cli.parser(), &error))
        return cli.usageError(error);
    if (const int loaded = drive.load(); loaded != ExitCode::Ok)
        return loaded;
    MonitorFile file;
    if (const int opened = openRecording(drive, cli.arguments().first(), answer, &file); opened != ExitCode::Ok)
        return opened;
    MonitorItemList items;
    LoadMonitorItems(IniFile(drive.folders.infoFile, CodePages::forPrefix(drive.selection.languagePrefix)),
                     drive.selection.typeName, drive.selection.languagePrefix, drive.data, items);
    LanguageFile language;
    language.open(drive.folders.languageFile(drive.selection.languageName), drive.selection.languageName);
    const MonitorReportData data = reportOf(drive, language, items, file);
    const QString settingsPath =
        cli.isSet(QStringLiteral("settings")) ? cli.value(QStringLiteral("settings")) : drive.folders.settingsFile();
    PageSetup setup = PageSetup::read(Settings(settingsPath, drive.folders.appFolder));
    setup.fontName = ReportFonts::familyOf(setup.fontIndex, drive.selection.languageName);
    const ReportDocument doc = MonitorReport::layout(setup, ReportHeader::forDrive(language.ini(), drive.selection), data);
    const MonitorEntry max = MonitorEntry::check(file.maxText, 100, 500);
    const QImage chart = MonitorChartPicture::draw(data, max.status == MonitorEntry::Status::NotNumber ? 100 : max.value);
    if (!PdfReport::write(out, doc, chart, &error)) {
        printError(QStringLiteral("cannot write %1: %2").arg(out, error));
        return ExitCode::FileFailed;
    }
    return ExitCode::Ok;
}

const CliCommand::Registrar registrar(
    "print-monitor",
    "Print the monitor report of a recording file (.mon) to a PDF file: the chart, the trigger set-up and each "
    "channel's item, multiplier, offset, lowest, highest, first and last value, with the page set-up of the settings "
    "file. A recording of another drive type is refused.",
    runPrintMonitor, true);

}  // namespace
