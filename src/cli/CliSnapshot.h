#pragma once

#include "transfer/SnapshotFiles.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>

class CliDrive;
class CliParser;
class CommExchange;

// The snapshot that vkr export and vkr restore take before writing, and the snapshot vkr
// restore writes back. Snapshots live in the folder "snapshots" beside the settings file
// (--settings, default the one the windows use), whose option "Snapshot" can switch
// them off; a snapshot that cannot be taken refuses the write unless --no-snapshot is given.
class CliSnapshot
{
public:
    /// --settings and --no-snapshot; with `restore` also --snapshot FILE.
    static QList<QCommandLineOption> options(bool restore);
    void readOptions(const CliParser &cli, bool restore);

    QString folder() const;
    /// A snapshot is taken: neither --no-snapshot nor the option switched off.
    bool wanted() const;

    /// Takes the snapshot of `rows` when wanted. ExitCode::Ok, or the code after the message.
    int take(CommExchange &exchange, CliDrive &drive, const QList<int> &rows, int inverterNumber) const;

    /// vkr restore: the snapshot named by --snapshot, else the newest of this drive and
    /// inverter number. ExitCode::Ok, or Refused after the message.
    int load(const CliDrive &drive, int inverterNumber, SnapshotFiles::Loaded *loaded, QString *path) const;

private:
    QString m_settings;
    QString m_snapshot;
    bool m_off = false;
};
