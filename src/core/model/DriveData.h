#pragma once

#include "ComNoList.h"
#include "ParaDat.h"
#include "UPara.h"
#include "UndoRedo.h"

#include <QString>
#include <QStringList>

// Everything known about the selected drive's parameters for the whole run: the definition
// and value tables, the look-up by communication number, the bounds of the shown parameters,
// the capacity lists and the display state the value conversions depend on. A load replaces
// the tables and lists completely.
class DriveData
{
public:
    ParaDat paraDat;
    UPara uPara;
    int lastIndex = -1;       // parameter index of the last ParaDat row
    int lastUserIndex = -1;   // last parameter shown outside maintenance mode
    int lastShownIndex = -1;  // last parameter the table shows and its commands walk over
    QStringList capPara;      // communication numbers listed in the capacity file, in file order
    QStringList capParaR;     // parameters whose factory value follows a capacity parameter
    QStringList listBuff;     // keys of Info.ini [Disp CV]: the current/voltage parameters
    double voltageBase = 0;   // rated voltage, volts
    double currentBase = 0;   // rated current, amperes
    bool cvDisplay = false;   // the "Current / Voltage" display is on
    bool limitClamped = false;
    bool decimalComma = false;
    UndoRedo undoRedo;        // values accepted in the table, to take back and re-apply

    /// Number of parameters loaded (LastIndex + 1).
    int parameterCount() const { return lastIndex + 1; }
    bool isIndex(int index) const { return index >= 0 && index <= lastIndex; }

    const ComNoList &comNoList() const { return m_comNoList; }
    /// Rebuilds ComNoList from the ComNo column of rows 1 to LastIndex+1.
    void rebuildComNoList();
    /// Parameter index of a communication number, or -1.
    int IndexOfComNo(QStringView comNo) const { return m_comNoList.indexOf(comNo); }

    /// Empties both tables (titles only), the counters and the capacity lists.
    void clear();

private:
    ComNoList m_comNoList;
};
