#include "UPara.h"

#include "ParaDat.h"

UPara::UPara()
    : TextTable(ColumnCount)
{
    reserve(ParaDat::ReservedRows);
    setRowCount(1);
    writeTitles();
}

const QStringList &UPara::titles()
{
    static const QStringList names = {
        QStringLiteral("Value"),      QStringLiteral("HValue"),         QStringLiteral("LValue"),
        QStringLiteral("ChangeIndex"), QStringLiteral("WriteIndex"),    QStringLiteral("HexIndex"),
        QStringLiteral("BlindIndex"),  QStringLiteral("SelectIndex"),   QStringLiteral("OneSelectIndex"),
        QStringLiteral("CommErrIndex"), QStringLiteral("No"),
    };
    return names;
}

void UPara::writeTitles()
{
    if (rowCount() < 1)
        setRowCount(1);
    for (int c = 0; c < ColumnCount; ++c)
        setCell(0, c, titles().at(c));
}

void UPara::setFlag(int index, Column column, bool on)
{
    setAt(index, column, on ? QStringLiteral("1") : QStringLiteral("0"));
}
