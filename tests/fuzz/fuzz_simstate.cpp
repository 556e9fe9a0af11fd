// Arbitrary bytes as the simulator's command line and its state file: the text before the
// first NUL byte gives the options, one per line; the rest is the state file, whose values
// are looked up for every section it holds and then written once. Nothing may crash or read
// out of range.
#include "FuzzFile.h"
#include "base/IniFile.h"
#include "drivesim/SimOptions.h"
#include "drivesim/SimStateFile.h"

#include <cstddef>
#include <cstdint>

namespace {

void options(const QByteArray &text)
{
    QStringList arguments{QStringLiteral("vkr-drive-sim")};
    for (const QByteArray &line : text.split('\n'))
        arguments.append(QString::fromUtf8(line));
    SimOptions parsed;
    QString error;
    SimOptions::parse(arguments, &parsed, &error);
}

void state(const QByteArray &bytes)
{
    const QString path = FuzzFile::write(QStringLiteral("state.ini"), bytes);
    const IniFile ini(path);
    SimStateFile file(path);
    for (const QString &section : ini.sections()) {
        const int number = section.mid(9).toInt();
        const QString label = ini.readString(section, QStringLiteral("Drive"));
        for (const QString &key : ini.keys(section))
            file.value(number, label, key);
    }
    file.store(3, QStringLiteral("KDA1:-2004P:V100"), QStringLiteral("0009"), -1);
    file.value(3, QStringLiteral("KDA1:-2004P:V100"), QStringLiteral("0009"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(bytes), qsizetype(size));
    const qsizetype nul = input.indexOf('\0');
    options(nul < 0 ? input : input.left(nul));
    state(nul < 0 ? QByteArray() : input.mid(nul + 1));
    return 0;
}
