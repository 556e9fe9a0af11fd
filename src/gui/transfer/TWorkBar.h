#pragma once

#include "base/Prompter.h"
#include "transfer/TransferMode.h"
#include "transfer/TransferOptions.h"

#include <QDialog>
#include <functional>
#include <memory>

class CommExchange;
class DriveData;
class QLabel;
class QProgressBar;
class QPushButton;
class TransferRun;
struct TransferTexts;

// The transfer window: a status label, a second label, a progress bar and Start, Cancel and
// OK. Start runs the whole import, export or comparison on this thread, letting events run
// after every parameter so the window repaints and Cancel arrives; Cancel during the run ends
// it before the next parameter as an Abort in an error box would.
class TWorkBar : public QDialog
{
    Q_OBJECT

public:
    TWorkBar(TransferMode mode, DriveData &data, CommExchange &exchange, Prompter &prompter,
             const TransferTexts &texts, const TransferOptions &options, int lastIndex, const QString &typeName,
             QWidget *parent = nullptr);
    ~TWorkBar() override;

    /// Called on Start with the new run before it begins; false closes the window with
    /// nothing transferred (the snapshot taken before an export writes).
    std::function<bool(TransferRun &run)> beforeStart;

    /// The run of the last Start (nullptr before). TransferRan is ran().
    TransferRun *run() const { return m_run.get(); }
    bool ran() const { return m_run != nullptr; }
    bool running() const { return m_running; }

    QLabel *statusLabel() const { return m_status; }
    QLabel *secondLabel() const { return m_second; }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *startButton() const { return m_start; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *okButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private slots:
    void StBtnClick();
    void CancelClick();

private:
    // Passes boxes to the window's prompter and lets this window's events run between
    // parameters, whatever prompter the application uses.
    class Pumping : public Prompter
    {
    public:
        explicit Pumping(Prompter &inner) : m_inner(inner) {}
        Answer message(const QString &t, const QString &c, Icon i, Buttons b) override { return m_inner.message(t, c, i, b); }
        QString chooseFile(const QString &t, const QString &f, const QString &x, int i) override
        {
            return m_inner.chooseFile(t, f, x, i);
        }
        void pump() override;

    private:
        Prompter &m_inner;
    };

    void FormShow();
    void finished();

    TransferMode m_mode;
    DriveData &m_data;
    CommExchange &m_exchange;
    Pumping m_prompter;
    const TransferTexts &m_texts;
    TransferOptions m_options;
    int m_lastIndex;
    QString m_typeName;
    std::unique_ptr<TransferRun> m_run;
    bool m_running = false;
    QLabel *m_status = nullptr;
    QLabel *m_second = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_ok = nullptr;
};
