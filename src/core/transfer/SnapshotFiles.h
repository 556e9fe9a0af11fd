#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class DriveData;
class MessageTable;
class Prompter;
struct DriveSelection;

// Where the snapshots taken before writing live and how they are named and read back: a
// "snapshots" folder beside the settings file, one parameter data file per snapshot named
// <type><form>_No<inverter number>_<yyyyMMdd-HHmmss>.vkr (a second one in the same second
// gets "-2", "-3", ...). A snapshot holds only the parameters the export was about to write,
// with the values the drive held before.
class SnapshotFiles
{
public:
    static QString folderBeside(const QString &settingsFile);
    /// The name's drive part, with every character a file name should not carry made "_".
    static QString prefix(const DriveSelection &selection, int inverterNumber);
    /// A path in `folder` that does not exist yet for a snapshot taken at `when`.
    static QString newPath(const QString &folder, const DriveSelection &selection, int inverterNumber,
                           const QDateTime &when);
    /// The newest snapshot of this drive and inverter number, or an empty text.
    static QString lastPath(const QString &folder, const DriveSelection &selection, int inverterNumber);

    struct Loaded {
        QString error;      // empty when the file can be restored
        QList<int> rows;    // parameter indices, in file order
        QStringList values; // raw value texts of those rows
    };
    /// Reads a snapshot for the loaded drive: the current layout, the same type and form, and
    /// only known communication numbers with whole-number values.
    static Loaded read(const QString &path, const DriveData &data, const DriveSelection &selection);
    /// Puts the snapshot's values into the value table and recomputes their changed marks.
    static void apply(const Loaded &loaded, DriveData &data, const MessageTable &messages, Prompter &prompter);
};
