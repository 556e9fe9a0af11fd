#include "SimDataLoader.h"

#include "SimFrames.h"
#include "app/AppFolders.h"
#include "app/DriveSelection.h"
#include "app/InverterCatalog.h"
#include "app/MessageTable.h"
#include "base/CodePage.h"
#include "base/FileLookup.h"
#include "base/IniFile.h"
#include "base/ScriptedPrompter.h"
#include "model/DriveData.h"
#include "model/DriveLoader.h"
#include "model/NumberText.h"

namespace {

// CPU versions above this keep their form numbers in a section of their own.
constexpr int CpuWithOwnForms = 799;

QString catalogFileOf(const QString &dataFolder)
{
    return FileLookup::resolve(dataFolder + QStringLiteral("/Inverter.ini"));
}

void fillIdentity(const InverterCatalog &catalog, SimDriveData *d)
{
    d->typeNumber = catalog.typeNumber(d->typeName).toInt();
    d->cpuNumber = d->cpuVersion.mid(1).toInt();
    d->formNumber = d->cpuNumber > CpuWithOwnForms
                        ? catalog.cpuVersionFormNumber(d->typeName, d->cpuVersion, d->formName).toInt()
                        : catalog.formNumber(d->typeName, d->formName).toInt();
    const QString typeNumber = QString::number(d->typeNumber);
    const QString ident = catalog.typeIdentNumber(typeNumber);
    if (ident != QLatin1String("-")) {
        // The value of the identifying register whose Typ_<value> names this type.
        const IniFile ini(catalogFileOf(catalog.dataFolder()));
        const QString section = QStringLiteral("Type_Ident_") + typeNumber;
        for (const QString &key : ini.keys(section)) {
            if (key.startsWith(QLatin1String("Typ_"), Qt::CaseInsensitive)
                && ini.readString(section, key).compare(d->typeName, Qt::CaseInsensitive) == 0) {
                d->typeIdentComNo = ident;
                d->typeIdentValue = key.mid(4).toInt();
            }
        }
    }
    const QString freq = catalog.freqCommNo(d->typeName);
    d->freqCommComNo = freq == QLatin1String("-") ? QString() : freq;
}

std::optional<qint64> whole(const QString &text)
{
    const auto v = NumberText::parse(text);
    return v ? std::optional<qint64>(NumberText::truncate(*v)) : std::nullopt;
}

void fillParameters(const DriveData &data, SimDriveData *d)
{
    const ParaDat &p = data.paraDat;
    for (int i = 0; i < data.parameterCount(); ++i) {
        SimParameter s;
        s.comNo = p.at(i, ParaDat::ComNo);
        s.address = SimFrames::addressOf(s.comNo);
        s.wide = p.at(i, ParaDat::Byte) == QLatin1String("4");
        s.factory = whole(data.uPara.at(i, UPara::Value)).value_or(0);
        s.high = whole(data.uPara.at(i, UPara::HValue));
        s.low = whole(data.uPara.at(i, UPara::LValue));
        if (p.at(i, ParaDat::HIndex) != QLatin1String("0"))
            s.highRef = SimFrames::addressOf(p.at(i, ParaDat::High));
        const QString lIndex = p.at(i, ParaDat::LIndex);
        if (lIndex == QLatin1String("1") || lIndex == QLatin1String("-1")) {
            s.lowRef = SimFrames::addressOf(p.at(i, ParaDat::Low));
            s.lowNegated = lIndex == QLatin1String("-1");
        }
        s.mul = int(whole(p.at(i, ParaDat::Mul)).value_or(1));
        s.ramOnly = p.at(i, ParaDat::Memory).compare(QLatin1String("RAM"), Qt::CaseInsensitive) == 0;
        d->parameters.push_back(s);
    }
}

void fillMonitorItems(const IniFile &info, const QString &prefix, SimDriveData *d)
{
    const QString itemSection = d->typeName + QStringLiteral(" Monitor (") + prefix + QLatin1Char(')');
    const QString unitSection = d->typeName + QStringLiteral(" Monitor Unit");
    const QStringList units = info.keys(unitSection);
    const QStringList codes = info.keys(itemSection);
    for (qsizetype n = 0; n < codes.size(); ++n) {
        const QString &code = codes[n];
        SimMonitorItem item;
        item.comNo = code.left(4);
        item.address = SimFrames::addressOf(item.comNo);
        item.bit = code.size() > 5 && code.at(4) == QLatin1Char('-') ? code.mid(5, 2).toInt() : -1;
        item.name = info.readString(itemSection, code);
        if (n < units.size()) {
            item.unit = units[n].mid(2);
            item.altUnit = info.readString(unitSection, units[n], QStringLiteral("(-)"));
        }
        d->monitorItems.push_back(item);
    }
    const QString alarmSection = d->typeName + QStringLiteral(" Alarm (") + prefix + QLatin1Char(')');
    for (const QString &key : info.keys(alarmSection))
        d->alarmNames << info.readString(alarmSection, key, QStringLiteral("-"));
    for (const QString &key : info.keys(d->typeName + QStringLiteral(" Trip (") + prefix + QLatin1Char(')')))
        d->tripCodes << key.toInt();
}

}  // namespace

namespace SimDataLoader {

bool firstDrive(const QString &dataFolder, QString *type, QString *form, QString *cpuVersion, QString *error)
{
    InverterCatalog catalog;
    catalog.scan(dataFolder, catalogFileOf(dataFolder));
    for (const QString &t : catalog.types()) {
        for (const QString &cpu : catalog.cpuVersions(t)) {
            const QStringList forms = catalog.forms(t, cpu);
            if (!forms.isEmpty()) {
                *type = t;
                *cpuVersion = cpu;
                *form = forms.first();
                return true;
            }
        }
    }
    *error = QStringLiteral("no drive data in %1").arg(dataFolder);
    return false;
}

bool load(const QString &dataFolder, const QString &type, const QString &form, const QString &cpuVersion,
          SimDriveData *out, QString *error, const QString &languagePrefix)
{
    InverterCatalog catalog;
    catalog.scan(dataFolder, catalogFileOf(dataFolder));
    if (!catalog.forms(type, cpuVersion).contains(form)) {
        *error = QStringLiteral("no drive %1:%2:%3 in %4").arg(type, form, cpuVersion, dataFolder);
        return false;
    }
    AppFolders folders;
    folders.dataFolder = dataFolder;
    folders.setModel(type, cpuVersion);
    DriveSelection selection;
    selection.typeName = type;
    selection.formName = form;
    selection.cpuVersion = cpuVersion;
    selection.languagePrefix = languagePrefix;
    MessageTable messages;
    ScriptedPrompter prompter;  // a missing file is not looked for elsewhere
    DriveData data;
    if (DriveLoader::load(folders, selection, messages, prompter, data) != DriveLoader::Result::Loaded) {
        *error = QStringLiteral("cannot load the definition or capacity file of %1:%2:%3").arg(type, form, cpuVersion);
        return false;
    }
    SimDriveData d;
    d.typeName = type;
    d.formName = form;
    d.cpuVersion = cpuVersion;
    fillIdentity(catalog, &d);
    fillParameters(data, &d);
    fillMonitorItems(IniFile(folders.infoFile, CodePages::forPrefix(languagePrefix)), languagePrefix, &d);
    *out = std::move(d);
    return true;
}

}  // namespace SimDataLoader
