#pragma once

#include <QString>
#include <QStringList>

// Registers ".vkr" parameter files with the desktop the freedesktop.org way: a shared-mime-info
// package (glob "*.vkr", magic "###" at the start of the file) and a .desktop entry that opens
// the file with VKR410T, both under the user's data folder. Registering changes nothing when
// ".vkr" already has a default application, this tool's or another's; unregistering removes
// only the files registering wrote (they carry a mark), whatever else names ".vkr".
class FileTypeRegistration
{
public:
    enum class Result { Registered, AlreadyAssociated, Unregistered, NothingToRemove, Failed };

    /// `dataHome` is $XDG_DATA_HOME; `executable` the program a double-click starts.
    FileTypeRegistration(const QString &dataHome, const QString &executable);

    /// $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute.
    static QString dataHome();
    static QString mimeType() { return QStringLiteral("application/x-vkr410t-parameters"); }

    Result registerType();
    Result unregisterType();
    /// The reason of the last Failed.
    QString error() const { return m_error; }

    QString mimePackagePath() const;
    QString desktopFilePath() const;
    static QString desktopFileName() { return QStringLiteral("vkr410t.desktop"); }

    /// The MIME types the installed databases give to "*.vkr" (globs2 of every data folder).
    QStringList typesOfExtension() const;
    /// `xdg-mime query default` of a type; empty when there is none or xdg-mime is missing.
    static QString defaultApplication(const QString &type);

    /// The Exec value that starts `executable` with the file (quoted as the desktop entry
    /// format asks).
    static QString execLine(const QString &executable);

private:
    QStringList dataFolders() const;
    bool writeOwn(const QString &path, const QByteArray &contents);
    bool removeOwn(const QString &path);
    void refreshCaches() const;

    QString m_dataHome;
    QString m_executable;
    QString m_error;
};
