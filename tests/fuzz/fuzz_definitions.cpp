// Arbitrary bytes as a definition file and as a capacity file, in both code pages, through
// the same parsing the loader runs, then the factory values and every conversion of every
// row: nothing may crash or read out of range.
#include "app/MessageTable.h"
#include "base/CodePage.h"
#include "base/ScriptedPrompter.h"
#include "base/TextFile.h"
#include "model/DefinitionParser.h"
#include "model/DriveData.h"
#include "model/ModelInfo.h"
#include "model/ParameterValues.h"
#include "model/SplitFields.h"
#include "model/ValueConversion.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

void exercise(const QByteArray &bytes, CodePage page)
{
    const QString text = CodePages::decode(bytes, page);
    const QStringList lines = TextFile::splitLines(text);
    for (const QString &line : lines)
        SplitFields(line);

    // One holder for every input: a fresh one would allocate and release the room reserved
    // for 3000 rows each time, which costs far more than parsing a small input.
    static DriveData data;
    data.clear();
    data.cvDisplay = false;
    data.limitClamped = false;
    data.decimalComma = false;
    DefinitionParser::parseDefinitions(lines, QStringLiteral("0*"), data);
    // The same bytes as the capacity file: the second half of the lines.
    DefinitionParser::parseCapacities(lines.mid(lines.size() / 2), data);
    DefinitionParser::applyModelInfo(ModelInfo(), data);

    MessageTable messages;
    ScriptedPrompter prompter;
    ParameterValues values(data, messages, prompter);
    values.SetUpValues();
    ValueConversion conv(data);
    data.currentBase = 20;
    data.voltageBase = 0;
    for (int i = 0; i <= data.lastIndex && i < 64; ++i) {
        const QString &raw = data.uPara.at(i, UPara::Value);
        conv.ValueText(raw, i);
        conv.LimitText(data.uPara.at(i, UPara::LValue), i);
        conv.CVText(raw, i);
        conv.CVUnitText(i);
        conv.EntryToRaw(data.paraDat.at(i, ParaDat::Default), i);
        conv.RawToValueText(0xFFFF8000u, i);
        values.ClampToLimits(raw, i);
        values.RefreshLinkedLimits(i);
        values.MarkChanged(data.paraDat.at(i, ParaDat::ComNo), 0);
        values.IntValueOfComNo(data.paraDat.at(i, ParaDat::High));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes), qsizetype(size));
    exercise(input, CodePage::Windows1252);
    exercise(input, CodePage::ShiftJis);
    return 0;
}
