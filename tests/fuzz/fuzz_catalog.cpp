// Arbitrary bytes as the catalogue Inverter.ini beside a small data folder: every type named
// by the folders or by the file is looked up for its CPU versions, forms, numbers and
// identification, and checked against the folders. Names from the file never leave the data
// folder; nothing may crash or read out of range.
#include "FuzzFile.h"
#include "app/InverterCatalog.h"
#include "base/IniFile.h"

#include <cstddef>
#include <cstdint>

namespace {

QString dataFolder()
{
    static const QString path = [] {
        for (const char *file : {"dat/KDA1(V100)/KDA1-2004P.cap", "dat/KDA1(V100)/KDA1-4015P.cap",
                                 "dat/KDA1(V110)/KDA1-2004P.cap", "dat/KDB2(V820)/KDB2-4037P.cap"})
            FuzzFile::touch(QString::fromLatin1(file));
        return FuzzFile::folder() + QStringLiteral("/dat");
    }();
    return path;
}

void lookUp(const InverterCatalog &c, const QString &type, const QString &number)
{
    c.typeNumber(type);
    c.freqCommNo(type);
    c.cpu2Code(type);
    for (const QString &cpu : c.cpuVersions(type)) {
        for (const QString &form : c.forms(type, cpu)) {
            c.formNumber(type, form);
            c.cpuVersionFormNumber(type, cpu, form);
            c.knows(type, cpu, form);
        }
    }
    c.cpuNumbers(type);
    c.knows(type, QStringLiteral("V100"), QStringLiteral("-2004P"));
    c.typeIdentNumber(number);
    c.typeIdentName(number, QStringLiteral("1"));
    c.typeNameOfNumber(number);
    c.formNameOfNumber(type, number);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QString folder = dataFolder();
    const QString ini = FuzzFile::write(QStringLiteral("dat/Inverter.ini"),
                                        QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size)));
    InverterCatalog c;
    c.scan(folder, ini);
    c.typeCount();
    for (const QString &type : c.types())
        lookUp(c, type, c.typeNumber(type));
    // Type names and numbers as the file gives them, whatever they look like.
    const IniFile file(ini);
    for (const QString &type : file.keys(QStringLiteral("Type")))
        lookUp(c, type, file.readString(QStringLiteral("Type"), type));
    return 0;
}
