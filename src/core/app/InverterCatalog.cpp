#include "InverterCatalog.h"

#include "base/FileLookup.h"

#include <QDir>

bool InverterCatalog::isModelFolderName(const QString &name)
{
    return name.left(2).compare(QLatin1String("KD"), Qt::CaseInsensitive) == 0;
}

QString InverterCatalog::typeNameOf(const QString &folderName)
{
    const qsizetype open = folderName.indexOf(QLatin1String("(V"));
    if (open < 0)
        return folderName;
    const qsizetype close = folderName.indexOf(QLatin1Char(')'), open);
    QString name = folderName;
    name.remove(open, close < 0 ? name.size() - open : close - open + 1);
    return name;
}

void InverterCatalog::scan(const QString &dataFolder, const QString &catalogFile)
{
    m_dataFolder = FileLookup::resolve(dataFolder);
    m_ini.setPath(catalogFile);
    m_folders.clear();
    m_types.clear();
    // Enumerated in name order ignoring case, as the data's original file system lists them.
    const QStringList entries =
        QDir(m_dataFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &entry : entries) {
        if (!isModelFolderName(entry))
            continue;
        m_folders.append(entry);
        const QString type = typeNameOf(entry);
        if (!m_types.contains(type))
            m_types.append(type);
    }
    m_folders.sort(Qt::CaseInsensitive);
}

QStringList InverterCatalog::cpuVersions(const QString &typeName) const
{
    QStringList versions;
    if (typeName.isEmpty())
        return versions;
    for (const QString &folder : m_folders) {
        const qsizetype at = folder.indexOf(typeName);
        if (at < 0 || typeNameOf(folder).size() != typeName.size())
            continue;
        const qsizetype open = at + typeName.size();
        if (open >= folder.size() || folder.at(open) != QLatin1Char('('))
            continue;
        const qsizetype close = folder.indexOf(QLatin1Char(')'), open);
        if (close < 0)
            continue;
        versions.append(folder.mid(open + 1, close - open - 1));
    }
    return versions;
}

QStringList InverterCatalog::cpuNumbers(const QString &typeName) const
{
    QStringList numbers;
    for (const QString &version : cpuVersions(typeName))
        numbers.append(version.mid(1));
    return numbers;
}

QStringList InverterCatalog::forms(const QString &typeName, const QString &cpuVersion) const
{
    const QString folder =
        FileLookup::resolve(m_dataFolder + QLatin1Char('/') + typeName + QLatin1Char('(') + cpuVersion + QLatin1Char(')'));
    QStringList result;
    const QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString &file : files) {
        if (!file.endsWith(QLatin1String(".cap"), Qt::CaseInsensitive))
            continue;
        result.append(file.mid(typeName.size(), file.size() - typeName.size() - 4));
    }
    result.sort(Qt::CaseInsensitive);
    return result;
}

bool InverterCatalog::knows(const QString &typeName, const QString &cpuVersion, const QString &formName) const
{
    return m_types.contains(typeName) && cpuVersions(typeName).contains(cpuVersion)
        && forms(typeName, cpuVersion).contains(formName);
}

QString InverterCatalog::typeNumber(const QString &typeName, const QString &def) const
{
    return m_ini.readString(QStringLiteral("Type"), typeName, def);
}

QString InverterCatalog::formNumber(const QString &typeName, const QString &formName, const QString &def) const
{
    return m_ini.readString(typeName, formName, def);
}

int InverterCatalog::typeCount() const
{
    return int(m_ini.keys(QStringLiteral("Type")).size());
}

QString InverterCatalog::typeIdentNumber(const QString &typeNumber) const
{
    return m_ini.readString(QStringLiteral("Type_Ident_") + typeNumber, QStringLiteral("Ident"), QStringLiteral("-"));
}

QString InverterCatalog::typeIdentName(const QString &typeNumber, const QString &value) const
{
    return m_ini.readString(QStringLiteral("Type_Ident_") + typeNumber, QStringLiteral("Typ_") + value,
                            QStringLiteral("-"));
}

static QString keyWithValue(const IniFile &ini, const QString &section, const QString &value)
{
    for (const QString &key : ini.keys(section)) {
        if (ini.readString(section, key) == value)
            return key;
    }
    return QString();
}

QString InverterCatalog::typeNameOfNumber(const QString &typeNumber) const
{
    return keyWithValue(m_ini, QStringLiteral("Type"), typeNumber);
}

QString InverterCatalog::formNameOfNumber(const QString &typeName, const QString &formNumber) const
{
    return keyWithValue(m_ini, typeName, formNumber);
}

QString InverterCatalog::freqCommNo(const QString &typeName) const
{
    return m_ini.readString(QStringLiteral("Freq Comm No"), typeName, QStringLiteral("-"));
}

QString InverterCatalog::cpu2Code(const QString &typeName) const
{
    return m_ini.readString(QStringLiteral("CPU2"), typeName, QStringLiteral("D"));
}

QString InverterCatalog::cpuVersionFormNumber(const QString &typeName, const QString &cpuVersion,
                                              const QString &formName) const
{
    return m_ini.readString(typeName + QLatin1Char('(') + cpuVersion + QLatin1Char(')'), formName, QStringLiteral("0"));
}
