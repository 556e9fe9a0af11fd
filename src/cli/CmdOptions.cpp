#include "CliCommand.h"
#include "CliDrive.h"
#include "CliParser.h"
#include "CliSettingsFile.h"
#include "ExitCodes.h"
#include "app/OptionInterlocks.h"
#include "app/Settings.h"
#include "base/CodePage.h"
#include "base/IniFile.h"

#include <QFileInfo>
#include <QTextStream>

using namespace OptionDefs;

namespace {

// The options the settings file keeps and reads back (not the write-only type-form check,
// nor the options that live for one run of the window).
bool listed(const Def &d)
{
    return d.storage == Storage::Stored;
}

QString kindText(const Def &d)
{
    switch (d.kind) {
    case Kind::Bool:
        return QStringLiteral("boolean 0..1");
    case Kind::Int:
        return QStringLiteral("integer %1..%2").arg(d.min).arg(d.max);
    case Kind::Color:
        break;
    }
    return QStringLiteral("colour 0..%1 (0x00BBGGRR)").arg(d.max);
}

void print(const QString &text)
{
    QTextStream(stdout) << text << '\n';
}

struct Target {
    QString settingsFile;
    MessageTable messages;
};

bool loadMessages(const CliParser &cli, const QString &settingsFile, Target &t)
{
    QString lng = cli.value(QStringLiteral("lng"));
    if (lng.isEmpty())
        lng = CliSettingsFile::languageFolder(settingsFile);
    const QString language = cli.value(QStringLiteral("lang"));
    const QString path = lng + QLatin1Char('/') + language + QStringLiteral(".ini");
    if (!QFileInfo(path).isFile()) {
        printError(path + QStringLiteral(": no such language file"));
        return false;
    }
    return t.messages.load(IniFile(path, CodePages::forLanguage(language)));
}

int list(const Options &o)
{
    for (int i = 0; i < Count; ++i) {
        const Def &d = def(Opt(i));
        if (listed(d))
            print(QStringLiteral("%1=%2\t%3\tfactory %4").arg(QLatin1String(d.key)).arg(o.value(d.id))
                      .arg(kindText(d)).arg(d.factory));
    }
    return ExitCode::Ok;
}

int saved(bool ok, const Settings &settings)
{
    if (ok)
        return ExitCode::Ok;
    printError(settings.path() + QStringLiteral(": ") + settings.lastError());
    return ExitCode::FileFailed;
}

// KEY=VALUE with the window's checks: a value that is not a number stores nothing, one out of
// range stores the nearest limit; both end with EntryRejected.
int set(const CliParser &cli, const QString &assignment, Settings &settings, Options &o)
{
    const qsizetype eq = assignment.indexOf(u'=');
    const Def *d = eq > 0 ? byKey(assignment.left(eq)) : nullptr;
    if (!d || !listed(*d))
        return cli.usageError(QStringLiteral("--set takes KEY=VALUE with a key of [Options] that vkr options lists"));
    const Options::Entry e = Options::check(d->id, assignment.mid(eq + 1), false);
    if (e.message() >= 0) {
        Target t;
        // Without its language file the refusal is still told, in plain words.
        if (loadMessages(cli, settings.path(), t))
            printError(t.messages.text(e.message()));
        else if (e.verdict == Options::Entry::Verdict::NotNumber)
            printError(QStringLiteral("%1: not a number").arg(assignment));
        else
            printError(QStringLiteral("%1: out of range, the limit %2 is stored").arg(assignment).arg(e.value));
    }
    if (e.verdict == Options::Entry::Verdict::NotNumber)
        return ExitCode::EntryRejected;
    o.set(d->id, e.value);
    bool ok = o.save(settings, d->id);
    // One of the two comparison outputs always stays on, as in the window.
    const Opt other = d->id == Opt::CompResult ? Opt::CompMsgDisp : Opt::CompResult;
    if ((d->id == Opt::CompResult || d->id == Opt::CompMsgDisp) && OptionInterlocks::keepComparisonOutput(o, d->id)) {
        printError(QStringLiteral("%1=1: one of the comparison outputs stays on").arg(QLatin1String(def(other).key)));
        ok = o.save(settings, other) && ok;
    }
    const int code = saved(ok, settings);
    return code != ExitCode::Ok ? code : (e.accepted() ? ExitCode::Ok : ExitCode::EntryRejected);
}

// Lists, reads or sets the environment options in the settings file.
int runOptions(const QStringList &arguments)
{
    CliParser cli(QStringLiteral("options"));
    cli.addOptions({
        QCommandLineOption(QStringLiteral("settings"),
                           QStringLiteral("The settings file (%1).").arg(CliSettingsFile::defaultHelp()),
                           QStringLiteral("FILE")),
        QCommandLineOption(QStringLiteral("get"), QStringLiteral("Print the value of one option."),
                           QStringLiteral("KEY")),
        QCommandLineOption(QStringLiteral("set"),
                           QStringLiteral("Set one option, with the limits and messages of the options window: a "
                                          "value out of range stores the nearest limit, one that is not a number "
                                          "stores nothing; both end with exit code 9."),
                           QStringLiteral("KEY=VALUE")),
        QCommandLineOption(QStringLiteral("factory"),
                           QStringLiteral("Store the factory value of every option (\"Restore to factory settings\").")),
        QCommandLineOption(QStringLiteral("lng"),
                           QStringLiteral("Language folder for the messages (default: the folder lng beside the "
                                          "settings file, else the one of the tool's data)."),
                           QStringLiteral("DIR")),
        QCommandLineOption(QStringLiteral("lang"), QStringLiteral("Language of the messages (default English)."),
                           QStringLiteral("LANGUAGE"), QStringLiteral("English")),
    });
    if (const int parsed = cli.parse(arguments); parsed != CliParser::Continue)
        return parsed;
    const int actions = int(cli.isSet(QStringLiteral("get"))) + int(cli.isSet(QStringLiteral("set")))
        + int(cli.isSet(QStringLiteral("factory")));
    if (actions > 1)
        return cli.usageError(QStringLiteral("--get, --set and --factory exclude each other"));
    if (!cli.arguments().isEmpty())
        return cli.usageError(QStringLiteral("unexpected argument ") + cli.arguments().first());
    QString file = cli.value(QStringLiteral("settings"));
    if (file.isEmpty())
        file = CliSettingsFile::defaultPath();
    Settings settings(QFileInfo(file).absoluteFilePath(), QFileInfo(file).absolutePath());
    Options o;
    o.load(settings);
    if (cli.isSet(QStringLiteral("get"))) {
        const Def *d = byKey(cli.value(QStringLiteral("get")));
        if (!d || !listed(*d))
            return cli.usageError(QStringLiteral("--get takes a key of [Options] that vkr options lists"));
        print(QString::number(o.value(d->id)));
        return ExitCode::Ok;
    }
    if (cli.isSet(QStringLiteral("set")))
        return set(cli, cli.value(QStringLiteral("set")), settings, o);
    if (cli.isSet(QStringLiteral("factory"))) {
        o.restoreFactory();
        return saved(o.save(settings, false), settings);
    }
    return list(o);
}

const CliCommand::Registrar registrar(
    "options", "List, read or set the environment options kept in the settings file ([Options]).", runOptions);

}  // namespace
