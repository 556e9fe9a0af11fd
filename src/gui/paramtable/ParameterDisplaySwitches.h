#pragma once

#include <utility>
#include <vector>

class Session;
class TParameter;

// The parameter table's display switches ('Changed' Only, Current / Voltage, Quick, Blind,
// All Parameters) and the commands on the marked rows (Select, Select Clear, Hex., Dec.,
// Shipment): each keeps the other pop-up items enabled or checked as its display allows,
// then refills the grid.
class ParameterDisplaySwitches
{
public:
    ParameterDisplaySwitches(TParameter &table, Session &session);

    /// Pop-up item and the handler its click runs.
    static const std::vector<std::pair<const char *, void (ParameterDisplaySwitches::*)()>> &handlers();

    void PopChgDispClick();
    void PopCVDispClick();
    void PopQuickClick();
    void PopSlctClick();
    void PopSlctUnlockClick();
    void PopBlindClick();
    void PopDispClick();
    void PopHexDispClick();
    void PopDecDispClick();
    void PopDefClick();

private:
    void setHexDecEnabled();

    TParameter &m_table;
    Session &m_session;
};
