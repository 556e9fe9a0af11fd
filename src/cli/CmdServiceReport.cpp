#include "CliCommand.h"
#include "CliDrive.h"
#include "CliLine.h"
#include "CliParameterFile.h"
#include "CliParser.h"
#include "ExitCodes.h"
#include "app/LanguageFile.h"
#include "comm/CommExchange.h"
#include "comm/DetectExchange.h"
#include "comm/DriveFrameItems.h"
#include "comm/LineTrace.h"
#include "service/ServiceReport.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

int conclude(const ServiceReport &report, const QString &out)
{
    QTextStream(stdout) << QDir::toNativeSeparators(out) << '\n';
    if (!report.answered()) {
        printError(QStringLiteral("service-report: the drive did not answer; the archive holds the identification "
                                  "and the version only"));
        return ExitCode::ExchangeFailed;
    }
    const int missing = report.unansweredParameters() + report.unansweredInformation();
    if (missing > 0) {
        printError(QStringLiteral("service-report: %1 parameter(s) and %2 information value(s) not answered, "
                                  "shown as \"-\"")
                       .arg(report.unansweredParameters())
                       .arg(report.unansweredInformation()));
        return ExitCode::ExchangeFailed;
    }
    return ExitCode::Ok;
}

// Reads everything the archive needs from the drive and writes it. The table the drive is
// compared with is the set of --open, or the factory values.
int runServiceReport(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("service-report"));
    cli.addOptions(CliDrive::options() + CliLine::options() + CliParameterFile::options());
    cli.addOptions({QCommandLineOption(QStringLiteral("out"), QStringLiteral("The archive to write (.zip). Required."),
                                       QStringLiteral("FILE")),
                    QCommandLineOption(QStringLiteral("maintenance"),
                                       QStringLiteral("Name the maintenance parameters in the reports."))});
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    const QString out = cli.value(QStringLiteral("out"));
    // The archive always holds the log of this run: kept in memory unless --trace writes it.
    QByteArray log;
    LineTrace memoryLog([&log](const QString &text) { log += (text + QLatin1Char('\n')).toUtf8(); });
    CliLine line;
    QString error;
    if (out.isEmpty())
        return cli.usageError(QStringLiteral("option --out is required"));
    if (!line.readOptions(cli.parser(), &error))
        return cli.usageError(error);
    CliDrive drive;
    CliParameterFile file;
    if (line.tracePath.isEmpty())
        line.port.setTrace(&memoryLog);
    int code = file.loadDrive(cli, drive);
    if (code == ExitCode::Ok)
        code = line.open();
    if (code != ExitCode::Ok)
        return code;
    DriveFrameItems items(drive.data);
    CommExchange exchange(line.port, line.settings, &items);
    DetectExchange detect(line.port, line.settings);
    LanguageFile language;
    language.open(drive.folders.languageFile(drive.selection.languageName), drive.selection.languageName);
    ServiceReport report({drive.data, drive.selection, drive.folders, drive.messages, language, drive.prompter,
                          cli.isSet(QStringLiteral("maintenance"))},
                         {exchange, items, detect, ServiceReport::lineDescription(line.portPath, line.settings)});
    report.read();
    drive.printMessages();
    // A recording is the monitoring window's to add; this command has none.
    ServiceReport::Supplied supplied;
    supplied.communicationLog = log;
    if (!line.tracePath.isEmpty() && line.tracePath != QLatin1String("-")) {
        QFile traced(line.tracePath);
        if (traced.open(QIODevice::ReadOnly))
            supplied.communicationLog = traced.readAll();
    }
    const bool written = report.write(out, supplied, &error);
    line.port.setTrace(nullptr);
    if (!written) {
        printError(QStringLiteral("service-report: %1 was not written: %2").arg(QDir::toNativeSeparators(out), error));
        return ExitCode::FileFailed;
    }
    return conclude(report, out);
}

const CliCommand::Registrar registrar(
    "service-report",
    "Read the drive's identification, every parameter and its information into one zip archive with the three-way "
    "comparison and the tool's version.",
    runServiceReport);

}  // namespace
