#pragma once

#include "base/CodePage.h"
#include "base/ZipArchive.h"
#include "comm/DriveIdentification.h"
#include "transfer/ThreeWayComparison.h"
#include "transfer/TransferReport.h"
#include "transfer/TransferTexts.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class CommExchange;
struct CommSettings;
class DetectExchange;
class DriveData;
class FrameItemSource;
class LanguageFile;
class Prompter;
struct AppFolders;
struct DriveSelection;

// Everything needed to understand a drive's state, in one zip archive: the identification of
// the connected drive, every parameter read from it (as a parameter data file and as a table
// file), the three-way comparison of factory, table and drive values, the inverter
// information report and the tool's version, plus what the caller holds: the communication
// log and the recording open in the monitoring window. One comparison run reads the
// parameters; read() does the exchanges, entries() and write() only assemble.
class ServiceReport
{
public:
    /// The drive the tool has selected and the table it holds.
    struct Drive {
        DriveData &data;
        const DriveSelection &selection;
        const AppFolders &folders;
        const MessageTable &messages;
        const LanguageFile &language;
        Prompter &prompter;
        bool maintenanceActive = false;
    };
    /// The line the drive answers on.
    struct Line {
        CommExchange &exchange;
        const FrameItemSource &items;
        DetectExchange &detect;
        QString description;  // port and settings, for the identification
    };
    /// What the caller adds as it is; empty parts are left out of the archive.
    struct Supplied {
        QByteArray communicationLog;
        QByteArray recordingMon;
        QByteArray recordingPng;
    };

    ServiceReport(const Drive &drive, const Line &line);

    /// Called with 0..100 while the parameters are read.
    std::function<void(int percent)> onProgress;

    /// Reads the identification, every parameter and the inverter information. False when
    /// the drive did not answer the first read; nothing more is read then, and the archive
    /// holds the identification, the version and the supplied parts only.
    bool read(const QDateTime &when = QDateTime::currentDateTime());

    bool answered() const { return m_answered; }
    /// Parameters and information values the drive did not answer.
    int unansweredParameters() const { return m_comparison.unanswered(); }
    int unansweredInformation() const { return m_infoFailed; }
    const ThreeWayComparison &comparison() const { return m_comparison; }

    /// The archive's files, in the order they are written.
    QList<ZipArchive::Entry> entries(const Supplied &supplied) const;
    /// Writes the archive atomically; false with *error set, nothing left at `path` then.
    bool write(const QString &path, const Supplied &supplied, QString *error = nullptr) const;

    /// "VKR410T 1.2.3", the build date and the libraries' versions, one per line.
    static QStringList versionLines();
    /// "/dev/ttyUSB0, native protocol, 9600 bit/s, even parity, inverter number 3".
    static QString lineDescription(const QString &port, const CommSettings &settings);

private:
    void readParameters();
    void readInformation();
    void keepDriveSet();
    QStringList identificationLines(const Supplied &supplied) const;
    QByteArray textBytes(const QStringList &lines) const;

    Drive m_drive;
    Line m_line;
    TransferTexts m_texts;
    CodePage m_page;
    QDateTime m_when;
    bool m_answered = false;
    DriveIdentification::Result m_identified;
    ThreeWayComparison m_comparison;
    QStringList m_driveSet;               // .vkr lines of the values the drive sent
    QList<QStringList> m_driveTable;      // table file rows of the same
    TransferReport m_information;
    int m_infoFailed = 0;
};
