#pragma once

#include <QCommandLineOption>
#include <QString>
#include <QStringList>
#include <vector>

class CliDrive;
class MonitorRecording;
struct MonitorItem;
struct MonitorItemList;
struct MonitorSetup;

// "--out FILE" of vkr monitor: the run is also kept as a recording and written, when it ends,
// as the monitoring window's "Save As" writes it: a ".mon" recording or a ".csv" table, chosen
// by the extension. A recording holds at most MonitorRecording::MaxSamples samples, and a
// ".mon" file names its items by their place in the drive type's monitor list.
class CliMonitorOut
{
public:
    static QCommandLineOption option();

    /// Takes the path and checks it against the request. False with *error set.
    bool check(const QString &path, const MonitorItemList &list, const std::vector<MonitorItem> &items, int samples,
               QString *error);
    bool isSet() const { return !m_path.isEmpty(); }
    /// Writes the recording; returns an ExitCode (FileFailed with the reason on stderr).
    int write(const CliDrive &drive, const MonitorSetup &setup,
              const MonitorRecording &recording, int intervalMs) const;

private:
    QString m_path;
    bool m_table = false;
    std::vector<int> m_itemIndexes;  // of the channels in the monitor list (0 when not in it)
    QStringList m_names;
};
