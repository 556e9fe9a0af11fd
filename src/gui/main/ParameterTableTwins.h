#pragma once

#include <QObject>
#include <QStringList>

class TMain;
class TParameter;

// Keeps the main window's twins of the parameter table's commands (the "Parameter" menu
// items with the suffix 2 and their tool buttons) in the table's checked and enabled state,
// runs the table's command when a twin is chosen, and shows or hides the twins with the
// table window.
class ParameterTableTwins : public QObject
{
    Q_OBJECT

public:
    ParameterTableTwins(TMain &main, TParameter &table);

    /// The main-window items that run a table command.
    static QStringList twinNames();

private:
    void sync(const QString &component, int enabled, int checked);
    void tableShown();
    void tableClosed();
    void setTwinsVisible(bool visible);

    TMain &m_main;
    TParameter &m_table;
};
