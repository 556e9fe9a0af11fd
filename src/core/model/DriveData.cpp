#include "DriveData.h"

void DriveData::rebuildComNoList()
{
    QStringList comNos;
    comNos.reserve(parameterCount());
    for (int i = 0; i <= lastIndex; ++i)
        comNos.append(paraDat.at(i, ParaDat::ComNo));
    m_comNoList.build(comNos);
}

void DriveData::clear()
{
    paraDat.setRowCount(1);
    paraDat.writeTitles();
    uPara.setRowCount(1);
    uPara.writeTitles();
    lastIndex = -1;
    lastUserIndex = -1;
    lastShownIndex = -1;
    capPara.clear();
    capParaR.clear();
    listBuff.clear();
    m_comNoList.clear();
    undoRedo.clear();
}
