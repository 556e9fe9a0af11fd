#include "CliSnapshot.h"

#include "CliDrive.h"
#include "CliParser.h"
#include "CliSettingsFile.h"
#include "ExitCodes.h"
#include "app/Options.h"
#include "app/Settings.h"
#include "transfer/ExportSnapshot.h"

#include <QFileInfo>

QList<QCommandLineOption> CliSnapshot::options(bool restore)
{
    QList<QCommandLineOption> own{
        QCommandLineOption(QStringLiteral("settings"),
                           QStringLiteral("The settings file beside whose folder \"snapshots\" the snapshot taken "
                                          "before writing goes, and whose option Snapshot can switch it off "
                                          "(%1).")
                               .arg(CliSettingsFile::defaultHelp()),
                           QStringLiteral("FILE")),
        QCommandLineOption(QStringLiteral("no-snapshot"),
                           QStringLiteral("Write without first saving the values about to be overwritten; also the "
                                          "way to go on when the snapshot cannot be taken.")),
    };
    if (restore)
        own << QCommandLineOption(QStringLiteral("snapshot"),
                                  QStringLiteral("The snapshot to write back (default: the newest of this drive and "
                                                 "inverter number)."),
                                  QStringLiteral("FILE"));
    return own;
}

void CliSnapshot::readOptions(const CliParser &cli, bool restore)
{
    m_settings = cli.value(QStringLiteral("settings"));
    if (m_settings.isEmpty())
        m_settings = CliSettingsFile::defaultPath();
    m_settings = QFileInfo(m_settings).absoluteFilePath();
    m_off = cli.isSet(QStringLiteral("no-snapshot"));
    m_snapshot = restore ? cli.value(QStringLiteral("snapshot")) : QString();
}

QString CliSnapshot::folder() const
{
    return SnapshotFiles::folderBeside(m_settings);
}

bool CliSnapshot::wanted() const
{
    if (m_off)
        return false;
    Options options;
    options.load(Settings(m_settings, QFileInfo(m_settings).absolutePath()));
    return options.on(Opt::SnapshotChk);
}

int CliSnapshot::take(CommExchange &exchange, CliDrive &drive, const QList<int> &rows, int inverterNumber) const
{
    if (!wanted())
        return ExitCode::Ok;
    ExportSnapshot snapshot(drive.data, exchange, SnapshotTexts::load(nullptr, drive.messages), drive.prompter);
    snapshot.folder = folder();
    snapshot.selection = drive.selection;
    snapshot.inverterNumber = inverterNumber;
    const ExportSnapshot::Result &r = snapshot.take(rows);
    switch (r.outcome) {
    case ExportSnapshot::Outcome::Taken:
        if (!r.path.isEmpty())
            printError(QStringLiteral("snapshot %1 (%2 parameters, %3 reads)")
                           .arg(r.path)
                           .arg(rows.size())
                           .arg(r.exchanges));
        return ExitCode::Ok;
    case ExportSnapshot::Outcome::ReadFailed:
        printError(snapshot.failureText(r) + QStringLiteral(" (--no-snapshot writes without one)"));
        return ExitCode::ExchangeFailed;
    case ExportSnapshot::Outcome::WriteFailed:
        break;
    }
    printError(snapshot.failureText(r) + QStringLiteral(" (--no-snapshot writes without one)"));
    return ExitCode::FileFailed;
}

int CliSnapshot::load(const CliDrive &drive, int inverterNumber, SnapshotFiles::Loaded *loaded, QString *path) const
{
    const SnapshotTexts texts = SnapshotTexts::load(nullptr, drive.messages);
    *path = m_snapshot.isEmpty() ? SnapshotFiles::lastPath(folder(), drive.selection, inverterNumber) : m_snapshot;
    if (path->isEmpty()) {
        printError(texts.noSnapshot.arg(folder()));
        return ExitCode::Refused;
    }
    *loaded = SnapshotFiles::read(*path, drive.data, drive.selection);
    if (!loaded->error.isEmpty()) {
        printError(texts.unusable.arg(*path, loaded->error));
        return ExitCode::Refused;
    }
    return ExitCode::Ok;
}
