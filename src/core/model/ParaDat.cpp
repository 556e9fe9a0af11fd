#include "ParaDat.h"

ParaDat::ParaDat()
    : TextTable(ColumnCount)
{
    reserve(ReservedRows);
    setRowCount(1);
    writeTitles();
}

const QStringList &ParaDat::titles()
{
    static const QStringList names = {
        QStringLiteral("ComNo"), QStringLiteral("DIndex"), QStringLiteral("Default"),
        QStringLiteral("FName"), QStringLiteral("FTitle"), QStringLiteral("Unit"),
        QStringLiteral("Byte"),  QStringLiteral("Sign"),   QStringLiteral("HIndex"),
        QStringLiteral("High"),  QStringLiteral("LIndex"), QStringLiteral("Low"),
        QStringLiteral("TMul"),  QStringLiteral("Mul"),    QStringLiteral("Memory"),
        QStringLiteral("Flag"),  QStringLiteral("Quick"),  QStringLiteral("Current/VoltIndex"),
        QStringLiteral("No"),
    };
    return names;
}

void ParaDat::writeTitles()
{
    if (rowCount() < 1)
        setRowCount(1);
    for (int c = 0; c < ColumnCount; ++c)
        setCell(0, c, titles().at(c));
}
