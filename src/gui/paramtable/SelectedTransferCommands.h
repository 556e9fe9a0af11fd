#pragma once

#include <QObject>
#include <functional>

class CommExchange;
class ParameterEditor;
class Prompter;
class SelectedTransfer;
class Session;
class TParameter;

// "Selected Parameter Import" (F3) and "Selected Parameter Export" (F2) of the parameter
// table: the marked rows, or the value being typed, read from or written to the drive, the
// grid cells following each row. Nothing happens until the line is given.
class SelectedTransferCommands : public QObject
{
    Q_OBJECT

public:
    SelectedTransferCommands(TParameter &table, Session &session, Prompter &prompter, ParameterEditor &editor);

    /// The exchange of the line and its connection check (true when a drive answered).
    void setLine(CommExchange *exchange, std::function<bool()> connectionCheck);

    void PopDownLoadClick();
    /// ExportTyped while a value is being typed, else ExportMarked.
    void PopUpLoadClick();

    void ImportMarked();
    void ExportTyped();
    void ExportMarked();

private:
    SelectedTransfer transfer() const;
    void showRow(int gridRow, int index, const QString &value, int changed);

    TParameter &m_table;
    Session &m_session;
    Prompter &m_prompter;
    ParameterEditor &m_editor;
    CommExchange *m_exchange = nullptr;
    std::function<bool()> m_connectionCheck;
};
