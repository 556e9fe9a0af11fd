#include "ParameterDisplaySwitches.h"

#include "GridMarks.h"
#include "ParameterGridModel.h"
#include "TParameter.h"
#include "app/Session.h"

#include <QTableView>

ParameterDisplaySwitches::ParameterDisplaySwitches(TParameter &table, Session &session)
    : m_table(table)
    , m_session(session)
{
}

const std::vector<std::pair<const char *, void (ParameterDisplaySwitches::*)()>> &ParameterDisplaySwitches::handlers()
{
    using S = ParameterDisplaySwitches;
    static const std::vector<std::pair<const char *, void (S::*)()>> list{
        {"PopChgDisp", &S::PopChgDispClick}, {"PopCVDisp", &S::PopCVDispClick},
        {"PopQuick", &S::PopQuickClick},     {"PopSlct", &S::PopSlctClick},
        {"PopSlctUnlock", &S::PopSlctUnlockClick}, {"PopBlind", &S::PopBlindClick},
        {"PopDisp", &S::PopDispClick},       {"PopHexDisp", &S::PopHexDispClick},
        {"PopDecDisp", &S::PopDecDispClick}, {"PopDef", &S::PopDefClick},
    };
    return list;
}

void ParameterDisplaySwitches::PopChgDispClick()
{
    DriveData &d = m_session.data;
    if (m_table.checked("PopChgDisp")) {
        m_table.setItem("PopChgDisp", -1, 0);
        m_table.setItem("PopQuick", 1);
        m_table.setItem("PopBlind", 1);
        m_table.setItem("PopFind", 1);
        m_table.setItem("PopDisp", 0);
    } else {
        m_table.ChangedCount = 0;
        for (int i = 0; i <= qMin(d.lastShownIndex, d.lastIndex); ++i)
            m_table.ChangedCount += d.uPara.flag(i, UPara::ChangeIndex) ? 1 : 0;
        if (m_table.ChangedCount == 0) {
            m_table.warn(43);
            return;
        }
        m_table.setItem("PopChgDisp", -1, 1);
        m_table.setItem("PopQuick", 0);
        m_table.setItem("PopBlind", 0);
        m_table.setItem("PopFind", 0);
        m_table.setItem("PopDisp", 1);
    }
    m_table.FillGrid();
}

void ParameterDisplaySwitches::setHexDecEnabled()
{
    const int on = m_session.data.cvDisplay ? 0 : 1;
    m_table.setItem("PopHexDisp", on);
    m_table.setItem("PopDecDisp", on);
}

void ParameterDisplaySwitches::PopCVDispClick()
{
    m_session.data.cvDisplay = !m_table.checked("PopCVDisp");
    m_table.setItem("PopCVDisp", -1, m_session.data.cvDisplay ? 1 : 0);
    setHexDecEnabled();
    m_table.FillGrid();
}

void ParameterDisplaySwitches::PopQuickClick()
{
    const bool on = !m_table.checked("PopQuick");
    m_table.setItem("PopQuick", -1, on ? 1 : 0);
    for (const char *name : {"PopChgDisp", "PopSlct", "PopSlctUnlock", "PopBlind", "PopFind"})
        m_table.setItem(name, on ? 0 : 1);
    m_table.FillGrid();
}

void ParameterDisplaySwitches::PopSlctClick()
{
    m_table.m_marks->toggleSelect();
}

void ParameterDisplaySwitches::PopSlctUnlockClick()
{
    DriveData &d = m_session.data;
    for (int i = 0; i <= qMin(d.lastShownIndex, d.lastIndex); ++i)
        d.uPara.setFlag(i, UPara::SelectIndex, false);
    m_table.model().redraw();
}

void ParameterDisplaySwitches::PopBlindClick()
{
    m_table.MarkSelection();
    DriveData &d = m_session.data;
    const int last = qMin(d.lastShownIndex, d.lastIndex);
    int count = 0;
    for (int i = 0; i <= last; ++i) {
        if (d.uPara.flag(i, UPara::SelectIndex)) {
            d.uPara.setFlag(i, UPara::BlindIndex, true);
            ++count;
        }
    }
    if (count == 0) {
        m_table.warn(44);
        return;
    }
    if (count == last + 1) {
        m_table.warn(47);
        return;
    }
    m_table.setItem("PopChgDisp", 0);
    m_table.setItem("PopQuick", 0);
    m_table.setItem("PopBlind", -1, 1);
    m_table.setItem("PopDisp", 1);
    m_session.blindMode = true;
    m_session.blindCount = count;
    m_table.FillGrid();
    m_table.BuildFindList();
}

void ParameterDisplaySwitches::PopDispClick()
{
    m_table.setItem("PopChgDisp", 1, 0);
    m_table.setItem("PopBlind", 1, 0);
    m_table.setItem("PopQuick", 1);
    DriveData &d = m_session.data;
    for (int i = 0; i <= qMin(d.lastShownIndex, d.lastIndex); ++i)
        d.uPara.setFlag(i, UPara::BlindIndex, false);
    m_session.blindMode = false;
    m_session.blindCount = 0;
    m_table.setItem("PopDisp", 0);
    m_table.setItem("PopFind", 1);
    m_table.FillGrid();
    m_table.BuildFindList();
    m_table.StringGrid1()->setFocus();
}

void ParameterDisplaySwitches::PopHexDispClick()
{
    m_table.resetSearchCursor();
    m_table.m_marks->hex(m_table.CurrentRow, m_table.filterOn());
}

void ParameterDisplaySwitches::PopDecDispClick()
{
    m_table.resetSearchCursor();
    m_table.m_marks->dec(m_table.CurrentRow, m_table.filterOn());
}

void ParameterDisplaySwitches::PopDefClick()
{
    m_table.resetSearchCursor();
    m_table.m_marks->shipment(m_table.CurrentRow, m_table.filterOn());
}
