#include "CliTransfer.h"

#include "CliDrive.h"
#include "CliLine.h"
#include "CliParameterFile.h"
#include "CliParser.h"
#include "CliSnapshot.h"
#include "ExitCodes.h"
#include "app/LanguageFile.h"
#include "comm/CommExchange.h"
#include "comm/CommPort.h"
#include "comm/ConnectionCheck.h"
#include "comm/DriveFrameItems.h"
#include "model/ModelInfo.h"
#include "base/AtomicFile.h"
#include "model/ParameterValues.h"
#include "transfer/ThreeWayComparison.h"
#include "transfer/TransferChecks.h"
#include "transfer/TransferRun.h"
#include "transfer/TransferTexts.h"

#include <QFile>
#include <QTextStream>

namespace {

struct RunOptions {
    QString out;
    QString report;
    QString onError = QStringLiteral("ignore");
    bool eeprom = false;
    bool changedOnly = false;
    bool maintenance = false;
    bool noTypeCheck = false;
    bool progress = false;
    bool restore = false;  // vkr restore: a snapshot written back
    CliSnapshot snapshot;
    bool threeWay = false;
    bool csv = false;
};

QString commandName(TransferMode mode, bool restore = false)
{
    if (restore)
        return QStringLiteral("restore");
    return mode == TransferMode::Import ? QStringLiteral("import")
         : mode == TransferMode::Export ? QStringLiteral("export")
                                        : QStringLiteral("compare");
}

QCommandLineOption option(const char *name, const char *text, const char *value = nullptr)
{
    return value ? QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(text), QString::fromLatin1(value))
                 : QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(text));
}

// The options of one transfer command besides the shared drive, line and file options.
QList<QCommandLineOption> ownOptions(TransferMode mode, bool restore)
{
    QList<QCommandLineOption> own;
    if (mode == TransferMode::Import)
        own << option("out", "Write the imported set to FILE as a parameter data file (.vkr).", "FILE");
    own << option("report", "Write the result report to FILE instead of stdout, byte for byte as the result "
                            "window saves it.", "FILE")
        << option("on-error", "What a failed exchange does: ignore (go on, the default) or abort (end the run).",
                  "ignore|abort")
        << option("maintenance", "Include the maintenance parameters.")
        << option("no-type-check", "Go on when the connected drive is of another type or form.")
        << option("progress", "Draw a progress line on stderr.");
    if (mode == TransferMode::Comparison) {
        own << option("three-way", "Report every parameter with its factory value, the set's value and the drive's "
                                   "value, scaled, with its unit, naming the one that differs.")
            << option("csv", "Write the three-way report as comma-separated values (RFC 4180, CR LF) for "
                             "spreadsheets; implies --three-way.");
    }
    if (mode == TransferMode::Export) {
        own << option("eeprom", "Write to RAM and EEPROM (default: RAM only).");
        if (!restore)
            own << option("changed-only", "Write only the parameters changed from their factory values.");
        own << CliSnapshot::options(restore);
    }
    return own;
}

bool readOwn(const CliParser &cli, TransferMode mode, RunOptions *o, QString *error)
{
    o->out = mode == TransferMode::Import ? cli.value(QStringLiteral("out")) : QString();
    o->report = cli.value(QStringLiteral("report"));
    if (cli.isSet(QStringLiteral("on-error")))
        o->onError = cli.value(QStringLiteral("on-error"));
    if (o->onError != u"ignore" && o->onError != u"abort") {
        *error = QStringLiteral("--on-error must be ignore or abort");
        return false;
    }
    o->maintenance = cli.isSet(QStringLiteral("maintenance"));
    o->noTypeCheck = cli.isSet(QStringLiteral("no-type-check"));
    o->progress = cli.isSet(QStringLiteral("progress"));
    if (mode == TransferMode::Comparison) {
        o->csv = cli.isSet(QStringLiteral("csv"));
        o->threeWay = o->csv || cli.isSet(QStringLiteral("three-way"));
    }
    if (mode == TransferMode::Export) {
        o->eeprom = cli.isSet(QStringLiteral("eeprom"));
        o->changedOnly = !o->restore && cli.isSet(QStringLiteral("changed-only"));
        o->snapshot.readOptions(cli, o->restore);
    }
    return true;
}

TransferOptions transferOptions(const RunOptions &o)
{
    TransferOptions t;
    t.eeprom = o.eeprom;
    t.changedOnly = o.changedOnly;
    t.displayCommError = o.onError == u"abort";
    t.useMaintenance = t.maintenanceActive = o.maintenance;
    t.saveResult = false;
    t.checkTypeForm = !o.noTypeCheck;
    return t;
}

// Answers the Abort/Retry/Ignore boxes of a run from --on-error and passes every other box to
// the drive's prompter, whose messages go to stderr.
class RunPrompter : public Prompter
{
public:
    RunPrompter(CliDrive &drive, bool abortOnError) : m_drive(drive), m_abort(abortOnError) {}

