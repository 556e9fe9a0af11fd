#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParser.h"
#include "CliReason.h"
#include "ExitCodes.h"
#include "MonitorChartPicture.h"
#include "PdfReport.h"
#include "ReportFonts.h"
#include "app/Settings.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "monitor/MonitorFileOpen.h"
#include "monitor/MonitorItems.h"
#include "monitor/MonitorRecording.h"
#include "monitor/MonitorSetup.h"
#include "monitor/MonitorValues.h"
#include "report/MonitorReport.h"
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

// The texts of the report as the monitoring window shows them, from the language file.
void applyTexts(const IniFile &lang, MonitorReportData &r)
{
    auto text = [&](const char *section, const char *key, const QString &def) {
        return lang.readString(QString::fromLatin1(section), QString::fromLatin1(key), def);
    };
    r.timeCaption = text("Monitor", "Label22", r.timeCaption);
    r.timeUnit = text("Monitor", "Label23", r.timeUnit);
    r.scopeCaption = text("Monitor", "Label24", r.scopeCaption);
    r.sourceCaption = text("Monitor", "Label81", r.sourceCaption);
    r.slopeCaption = text("Monitor", "Label82", r.slopeCaption);
    r.levelCaption = text("Monitor", "Label83", r.levelCaption);
    r.delayCaption = text("Monitor", "Label84", r.delayCaption);
    for (int k = 1; k < r.headings.size(); ++k)
        r.headings[k] = text("PrintMon", QStringLiteral("Label%1").arg(k + 1).toLatin1().constData(), r.headings[k]);
}

// The report of an opened recording: its set-up and, per channel, its item and line.
MonitorReportData reportOf(const CliDrive &drive, const IniFile &lang, const MonitorItemList &items,
                           const MonitorFile &file)
{
    MonitorSetup setup = MonitorSetup::defaults();
    MonitorRecording recording;
    MonitorFileOpen::apply(file, items.size(), setup, recording);
    MonitorReportData r;
    applyTexts(lang, r);
    r.timePerDivision = file.timePerDivision;
    r.scope = QStringLiteral("100");
    r.trigger = setup.useTrigger;
    r.triggerChannel = setup.triggerChannel;
    r.triggerLevel = QString::number(setup.triggerLevel);
    const char *slopes[] = {"Up", "Down", "Both"};
    const int slope = int(setup.triggerSlope);
    r.triggerSlope = lang.readString(QStringLiteral("Monitor"), QStringLiteral("Item7%1").arg(slope + 1),
                                QString::fromLatin1(slopes[slope]));
    r.triggerDelay = QString::number(setup.triggerDelayPercent);
    r.samplesTaken = recording.SamplesTaken();
    r.armedChecks = (file.alarmCheck ? 1 : 0) + (file.tripCheck ? 1 : 0);
    r.decimalComma = drive.selection.decimalComma;
    for (int c = 0; c < MonitorSetup::Channels; ++c) {
        const MonitorChannel &ch = setup.channels[size_t(c)];
        const MonitorItem *item = items.at(ch.item);
        MonitorReportChannel out;
        out.selected = ch.selected;
        out.item = item ? item->name : QString();
        out.multiplier = MultiplierText(ch.multiplierTenths);
        out.offset = QString::number(ch.offset);
        out.color = ch.color;
        out.decimals = item && drive.data.isIndex(item->row) ? ItemDecimals(drive.data.paraDat.at(item->row, ParaDat::Mul))
                                                               : 0;
        out.points = recording.channel(c).points;
        r.channels.append(out);
    }
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
    const IniFile lang(drive.folders.languageFile(drive.selection.languageName),
                       CodePages::forLanguage(drive.selection.languageName));
    const MonitorReportData data = reportOf(drive, lang, items, file);
    const QString settingsPath =
        cli.isSet(QStringLiteral("settings")) ? cli.value(QStringLiteral("settings")) : drive.folders.settingsFile();
    PageSetup setup = PageSetup::read(Settings(settingsPath, drive.folders.appFolder));
    setup.fontName = ReportFonts::familyOf(setup.fontIndex, drive.selection.languageName);
    const ReportDocument doc = MonitorReport::layout(setup, ReportHeader::forDrive(lang, drive.selection), data);
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
