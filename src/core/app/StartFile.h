#pragma once

#include <QString>
#include <QStringList>

// The header of a parameter file named on the command line: it gives the drive and the
// language of the run, so the start-up window is skipped.
struct StartFile {
    enum class Error { None, FileType, Data, Language };

    Error error = Error::None;
    QString reason;  // why the file could not be read, when it could not
    QString typeName;
    QString formName;
    QString cpuVersion;
    QString languageName;
    int languageIndex = 0;
    bool commentsChk = false;
    QString commentsText;
    bool blindMode = false;
    int blindCount = 0;
    QStringList lines;  // the whole file, for loading the values as "Open" does

    /// Checks extension, format mark and language; `languages` are the [Language] keys.
    static StartFile read(const QString &path, const QStringList &languages);

    /// "Data is incorrect." for every refusal.
    static QString errorText();
    /// "Confirmation (File-type error)", "Confirmation (Data error)", "Confirmation (Language error)".
    static QString errorCaption(Error error);
};
