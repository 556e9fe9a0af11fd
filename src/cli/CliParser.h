#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QSet>
#include <QString>
#include <QStringList>
#include <utility>

// The command line of one vkr command: its options (the shared drive, line and file sets and
// its own) and its arguments, with what every command shares: --help, --version, and a usage
// message with exit code Usage for an unknown option or a missing value.
class CliParser
{
public:
    /// parse() result when the command goes on.
    static constexpr int Continue = -1;

    /// `command` is a registered command name; its summary starts the help text.
    explicit CliParser(const QString &command);

    void addOptions(const QList<QCommandLineOption> &options);
    /// `syntax` is how the argument appears in the usage line ("COMNO...").
    void addArgument(const QString &name, const QString &description, const QString &syntax);

    /// Parses the arguments after the command name. Continue, or the exit code to end with:
    /// Ok after --help or --version, Usage after a message on stderr.
    int parse(const QStringList &arguments);
    /// Prints "vkr COMMAND: text" and the usage line to stderr; returns ExitCode::Usage.
    int usageError(const QString &text) const;

    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }
    QStringList arguments() const { return m_parser.positionalArguments(); }
    const QCommandLineParser &parser() const { return m_parser; }
    QString command() const { return m_command; }

    QString helpText() const;

    /// The text in lines that fit the help's width, ending in a line feed.
    static QString paragraph(const QString &text);
    /// "  name  text" lines, the texts aligned and wrapped.
    static QString twoColumns(const QList<std::pair<QString, QString>> &rows);
    /// "  --name <VALUE>  description" lines, descriptions aligned and wrapped.
    static QString optionList(const QList<QCommandLineOption> &options);
    /// Every exit code with its meaning, one a line.
    static QString exitCodeList();
    static QString versionText();

private:
    QString usageLine() const;
    QStringList withNegativeNumbersAsArguments(const QStringList &arguments) const;

    QCommandLineParser m_parser;
    QString m_command;
    QStringList m_syntax;
    QSet<QString> m_valued;
};
