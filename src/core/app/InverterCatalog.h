#pragma once

#include "base/IniFile.h"

#include <QString>
#include <QStringList>

// What drive types, forms and CPU versions exist: the model folders "KD...(V<cpu>)" of the
// data folder, the capacity files "*.cap" in them, and the catalogue file Inverter.ini with
// the numbers by which each type and form identifies itself.
class InverterCatalog
{
public:
    /// Enumerates `dataFolder`; `catalogFile` is always <app>/dat/Inverter.ini.
    void scan(const QString &dataFolder, const QString &catalogFile);

    QString dataFolder() const { return m_dataFolder; }
    /// Distinct type names in enumeration order (not sorted).
    QStringList types() const { return m_types; }
    /// All model folder names, sorted.
    QStringList modelFolders() const { return m_folders; }

    /// CPU versions ("V" + digits) of a type, in the order of the sorted folder list.
    QStringList cpuVersions(const QString &typeName) const;
    /// CPU numbers: the CPU versions without their first character.
    QStringList cpuNumbers(const QString &typeName) const;
    /// Form names of the capacity files of (type, CPU version), sorted.
    QStringList forms(const QString &typeName, const QString &cpuVersion) const;

    /// True when the type has a model folder for the CPU version with a capacity file of
    /// the form: names read from a file must pass this before they form a path.
    bool knows(const QString &typeName, const QString &cpuVersion, const QString &formName) const;

    QString typeNumber(const QString &typeName, const QString &def = QStringLiteral("99")) const;
    QString formNumber(const QString &typeName, const QString &formName,
                       const QString &def = QStringLiteral("0")) const;
    int typeCount() const;
    /// [Type_Ident_<n>] Ident, "-" when there is no such test.
    QString typeIdentNumber(const QString &typeNumber) const;
    /// [Type_Ident_<n>] Typ_<value>, "-" when there is no type for this value.
    QString typeIdentName(const QString &typeNumber, const QString &value) const;
    /// The [Type] key whose value is `typeNumber`, or empty.
    QString typeNameOfNumber(const QString &typeNumber) const;
    /// The [<type>] key whose value is `formNumber`, or empty.
    QString formNameOfNumber(const QString &typeName, const QString &formNumber) const;
    QString freqCommNo(const QString &typeName) const;
    QString cpu2Code(const QString &typeName) const;
    /// [<type>(V<cpu>)] <form>: form numbers of CPU versions above 799.
    QString cpuVersionFormNumber(const QString &typeName, const QString &cpuVersion, const QString &formName) const;

    static bool isModelFolderName(const QString &name);
    /// The folder name without its "(V...)" part.
    static QString typeNameOf(const QString &folderName);

private:
    QString m_dataFolder;
    QStringList m_folders;
    QStringList m_types;
    IniFile m_ini;
};
