#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class ParameterFile;
class Prompter;
class Session;
class TMain;
class TParameter;

// The main window's file commands on parameter sets: "New", "Open", "Save", "Save As", the
// values of the file named on the command line and files dropped on the parameter table.
class ParameterFileCommands : public QObject
{
    Q_OBJECT

public:
    ParameterFileCommands(TMain &main, Session &session, Prompter &prompter);

    void setTable(TParameter *table) { m_table = table; }

    void ParaMakeNewClick();
    void ParaOpenClick();
    void ParaSaveOverWriteClick();
    void ParaSaveChangeNameClick();

    /// Reads one file as "Open" does; true when it became the loaded set.
    bool openFile(const QString &path);
    /// A file dropped on the table: opened as "Open" opens it.
    void openDropped(const QString &path);
    /// Start with a file: the values from line 9 on, the caption, "Save" enabled.
    void loadStartFile(const QStringList &lines);

    /// The ".vkr" file of the loaded set to save folder + save file name. A failed write is
    /// reported and leaves the previous file as it was.
    bool WriteParameterFile();
    /// The configuration file of the loaded set to save folder + save file name.
    bool WriteConfigFile();
    /// The grid as shown, title row first, to save folder + save file name as a table file.
    bool WriteTableFile();

    /// "VKR410T <type><form> (CPU Ver.<cpu>) " + message 1 + file name, with the file's drive
    /// after opening.
    QString fileCaption(const QString &fileName, const QString &fileDrive = QString()) const;

private:
    void afterOpen(const ParameterFile &header);
    /// Asks before a save replaces an existing file; true to go on.
    bool confirmReplace(const QString &path);
    bool openConfigFile(const QString &path);
    bool written(bool ok, const QString &path, const QString &error);
    void focusGrid();
    bool enabled(const char *component) const;

    TMain &m_main;
    Session &m_session;
    Prompter &m_prompter;
    TParameter *m_table = nullptr;
};
