#include "CliParser.h"

#include "CliCommand.h"
#include "CliDrive.h"
#include "ExitCodes.h"

#include <QRegularExpression>
#include <QTextStream>

namespace {

constexpr int HelpWidth = 79;

QString optionNames(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QStringLiteral(" <") + option.valueName() + QLatin1Char('>');
    return text;
}

// The words of `text` in lines of at most `width` characters, each after `indent` blanks but
// the first.
QString wrapped(const QString &text, int indent, int width)
{
    QString out;
    int column = 0;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (column > 0 && column + 1 + word.size() > width) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = 0;
        } else if (column > 0) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += word;
        column += int(word.size());
    }
    return out;
}

QString summaryOf(const QString &command)
{
    for (const CliCommand &c : CliCommand::all()) {
        if (c.name == command)
            return c.summary;
    }
    return {};
}

}  // namespace

CliParser::CliParser(const QString &command)
    : m_command(command)
{
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setApplicationDescription(summaryOf(command));
    addOptions({QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Explain the options of this command and exit.")),
                QCommandLineOption(QStringLiteral("version"), QStringLiteral("Print the version of vkr and exit."))});
}

void CliParser::addOptions(const QList<QCommandLineOption> &options)
{
    for (const QCommandLineOption &option : options) {
        m_parser.addOption(option);
        if (!option.valueName().isEmpty()) {
            for (const QString &name : option.names())
                m_valued.insert(name);
        }
    }
}

void CliParser::addArgument(const QString &name, const QString &description, const QString &syntax)
{
    m_parser.addPositionalArgument(name, description, syntax);
    m_syntax << syntax;
}

// A raw value may be negative ("-5"), which the parser would take for an option; such
// arguments are put after "--", behind the options, keeping the order of the arguments.
QStringList CliParser::withNegativeNumbersAsArguments(const QStringList &arguments) const
{
    static const QRegularExpression negative(QStringLiteral("^-[0-9]"));
    QStringList options;
    QStringList positional;
    bool negativeSeen = false;
    bool valueNext = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (valueNext) {
            options << arg;
            valueNext = false;
        } else if (arg == QLatin1String("--")) {
            positional << arguments.mid(i + 1);
            break;
        } else if (negative.match(arg).hasMatch()) {
            positional << arg;
            negativeSeen = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            options << arg;
            const QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
            valueNext = !arg.contains(QLatin1Char('=')) && m_valued.contains(name);
        } else {
            positional << arg;
        }
    }
    if (!negativeSeen)
        return arguments;
    return options + QStringList{QStringLiteral("--")} + positional;
}

int CliParser::parse(const QStringList &arguments)
{
    const QStringList args = QStringList{QStringLiteral("vkr")} + withNegativeNumbersAsArguments(arguments);
    if (!m_parser.parse(args)) {
        const QStringList unknown = m_parser.unknownOptionNames();
        if (unknown.isEmpty())
            return usageError(m_parser.errorText());
        return usageError(QStringLiteral("unknown option '%1%2'")
                              .arg(unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                                   unknown.first()));
    }
    if (m_parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << helpText();
        return ExitCode::Ok;
    }
    if (m_parser.isSet(QStringLiteral("version"))) {
        QTextStream(stdout) << versionText() << '\n';
        return ExitCode::Ok;
    }
    return Continue;
}

int CliParser::usageError(const QString &text) const
{
    printError(m_command + QStringLiteral(": ") + text);
    QTextStream(stderr) << usageLine() << "\nTry 'vkr " << m_command << " --help' for more information.\n";
    return ExitCode::Usage;
}

QString CliParser::usageLine() const
{
    QStringList parts{QStringLiteral("Usage: vkr"), m_command, QStringLiteral("[options]")};
    return (parts + m_syntax).join(QLatin1Char(' '));
}

QString CliParser::helpText() const
{
    // Qt's text starts with its own usage line, which knows no command name.
    QString text = m_parser.helpText();
    text.replace(0, text.indexOf(QLatin1Char('\n')), usageLine());
    return text + QStringLiteral("\nExit codes:\n") + exitCodeList();
}

QString CliParser::twoColumns(const QList<std::pair<QString, QString>> &rows)
{
    int width = 0;
    for (const auto &row : rows)
        width = qMax(width, int(row.first.size()));
    const int indent = 2 + width + 2;
    QString out;
    for (const auto &row : rows)
        out += QStringLiteral("  ") + row.first.leftJustified(width + 2) + wrapped(row.second, indent, HelpWidth - indent)
            + QLatin1Char('\n');
    return out;
}

QString CliParser::paragraph(const QString &text)
{
    return wrapped(text, 0, HelpWidth) + QLatin1Char('\n');
}

QString CliParser::optionList(const QList<QCommandLineOption> &options)
{
    QList<std::pair<QString, QString>> rows;
    for (const QCommandLineOption &option : options)
        rows.append({optionNames(option), option.description()});
    return twoColumns(rows);
}

QString CliParser::exitCodeList()
{
    QList<std::pair<QString, QString>> rows;
    for (const ExitCode::Meaning &m : ExitCode::Meanings)
        rows.append({QString::number(m.code), QString::fromUtf8(m.text)});
    return twoColumns(rows);
}

QString CliParser::versionText()
{
    return QStringLiteral("vkr " VKR_VERSION);
}
