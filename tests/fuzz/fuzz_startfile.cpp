// Arbitrary bytes as the parameter file named on the command line: the header checks of the
// start (extension, mark, language in any case), the header fields in both code pages, and
// the check of the named drive against a small catalogue. Nothing may crash or read out of
// range.
#include "FuzzFile.h"
#include "app/InverterCatalog.h"
#include "app/StartFile.h"
#include "files/ParameterFile.h"

#include <cstddef>
#include <cstdint>

namespace {

const InverterCatalog &catalog()
{
    static const InverterCatalog c = [] {
        FuzzFile::touch(QStringLiteral("dat/KDA1(V100)/KDA1-2004P.cap"));
        InverterCatalog scanned;
        scanned.scan(FuzzFile::folder() + QStringLiteral("/dat"), FuzzFile::folder() + QStringLiteral("/dat/Inverter.ini"));
        return scanned;
    }();
    return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    static const QStringList languages{QStringLiteral("Japanese"), QStringLiteral("English")};
    const QByteArray input(reinterpret_cast<const char *>(bytes), qsizetype(size));
    const StartFile file = StartFile::read(FuzzFile::write(QStringLiteral("start.VKR"), input), languages);
    StartFile::errorCaption(file.error);
    if (file.error == StartFile::Error::None) {
        catalog().knows(file.typeName, file.cpuVersion, file.formName);
        ParameterFile::parseHeader(file.lines);
        ParameterFile::specialSetupMessage(file.lines);
    }
    StartFile::read(FuzzFile::write(QStringLiteral("start.vkr.bak"), input), languages);
    return 0;
}
