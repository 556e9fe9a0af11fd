#pragma once

#include "comm/CommLogBuffer.h"
#include "comm/LineTrace.h"

#include <QDockWidget>
#include <QTimer>

class QPlainTextEdit;
class QPushButton;
class Prompter;
class Session;

// View > "Communication Log": the main window's floating dock that shows every frame on the
// line as it goes, with the hints, and saves the log to a file. The log is kept (bounded)
// whether or not the dock is shown, so it can be saved or reported later.
class CommLogDock : public QDockWidget
{
    Q_OBJECT

public:
    CommLogDock(Session &session, Prompter &prompter, QWidget *parent);

    /// The log to attach to the line's port.
    LineTrace *trace() { return &m_trace; }
    const CommLogBuffer &buffer() const { return m_buffer; }
    /// Shows the dock below `frame` (the main window's frame) or hides it.
    void toggle(const QRect &frame);
    /// Asks for a file and writes the log to it; false when cancelled or the write failed.
    bool SaveClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void lineAdded(const QString &line);
    void refresh();
    void ClearClick();

    Session &m_session;
    Prompter &m_prompter;
    CommLogBuffer m_buffer;
    LineTrace m_trace;
    QPlainTextEdit *m_view = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_clear = nullptr;
    QTimer m_refresh;
    qint64 m_shown = 0;  // lines of the buffer already in the view
    bool m_placed = false;
};
