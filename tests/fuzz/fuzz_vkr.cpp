// Arbitrary bytes as a parameter data file, in both code pages, read into a small drive as
// "Open" and the start with a file read it, with every answer to the questions; then the set
// is written back and its header read again: nothing may crash or read out of range.
#include "app/DriveSelection.h"
#include "app/MessageTable.h"
#include "base/CodePage.h"
#include "base/ScriptedPrompter.h"
#include "base/TextFile.h"
#include "files/ParameterFile.h"
#include "files/ParameterFileOpen.h"
#include "model/DefinitionParser.h"
#include "model/DriveData.h"
#include "model/ModelInfo.h"
#include "model/ParameterValues.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

DriveData drive()
{
    const QStringList definitions{
        QStringLiteral("0009,1,F010,\"Acc\",ACC,s,2,0,0,36000,0,1,#.#,10,,0,1"),
        QStringLiteral("0011,0,8000,\"Max\",FH,Hz,2,0,0,50000,0,3000,#.##,100,,0,1"),
        QStringLiteral("0405,0,40,\"Cap\",CAP,-,2,0,0,100,0,0,#,1,,0,0"),
        QStringLiteral("0998,0,1,\"Region\",SUP1,-,2,0,0,3,0,0,#,1,,1,0"),
        QStringLiteral("0999,0,2,\"App\",SUP2,-,2,0,0,9,0,0,#,1,,1,0"),
        QStringLiteral("F010,0,100,\"Base\",BAS,-,2,0,0,1000,0,0,#,1,,2,0"),
    };
    DriveData data;
    DefinitionParser::parseDefinitions(definitions, QStringLiteral("0*"), data);
    DefinitionParser::parseCapacities({QStringLiteral("0405,40"), QStringLiteral("F010,100")}, data);
    DefinitionParser::applyModelInfo(ModelInfo(), data);
    MessageTable messages;
    ScriptedPrompter prompter;
    ParameterValues(data, messages, prompter).SetUpValues();
    data.lastShownIndex = data.lastIndex;
    return data;
}

void exercise(const QStringList &lines, Prompter::Answer answer)
{
    static const DriveData loaded = drive();
    DriveData data = loaded;
    DriveSelection selection;
    selection.typeName = QStringLiteral("KDA1");
    selection.formName = QStringLiteral("-2004P");
    selection.cpuVersion = QStringLiteral("V100");
    MessageTable messages;
    ScriptedPrompter prompter;
    prompter.defaultAnswer = answer;
    prompter.fitAnswers = true;
    ParameterFileOpen open(data, selection, messages, prompter);
    open.open(lines);
    const ParameterFile &h = open.header();
    const QStringList written = ParameterFile::build(data, selection, h.comment, h.blindMode, h.blindCount, false);
    ParameterFile::parseHeader(written);
    open.openAtStart(lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes), qsizetype(size));
    for (CodePage page : {CodePage::Windows1252, CodePage::ShiftJis}) {
        const QStringList lines = TextFile::splitLines(CodePages::decode(input, page));
        for (Prompter::Answer a : {Prompter::Answer::Yes, Prompter::Answer::No, Prompter::Answer::Cancel})
            exercise(lines, a);
    }
    return 0;
}
