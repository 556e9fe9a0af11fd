#pragma once

#include <QString>
#include <QStringList>

class DriveData;
struct DriveSelection;

// The parameter data file ".vkr" and its two older layouts, told apart by the first line:
// "###" (type, form, CPU version, language, comment, Blind flag and count, parameters from
// line 9), "##" (type, form, comment, Blind flag and count, parameters from line 7) and "#"
// (type, form, comment, parameters from line 5). A parameter line is
// "ComNo,raw value,Select mark,Blind mark".
class ParameterFile
{
public:
    enum class Layout { Unknown, Current, Older, Oldest };

    /// Parameter lines are read up to this line of the file, and the special set-up numbers
    /// are looked for among this many lines.
    static constexpr int MaxLines = 2000;

    Layout layout = Layout::Unknown;
    QString typeName;
    QString formName;
    QString cpuVersion;    // "###" only
    QString languageName;  // "###" only
    QString comment;       // empty for "No Comments."
    bool blindMode = false;
    int blindCount = 0;
    int firstParameterLine = 0;  // index into the lines

    static Layout layoutOf(const QStringList &lines);
    /// The header fields of the file's layout; Unknown when the first line is no mark.
    static ParameterFile parseHeader(const QStringList &lines);

    /// The first of 0998 and 0999 among the first MaxLines lines whose value is not the
    /// normal one (0998 = "1", 0999 = "2"): 103 or 104, or 0 when both are normal or absent.
    static int specialSetupMessage(const QStringList &lines);

    /// True when the fourth line names the tool that created a configuration file.
    static bool looksLikeConfigFile(const QStringList &lines);

    /// The eight header lines of a ".vkr" file of the current layout.
    static QStringList headerLines(const DriveSelection &selection, const QString &comment, bool blindMode,
                                   int blindCount);
    /// The lines of a ".vkr" file of the current layout for the loaded set. `changedOnly`
    /// writes only parameters that are changed or hidden.
    static QStringList build(const DriveData &data, const DriveSelection &selection, const QString &comment,
                             bool blindMode, int blindCount, bool changedOnly);

    /// Reads a file's lines in the code page of `languagePrefix`. False with *error set to the
    /// reason when it cannot be read, is no regular file or is too large to be a parameter file.
    static bool readLines(const QString &path, const QString &languagePrefix, QStringList *lines,
                          QString *error = nullptr);
    /// Writes the lines atomically with CR LF ends; false with *error set on failure, the
    /// previous file then stays as it was.
    static bool writeLines(const QString &path, const QString &languagePrefix, const QStringList &lines,
                           QString *error = nullptr);

    static QString noComments();
};
