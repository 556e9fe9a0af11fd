#pragma once

#include "monitor/MonitorFileSave.h"

#include <QObject>
#include <functional>

class Prompter;
class TMonitoring;
struct MonitorFile;

// The monitoring window's file commands: "Open" (MonFileOpen) shows a recording saved as a
// ".mon" file, "Save As" (MonFile) writes the recording shown as ".mon", as a ".csv" table
// or, through the picture writer, as a picture of the chart. Both start in the monitor
// folder, and the folder of a file chosen becomes the monitor folder. Neither works while a
// run goes on; "Open" not in continuous mode.
class MonitorFileCommands : public QObject
{
    Q_OBJECT

public:
    /// Writes a picture of the chart as it is shown; false with *error set.
    using PictureWriter = std::function<bool(const QString &path, MonitorFileSave::Format format, QString *error)>;

    MonitorFileCommands(TMonitoring &window, Prompter &prompter);

    void MonFileOpenClick();
    void MonFileClick();
    /// Opens a recording file without the dialog; false when it was not shown.
    bool openRecording(const QString &path);
    /// The picture entries of the save dialog are offered only with a writer.
    void setPictureWriter(PictureWriter writer);
    /// The recording shown, as its ".mon" file would hold it (empty when nothing was recorded).
    QByteArray recordingBytes() const;
    /// "Open" and "Save As" follow the run and the continuous mode.
    void refresh();

signals:
    /// A recording file was opened: its alarm and trip display options are in force.
    void recordingOpened();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString text(const char *section, const char *key, const char *def) const;
    bool continuous() const;
    void remember(const QString &path);
    bool write(const QString &path, MonitorFileSave::Format format, QString *error);
    MonitorFile recordingFile() const;
    void takeDisplayOptions(const MonitorFile &file);
    void showRecording(const MonitorFile &file);
    void armedChecks(MonitorFile &file) const;
    QString caption(const QString &fileName) const;

    TMonitoring &m_w;
    Prompter &m_prompter;
    PictureWriter m_pictureWriter;
};