    Answer message(const QString &text, const QString &caption, Icon icon, Buttons buttons) override
    {
        if (buttons != Buttons::AbortRetryIgnore) {
            const Answer a = m_drive.prompter.message(text, caption, icon, buttons);
            m_drive.printMessages();
            return a;
        }
        printError(QString(text).replace(u'\n', u' ') + (m_abort ? QStringLiteral(" [answered: abort]")
                                                                 : QStringLiteral(" [answered: ignore]")));
        return m_abort ? Answer::Abort : Answer::Ignore;
    }
    QString chooseFile(const QString &, const QString &, const QString &, int) override { return {}; }

private:
    CliDrive &m_drive;
    bool m_abort;
};

int writeBytes(const QByteArray &bytes, const QString &path)
{
    QString error;
    if (path.isEmpty()) {
        QFile out;
        if (out.open(stdout, QIODevice::WriteOnly) && out.write(bytes) >= 0 && out.flush())
            return ExitCode::Ok;
        printError(QStringLiteral("the report cannot be written to stdout"));
        return ExitCode::FileFailed;
    }
    if (AtomicFile::write(path, bytes, &error))
        return ExitCode::Ok;
    printError(QStringLiteral("report %1 cannot be written: %2").arg(path, error));
    return ExitCode::FileFailed;
}

int writeReport(const TransferReport &report, const QString &path, const CliDrive &drive)
{
    return writeBytes(report.bytes(CodePages::forLanguage(drive.selection.languageName)), path);
}

// compare --three-way: the report of every row instead of the differences. Any row whose
// three values are not all equal makes the comparison differ.
int concludeThreeWay(const TransferRun &run, const RunOptions &opts, CliDrive &drive, Prompter &prompter,
                     const TransferTexts &texts)
{
    ParameterValues values(drive.data, drive.messages, prompter);
    const ThreeWayComparison comparison =
        ThreeWayComparison::build(drive.data, values, run, opts.maintenance, texts.buff);
    drive.printMessages();
    const CodePage page = CodePages::forLanguage(drive.selection.languageName);
    const int code = writeBytes(opts.csv ? CodePages::encode(comparison.csv(texts), page)
                                         : comparison.report(texts).bytes(page),
                                opts.report);
    if (code != ExitCode::Ok)
        return code;
    if (comparison.unanswered() > 0)
        return ExitCode::ExchangeFailed;
    return comparison.differing() > 0 ? ExitCode::Differs : ExitCode::Ok;
}

int writeSet(const QString &path, CliDrive &drive, const ParameterFile &header)
{
    const QString comment = header.layout == ParameterFile::Layout::Unknown ? QString() : header.comment;
    const QStringList lines = ParameterFile::build(drive.data, drive.selection, comment, header.blindMode,
                                                   header.blindCount, false);
    QString error;
    if (ParameterFile::writeLines(path, drive.selection.languagePrefix, lines, &error))
        return ExitCode::Ok;
    printError(QStringLiteral("%1 cannot be written: %2").arg(path, error));
    return ExitCode::FileFailed;
}

int startFailure(TransferStart::Result result, const CliDrive &drive, const CliLine &line)
{
    switch (result) {
    case TransferStart::Result::NotConnected:
        printError(QStringLiteral("no answer from the drive on %1").arg(line.portPath));
        return ExitCode::ExchangeFailed;
    case TransferStart::Result::SpecialSetup:
        printError(QStringLiteral("the drive is in special setup: nothing was transferred"));
        return ExitCode::Refused;
    case TransferStart::Result::TypeFormRefused:
        printError(drive.messages.text(78).trimmed() + QStringLiteral(" differs from the selected drive; nothing was "
                                                                       "transferred (see --no-type-check)"));
        return ExitCode::Refused;
    case TransferStart::Result::Ready:
        break;
    }
    return ExitCode::Ok;
}

struct Wiring {
    CommPort comm;
    DriveFrameItems items;
    CommExchange exchange;
    ConnectionCheck check;

    Wiring(CliLine &line, const DriveData &data)
        : comm(line.port), items(data), exchange(line.port, line.settings, &items),
          check(comm, exchange, line.settings, &items)
    {
        comm.EnumeratePorts({line.portPath});
        line.settings.portIndex = 0;
    }
};

// Draws "import 42%" over itself on stderr, once per change.
class ProgressLine
{
public:
    explicit ProgressLine(const QString &command) : m_command(command) {}
    void show(int percent)
    {
        if (percent == m_shown)
            return;
        m_shown = percent;
        QTextStream err(stderr);
        err << '\r' << m_command << ' ' << percent << '%' << (percent >= 100 ? "\n" : "");
    }

private:
    QString m_command;
    int m_shown = -1;
};

