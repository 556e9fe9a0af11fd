#pragma once

#include "model/DefinitionParser.h"
#include "model/DriveData.h"

#include <QStringList>

// Definition lines for tests: the seventeen fields of one parameter with the usual
// defaults for the columns a test does not care about.
struct Def {
    QString comNo;
    QString dIndex = QStringLiteral("0");
    QString def = QStringLiteral("0");
    QString hIndex = QStringLiteral("0");
    QString high = QStringLiteral("9999");
    QString lIndex = QStringLiteral("0");
    QString low = QStringLiteral("0");
    QString tMul = QStringLiteral("#");
    QString mul = QStringLiteral("1");
    QString byte = QStringLiteral("2");

    QString line() const
    {
        return QStringList{comNo, dIndex, def, QStringLiteral("F") + comNo, QStringLiteral("\"Name ") + comNo + '"',
                           QStringLiteral("Hz"), byte, QStringLiteral("0"), hIndex, high, lIndex, low, tMul, mul,
                           QStringLiteral("RAM"), QStringLiteral("1"), QStringLiteral("0")}
            .join(QLatin1Char(','));
    }
};

inline void loadDefs(DriveData &data, const QList<Def> &defs, const QString &disp = QStringLiteral("0*"))
{
    QStringList lines;
    for (const Def &d : defs)
        lines.append(d.line());
    DefinitionParser::parseDefinitions(lines, disp, data);
}
