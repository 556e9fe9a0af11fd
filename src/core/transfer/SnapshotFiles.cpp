#include "SnapshotFiles.h"

#include "app/DriveSelection.h"
#include "files/ParameterFile.h"
#include "model/DriveData.h"
#include "model/NumberText.h"
#include "model/ParameterValues.h"
#include "model/SplitFields.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
const QString Extension = QStringLiteral(".vkr");
}

QString SnapshotFiles::folderBeside(const QString &settingsFile)
{
    return QFileInfo(settingsFile).absolutePath() + QStringLiteral("/snapshots");
}

QString SnapshotFiles::prefix(const DriveSelection &selection, int inverterNumber)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9.+-]"));
    QString drive = selection.typeName + selection.formName;
    drive.replace(unsafe, QStringLiteral("_"));
    return drive + QStringLiteral("_No%1_").arg(inverterNumber, 2, 10, QLatin1Char('0'));
}

QString SnapshotFiles::newPath(const QString &folder, const DriveSelection &selection, int inverterNumber,
                               const QDateTime &when)
{
    const QString base = folder + QLatin1Char('/') + prefix(selection, inverterNumber)
                       + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = base + Extension;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + QLatin1Char('-') + QString::number(n) + Extension;
    return path;
}

QString SnapshotFiles::lastPath(const QString &folder, const DriveSelection &selection, int inverterNumber)
{
    const QString start = prefix(selection, inverterNumber);
    static const QRegularExpression stamp(QStringLiteral("^(\\d{8}-\\d{6})(?:-(\\d+))?\\.vkr$"));
    // The newest by the time in the name, then by the number of a second one in that second.
    QString newest;
    std::pair<QString, int> newestKey;
    for (const QString &name : QDir(folder).entryList({start + QLatin1Char('*') + Extension}, QDir::Files)) {
        const QRegularExpressionMatch m = stamp.match(QStringView(name).mid(start.size()));
        if (!m.hasMatch())
            continue;
        const std::pair<QString, int> key{m.captured(1), m.hasCaptured(2) ? m.captured(2).toInt() : 1};
        if (newest.isEmpty() || key > newestKey) {
            newest = name;
            newestKey = key;
        }
    }
    return newest.isEmpty() ? QString() : QDir(folder).absoluteFilePath(newest);
}

SnapshotFiles::Loaded SnapshotFiles::read(const QString &path, const DriveData &data, const DriveSelection &selection)
{
    Loaded out;
    QStringList lines;
    if (!ParameterFile::readLines(path, selection.languagePrefix, &lines, &out.error))
        return out;
    const ParameterFile header = ParameterFile::parseHeader(lines);
    if (header.layout != ParameterFile::Layout::Current) {
        out.error = QStringLiteral("not a parameter data file");
        return out;
    }
    if (header.typeName != selection.typeName || header.formName != selection.formName) {
        out.error = QStringLiteral("taken from %1%2").arg(header.typeName, header.formName);
        return out;
    }
    const int end = int(std::min<qsizetype>(lines.size(), ParameterFile::MaxLines));
    for (int n = header.firstParameterLine; n < end && !lines.at(n).isEmpty(); ++n) {
        const QStringList fields = SplitFields(lines.at(n));
        const int index = fields.isEmpty() ? -1 : data.IndexOfComNo(fields.first());
        const std::optional<qint64> value = fields.size() > 1 ? NumberText::parseWhole(fields.at(1)) : std::nullopt;
        if (index < 0 || !value) {
            out.error = QStringLiteral("line %1 is no parameter of this drive").arg(n + 1);
            out.rows.clear();
            out.values.clear();
            return out;
        }
        out.rows.append(index);
        out.values.append(QString::number(*value));
    }
    if (out.rows.isEmpty())
        out.error = QStringLiteral("it holds no parameter");
    return out;
}

void SnapshotFiles::apply(const Loaded &loaded, DriveData &data, const MessageTable &messages, Prompter &prompter)
{
    ParameterValues values(data, messages, prompter);
    for (qsizetype i = 0; i < loaded.rows.size(); ++i) {
        const int index = loaded.rows.at(i);
        data.uPara.setAt(index, UPara::Value, loaded.values.at(i));
        data.uPara.setAt(index, UPara::WriteIndex, QStringLiteral("1"));
        values.MarkChanged(data.paraDat.at(index, ParaDat::ComNo), loaded.values.at(i).toDouble());
    }
}
