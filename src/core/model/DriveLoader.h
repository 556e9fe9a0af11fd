#pragma once

#include <QString>
#include <QStringList>

struct AppFolders;
struct DriveSelection;
class DriveData;
class ModelInfo;
class MessageTable;
class Prompter;

// Loads the selected drive's parameter data: the definition file into ParaDat, the capacity
// file over it, then the factory values into UPara. Start-up, "New", "Open" of another
// drive's file and the command-line tool all come through load(). A missing file is
// reported and offered through a file dialog; picking one may change the model folder, the
// type name and CPU version (definition file) or the form name (capacity file).
class DriveLoader
{
public:
    enum class Result {
        Loaded,
        StartupFailed,  // a file was not found and none was picked, or the pick was refused
        SelectAgain,    // a "DIndex" is not a number: the drive selection starts again
    };

    DriveLoader(AppFolders &folders, DriveSelection &selection, const MessageTable &messages, Prompter &prompter);

    /// Title and filter of the definition-file dialog. Until the main window's texts are
    /// loaded they are "Open" and the built-in filter below.
    void setDialogTexts(const QString &title, const QString &filter);
    static QString defaultDialogFilter();

    /// <ModelFolder>/<type>(<language prefix>).inv
    QString definitionFile() const;
    /// <ModelFolder>/<type><form>.cap
    QString capacityFile() const;

    /// Builds ParaDat, LastIndex, LastUserIndex and ComNoList. False when StartupFailed.
    bool LoadDefinitions(DriveData &data);
    /// Applies the capacity file and Info.ini [Disp CV]. False when StartupFailed.
    bool LoadCapacities(DriveData &data);
    /// LoadDefinitions, LoadCapacities and SetUpValues in that order. LastShownIndex is left
    /// to the caller (LastUserIndex, or LastIndex in maintenance mode).
    Result load(DriveData &data);

    static Result load(AppFolders &folders, DriveSelection &selection, const MessageTable &messages,
                       Prompter &prompter, DriveData &data);

private:
    void showMessage(int k);
    /// Reads a data file in the language's code page, or asks for another one after
    /// language message `missingMessage`; an empty text when none was picked.
    QString pickFile(int missingMessage, int filterIndex);
    bool readLines(const QString &path, QStringList *lines) const;
    ModelInfo modelInfo() const;

    AppFolders &m_folders;
    DriveSelection &m_selection;
    const MessageTable &m_messages;
    Prompter &m_prompter;
    QString m_dialogTitle;
    QString m_dialogFilter;
};
