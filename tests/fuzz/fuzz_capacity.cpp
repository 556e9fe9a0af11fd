// Arbitrary bytes as a capacity file on its own, in both code pages, over a fixed definition
// table whose factory values and limits refer to capacity parameters: the capacity lists, the
// factory values resolved through them and the conversions of every row. Nothing may crash or
// read out of range.
#include "app/MessageTable.h"
#include "base/CodePage.h"
#include "base/ScriptedPrompter.h"
#include "base/TextFile.h"
#include "model/DefinitionParser.h"
#include "model/DriveData.h"
#include "model/ModelInfo.h"
#include "model/ParameterValues.h"
#include "model/ValueConversion.h"

#include <cstddef>
#include <cstdint>

namespace {

DriveData definitions()
{
    const QStringList lines{
        QStringLiteral("0009,1,F010,\"Acc\",ACC,s,2,0,0,36000,0,1,#.#,10,,0,1"),
        QStringLiteral("0011,0,8000,\"Max\",FH,Hz,2,0,0,50000,0,3000,#.##,100,,0,1"),
        QStringLiteral("0012,0,6000,\"Upper\",UL,Hz,2,0,1,0011,0,0,#.##,100,,0,1"),
        QStringLiteral("0405,0,40,\"Cap\",CAP,-,2,0,0,100,0,0,#,1,,0,0"),
        QStringLiteral("0406,0,0,\"Wide\",WID,-,4,1,0,100000,0,-100000,#,1,,0,0"),
        QStringLiteral("F010,0,100,\"Base\",BAS,-,2,0,0,1000,0,0,#,1,,2,0"),
    };
    DriveData data;
    DefinitionParser::parseDefinitions(lines, QStringLiteral("0*"), data);
    return data;
}

void exercise(const QStringList &lines)
{
    static const DriveData defined = definitions();
    DriveData data = defined;
    DefinitionParser::parseCapacities(lines, data);
    DefinitionParser::applyModelInfo(ModelInfo(), data);
    MessageTable messages;
    ScriptedPrompter prompter;
    ParameterValues values(data, messages, prompter);
    values.SetUpValues();
    ValueConversion conv(data);
    for (int i = 0; i <= data.lastIndex; ++i) {
        const QString &raw = data.uPara.at(i, UPara::Value);
        conv.ValueText(raw, i);
        conv.LimitText(data.uPara.at(i, UPara::HValue), i);
        values.ClampToLimits(raw, i);
        values.RefreshLinkedLimits(i);
        values.FactoryValueOf(data.paraDat.at(i, ParaDat::Default));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes), qsizetype(size));
    for (CodePage page : {CodePage::Windows1252, CodePage::ShiftJis})
        exercise(TextFile::splitLines(CodePages::decode(input, page)));
    return 0;
}
