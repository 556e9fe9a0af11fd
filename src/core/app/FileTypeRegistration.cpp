#include "FileTypeRegistration.h"

#include "base/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Both files carry this mark; unregistering removes a file only when it has it.
const QByteArray OwnMark = "X-VKR410T-Registration";
constexpr int ToolTimeoutMs = 30000;

QByteArray mimePackage()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!-- " + OwnMark + " -->\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" + FileTypeRegistration::mimeType().toUtf8() + "\">\n"
           "    <comment>DRIVANO Parameter data</comment>\n"
           "    <glob pattern=\"*.vkr\"/>\n"
           "    <magic priority=\"50\">\n"
           "      <match type=\"string\" offset=\"0\" value=\"###\"/>\n"
           "    </magic>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

QByteArray desktopEntry(const QString &executable)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=VKR410T\n"
           "Comment=DRIVANO Parameter data\n"
           "Exec=" + FileTypeRegistration::execLine(executable).toUtf8() + "\n"
           "MimeType=" + FileTypeRegistration::mimeType().toUtf8() + ";\n"
           "Terminal=false\n"
           "NoDisplay=true\n"
           + OwnMark + "=true\n";
}

// Runs a tool when it is installed; a missing tool is not an error (the caches are then
// rebuilt by the desktop at its next start).
QString runTool(const QString &program, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return {};
    QProcess p;
    p.start(path, arguments);
    if (!p.waitForFinished(ToolTimeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0
        ? QString::fromUtf8(p.readAllStandardOutput()).trimmed()
        : QString();
}

}  // namespace

FileTypeRegistration::FileTypeRegistration(const QString &dataHome, const QString &executable)
    : m_dataHome(dataHome), m_executable(QFileInfo(executable).absoluteFilePath())
{
}

QString FileTypeRegistration::dataHome()
{
    const QString env = qEnvironmentVariable("XDG_DATA_HOME");
    if (!env.isEmpty() && QDir::isAbsolutePath(env))
        return env;
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QString FileTypeRegistration::mimePackagePath() const
{
    return m_dataHome + QStringLiteral("/mime/packages/vkr410t-parameters.xml");
}

QString FileTypeRegistration::desktopFilePath() const
{
    return m_dataHome + QStringLiteral("/applications/") + desktopFileName();
}

QString FileTypeRegistration::execLine(const QString &executable)
{
    // Inside double quotes the desktop entry format escapes " ` $ \ with a backslash, and
    // the string value format doubles every backslash again; a literal % is written %%.
    QString quoted;
    for (const QChar c : executable) {
        if (c == u'"' || c == u'`' || c == u'$')
            quoted += QStringLiteral("\\\\") + c;
        else if (c == u'\\')
            quoted += QStringLiteral("\\\\\\\\");
        else if (c == u'%')
            quoted += QStringLiteral("%%");
        else
            quoted += c;
    }
    return u'"' + quoted + QStringLiteral("\" %f");
}

QStringList FileTypeRegistration::dataFolders() const
{
    QStringList folders{m_dataHome};
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString &d : dirs.split(u':', Qt::SkipEmptyParts))
        folders << d;
    return folders;
}

QStringList FileTypeRegistration::typesOfExtension() const
{
    QStringList types;
    for (const QString &folder : dataFolders()) {
        QFile globs(folder + QStringLiteral("/mime/globs2"));
        if (!globs.open(QIODevice::ReadOnly))
            continue;
        // weight:type:glob[:flags]
        while (!globs.atEnd()) {
            const QList<QByteArray> f = globs.readLine().trimmed().split(':');
            if (f.size() >= 3 && f[2].toLower() == "*.vkr" && !types.contains(QString::fromUtf8(f[1])))
                types << QString::fromUtf8(f[1]);
        }
    }
    return types;
}

QString FileTypeRegistration::defaultApplication(const QString &type)
{
    return runTool(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
}

FileTypeRegistration::Result FileTypeRegistration::registerType()
{
    QStringList types = typesOfExtension();
    if (!types.contains(mimeType()))
        types << mimeType();
    for (const QString &type : std::as_const(types)) {
        if (!defaultApplication(type).isEmpty())
            return Result::AlreadyAssociated;
    }
    if (QFileInfo::exists(mimePackagePath()) || QFileInfo::exists(desktopFilePath()))
        return Result::AlreadyAssociated;
    if (!writeOwn(mimePackagePath(), mimePackage()))
        return Result::Failed;
    if (!writeOwn(desktopFilePath(), desktopEntry(m_executable))) {
        removeOwn(mimePackagePath());
        return Result::Failed;
    }
    refreshCaches();
    return Result::Registered;
}

FileTypeRegistration::Result FileTypeRegistration::unregisterType()
{
    const bool mime = removeOwn(mimePackagePath());
    const bool desktop = removeOwn(desktopFilePath());
    if (!mime && !desktop)
        return Result::NothingToRemove;
    refreshCaches();
    return Result::Unregistered;
}

bool FileTypeRegistration::writeOwn(const QString &path, const QByteArray &contents)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        m_error = QFileInfo(path).absolutePath() + QStringLiteral(": cannot create the folder");
        return false;
    }
    return AtomicFile::write(path, contents, &m_error);
}

bool FileTypeRegistration::removeOwn(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const bool own = f.read(64 * 1024).contains(OwnMark);
    f.close();
    return own && f.remove();
}

void FileTypeRegistration::refreshCaches() const
{
    runTool(QStringLiteral("update-mime-database"), {m_dataHome + QStringLiteral("/mime")});
    runTool(QStringLiteral("update-desktop-database"), {m_dataHome + QStringLiteral("/applications")});
}