// The outcome of a run that started: the report, the set read and the exit code.
int conclude(const TransferRun &run, const RunOptions &opts, CliDrive &drive, const ParameterFile &header,
             Prompter &prompter, const TransferTexts &texts)
{
    drive.printMessages();
    if (run.state() == TransferRun::State::Aborted) {
        printError(QStringLiteral("%1: aborted at parameter %2 after a failed exchange; nothing more was done")
                       .arg(commandName(run.mode(), opts.restore),
                            drive.data.paraDat.at(run.nextIndex(), ParaDat::ComNo)));
        return ExitCode::ExchangeFailed;
    }
    if (opts.threeWay)
        return concludeThreeWay(run, opts, drive, prompter, texts);
    int code = writeReport(run.report(), opts.report, drive);
    if (code == ExitCode::Ok && run.mode() == TransferMode::Import && !opts.out.isEmpty())
        code = writeSet(opts.out, drive, header);
    if (code != ExitCode::Ok)
        return code;
    // An export whose only failures are echoes of other values than those sent differs; any
    // exchange without a valid answer is a communication error.
    if (run.errors() > run.echoDiffers())
        return ExitCode::ExchangeFailed;
    return run.differences() > 0 || run.echoDiffers() > 0 ? ExitCode::Differs : ExitCode::Ok;
}

// vkr restore: the snapshot's values put into the table before the export starts.
int loadRestored(const RunOptions &opts, CliDrive &drive, const CliLine &line, Prompter &prompter,
                 SnapshotFiles::Loaded *restored)
{
    if (!opts.restore)
        return ExitCode::Ok;
    QString path;
    if (const int code = opts.snapshot.load(drive, line.settings.inverterNumber, restored, &path); code != ExitCode::Ok)
        return code;
    SnapshotFiles::apply(*restored, drive.data, drive.messages, prompter);
    printError(QStringLiteral("restoring %1 (%2 parameters)").arg(path).arg(restored->rows.size()));
    return ExitCode::Ok;
}

int transfer(TransferMode mode, const RunOptions &opts, CliDrive &drive, CliLine &line, const ParameterFile &header)
{
    Wiring w(line, drive.data);
    RunPrompter prompter(drive, opts.onError == u"abort");
    LanguageFile language;
    language.open(drive.folders.languageFile(drive.selection.languageName), drive.selection.languageName);
    const TransferTexts texts = TransferTexts::load(language, drive.messages);
    const TransferOptions options = transferOptions(opts);
    TransferChecks checks(w.check, w.exchange, line.port, w.items, drive.messages, prompter);
    const DriveSelection &s = drive.selection;
    checks.setDrive({s.typeName, s.formName, s.cpuVersion, {}, {}}, drive.folders.dataFolder,
                    drive.folders.catalogFile(),
                    ModelInfo(drive.folders.infoFile, CodePages::forPrefix(s.languagePrefix)).specialSetup());
    TransferStart start(drive.data, w.exchange, prompter, texts);
    SnapshotFiles::Loaded restored;
    if (const int code = loadRestored(opts, drive, line, prompter, &restored); code != ExitCode::Ok)
        return code;
    const int started = startFailure(start.begin(mode, options, checks.steps(options)), drive, line);
    if (started != ExitCode::Ok)
        return started;
    TransferRun run(mode, drive.data, w.exchange, prompter, texts, options,
                    TransferStart::lastIndexFor(mode, drive.data, options));
    run.typeName = s.typeName;
    if (opts.restore)
        run.onlyRows = QSet<int>(restored.rows.cbegin(), restored.rows.cend());
    if (mode == TransferMode::Export) {
        const int taken = opts.snapshot.take(w.exchange, drive, run.rowsToWrite(), line.settings.inverterNumber);
        if (taken != ExitCode::Ok)
            return taken;
    }
    const QString command = commandName(mode, opts.restore);
    ProgressLine progress(command);
    if (opts.progress)
        run.onProgress = [&progress](int percent) { progress.show(percent); };
    run.run();
    return conclude(run, opts, drive, header, prompter, texts);
}

}  // namespace

namespace CliTransfer {

int run(TransferMode mode, const QStringList &arguments)
{
    CliParser cli(commandName(mode));
    cli.addOptions(CliDrive::options() + CliLine::options() + CliParameterFile::options() + ownOptions(mode, false));
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    RunOptions opts;
    CliLine line;
    QString error;
    if (!readOwn(cli, mode, &opts, &error) || !line.readOptions(cli.parser(), &error))
        return cli.usageError(error);
    CliDrive drive;
    CliParameterFile file;
    int code = file.loadDrive(cli, drive);
    if (code == ExitCode::Ok)
        code = line.open();
    return code == ExitCode::Ok ? transfer(mode, opts, drive, line, file.header()) : code;
}

int restore(const QStringList &arguments)
{
    CliParser cli(commandName(TransferMode::Export, true));
    cli.addOptions(CliDrive::options() + CliLine::options() + ownOptions(TransferMode::Export, true));
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    RunOptions opts;
    opts.restore = true;
    CliLine line;
    CliDrive drive;
    QString error;
    if (!readOwn(cli, TransferMode::Export, &opts, &error) || !line.readOptions(cli.parser(), &error)
        || !drive.readOptions(cli.parser(), &error))
        return cli.usageError(error);
    if (!cli.arguments().isEmpty())
        return cli.usageError(QStringLiteral("unexpected argument ") + cli.arguments().first());
    int code = drive.load();
    if (code == ExitCode::Ok)
        code = line.open();
    return code == ExitCode::Ok ? transfer(TransferMode::Export, opts, drive, line, ParameterFile()) : code;
}

}  // namespace CliTransfer
