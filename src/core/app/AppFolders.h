#pragma once

#include <QString>

// Where the application finds its files. Paths are built with "/"; folder names carry no
// trailing separator.
struct AppFolders {
    static constexpr const char *AppName = "VKR410T";

    QString appFolder;
    QString settingsFolder;  // appFolder, or the user's configuration folder when appFolder is read-only
    QString languageFolder;  // appFolder/lng, or where the user picked a language file
    QString dataFolder;      // appFolder + [Options] DF
    QString modelFolder;     // dataFolder/<type>(<cpu>)
    QString infoFile;        // modelFolder/Info.ini

    /// Sets appFolder and forms the folders that follow from it. A new appFolder also becomes
    /// the settings folder.
    void setAppFolder(const QString &folder, const QString &dataSetting = QStringLiteral("\\dat"));
    QString settingsFile() const;
    /// Where the user's own files go by default: appFolder when it can be written, else home.
    QString userFolder() const;
    /// Always appFolder/dat, whatever the data-folder setting says.
    QString catalogFile() const;
    QString languageFile(const QString &languageName) const;
    QString mainHelpFile(const QString &languagePrefix) const;
    void setModel(const QString &typeName, const QString &cpuVersion);
    /// The same in another data folder.
    void setModelIn(const QString &folder, const QString &typeName, const QString &cpuVersion);
    /// Sets the model folder when it was named by a file the user picked.
    void setModelFolder(const QString &folder);

    /// Joins a folder and a setting such as "\dat" that uses "\" as separator.
    static QString join(const QString &folder, const QString &relative);
};
