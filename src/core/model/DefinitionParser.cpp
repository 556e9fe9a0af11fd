#include "DefinitionParser.h"

#include "DriveData.h"
#include "SplitFields.h"
#include "ModelInfo.h"

#include <QSet>

namespace DefinitionParser {

namespace {

constexpr int MinLineLength = 7;
constexpr int LastFieldColumnOfLongLine = ParaDat::Quick;

// One definition line into the empty row `index`+1. Fields followed by a comma fill the columns in
// order; the last field is "Quick" on a line of seventeen or more fields, else "Flag" with
// "Quick" = "0". Missing or empty "TMul", "Mul" and "Memory" get their defaults, so that a
// short line never leaves a divisor empty.
void fillRow(ParaDat &table, int index, const QStringList &fields)
{
    const int row = index + 1;
    const int commas = int(fields.size()) - 1;
    for (int k = 0; k < commas && k <= LastFieldColumnOfLongLine; ++k)
        table.setCell(row, k, fields.at(k));
    if (commas >= 16) {
        table.setCell(row, ParaDat::Quick, fields.last());
    } else {
        table.setCell(row, ParaDat::Flag, fields.last());
        table.setCell(row, ParaDat::Quick, QStringLiteral("0"));
    }
    const struct {
        ParaDat::Column column;
        const char *fallback;
    } defaults[] = {{ParaDat::TMul, "#"}, {ParaDat::Mul, "1"}, {ParaDat::Memory, "-"}};
    for (const auto &d : defaults) {
        if (table.cell(row, d.column).isEmpty())
            table.setCell(row, d.column, QString::fromLatin1(d.fallback));
    }
    table.setCell(row, ParaDat::No, QString::number(index));
}

}  // namespace

bool isUserParameter(const QString &comNo, const QString &disp)
{
    if (comNo.startsWith(QLatin1Char('0')))
        return true;
    return disp != QLatin1String("0*") && comNo.left(2) == disp;
}

void parseDefinitions(const QStringList &lines, const QString &disp, DriveData &data)
{
    ParaDat &table = data.paraDat;
    table.setRowCount(1);
    table.writeTitles();
    data.lastUserIndex = -1;
    int count = 0;
    for (const QString &line : lines) {
        if (line.size() < MinLineLength || count >= ParaDat::MaxParameters)
            break;
        table.setRowCount(count + 2);
        fillRow(table, count, SplitFields(line));
        if (isUserParameter(table.at(count, ParaDat::ComNo), disp))
            data.lastUserIndex = count;
        ++count;
    }
    data.lastIndex = count - 1;
    table.setRowCount(count + 1);
    data.rebuildComNoList();
}

void parseCapacities(const QStringList &lines, DriveData &data)
{
    data.capPara.clear();
    data.capParaR.clear();
    const int limit = data.parameterCount();
    for (int n = 0; n < lines.size() && n < limit; ++n) {
        const QString &line = lines.at(n);
        if (line.isEmpty())
            break;
        const QStringList fields = SplitFields(line);
        data.capPara.append(fields.first());
        const int index = data.IndexOfComNo(fields.first());
        if (index >= 0)
            data.paraDat.setAt(index, ParaDat::Default, fields.last());
    }
}

void applyModelInfo(const ModelInfo &info, DriveData &data)
{
    data.listBuff = info.dispCvKeys();
    QHash<QString, QString> kinds;
    for (const QString &key : std::as_const(data.listBuff)) {
        const QString lower = key.toLower();
        if (!kinds.contains(lower))
            kinds.insert(lower, info.dispCv(key));
    }
    const QSet<QString> capacity(data.capPara.cbegin(), data.capPara.cend());
    data.capParaR.clear();
    ParaDat &table = data.paraDat;
    for (int i = 0; i <= data.lastIndex; ++i) {
        const QString &comNo = table.at(i, ParaDat::ComNo);
        if (table.at(i, ParaDat::DIndex) == QLatin1String("1") && capacity.contains(table.at(i, ParaDat::Default)))
            data.capParaR.append(comNo);
        table.setAt(i, ParaDat::CurrentVoltIndex, kinds.value(comNo.toLower()));
    }
}

}  // namespace DefinitionParser
