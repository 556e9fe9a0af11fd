// Arbitrary bytes as a configuration file, read into a small drive as "Open" reads it with
// every answer to the questions; then the set is written back as a configuration file and
// that is checked again: nothing may crash or read out of range, and the written file must
// always be sound.
#include "app/DriveSelection.h"
#include "app/InverterCatalog.h"
#include "app/MessageTable.h"
#include "base/ScriptedPrompter.h"
#include "files/ConfigFile.h"
#include "files/ConfigFileOpen.h"
#include "model/DefinitionParser.h"
#include "model/DriveData.h"
#include "model/ModelInfo.h"
#include "model/ParameterValues.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

DriveData drive()
{
    const QStringList definitions{
        QStringLiteral("0001,0,0,\"Auto\",AU1,-,2,0,0,2,0,0,#,1,,0,0"),
        QStringLiteral("0099,0,2,\"Series\",SErC,-,2,0,0,99,0,0,#,1,,1,0"),
        QStringLiteral("0405,0,40,\"Cap\",CAP,-,2,0,0,100,0,0,#,1,,0,0"),
        QStringLiteral("0998,0,1,\"Region\",SUP1,-,2,0,0,3,0,0,#,1,,1,0"),
        QStringLiteral("0999,0,2,\"App\",SUP2,-,2,0,0,9,0,0,#,1,,1,0"),
        QStringLiteral("A005,0,0,\"Out\",A005,-,2,0,0,31,0,0,#,1,,0,0"),
        QStringLiteral("C002,0,0,\"Com\",C002,-,2,0,0,99999,0,0,#,1,,0,0"),
        QStringLiteral("FB72,0,5,\"Variant\",FB72,-,2,0,0,255,0,0,#,1,,1,0"),
    };
    DriveData data;
    DefinitionParser::parseDefinitions(definitions, QStringLiteral("0*"), data);
    DefinitionParser::parseCapacities({QStringLiteral("0405,40")}, data);
    DefinitionParser::applyModelInfo(ModelInfo(), data);
    MessageTable messages;
    ScriptedPrompter prompter;
    ParameterValues(data, messages, prompter).SetUpValues();
    data.lastShownIndex = data.lastIndex;
    return data;
}

const InverterCatalog &catalog()
{
    static QTemporaryDir dir;
    static InverterCatalog c;
    static bool made = false;
    if (!made) {
        IniFile ini(dir.filePath(QStringLiteral("Inverter.ini")));
        ini.writeString(QStringLiteral("Type"), QStringLiteral("KDC3"), QStringLiteral("52"));
        ini.writeString(QStringLiteral("KDC3"), QStringLiteral("-4110P"), QStringLiteral("41"));
        ini.writeString(QStringLiteral("Type_Ident_52"), QStringLiteral("Ident"), QStringLiteral("0099"));
        ini.writeString(QStringLiteral("Type_Ident_52"), QStringLiteral("Typ_2"), QStringLiteral("KDC3"));
        c.scan(dir.path(), ini.path());
        made = true;
    }
    return c;
}

void exercise(const QByteArray &bytes, Prompter::Answer answer)
{
    static const DriveData loaded = drive();
    DriveData data = loaded;
    DriveSelection selection;
    selection.typeName = QStringLiteral("KDC3");
    selection.formName = QStringLiteral("-4110P");
    selection.cpuVersion = QStringLiteral("V200");
    selection.typeNumber = QStringLiteral("52");
    selection.formNumber = QStringLiteral("41");
    selection.cpuNumber = QStringLiteral("200");
    MessageTable messages;
    ScriptedPrompter prompter;
    prompter.defaultAnswer = answer;
    prompter.fitAnswers = true;
    ConfigFileOpen open(data, selection, messages, catalog(), prompter);
    open.open(bytes);
    const QByteArray written = ConfigFile::build(data, selection, QStringLiteral("-"));
    if (ConfigFile::check(written).integrity != ConfigFile::Integrity::Sound)
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes), qsizetype(size));
    for (Prompter::Answer a : {Prompter::Answer::Yes, Prompter::Answer::No, Prompter::Answer::Cancel})
        exercise(input, a);
    return 0;
}
