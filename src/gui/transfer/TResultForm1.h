#pragma once

#include "base/CodePage.h"
#include "transfer/TransferMode.h"
#include "transfer/TransferReport.h"

#include <QDialog>

class Prompter;
class QCheckBox;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
struct TransferTexts;

// The result window of one transfer or information report: the report text without word
// wrap, Copy in its context menu, Print and Save.
class TResultForm1 : public QDialog
{
    Q_OBJECT

public:
    struct Setup {
        TransferMode mode = TransferMode::Import;
        QString appFolder;     // automatic saves and the save dialog's folder
        CodePage codePage = CodePage::Windows1252;
        bool saveAutomatic = false;  // "Save Comm./Comp. Result"
        bool printEnabled = false;   // the main window's Print command is enabled
    };

    TResultForm1(const TransferTexts &texts, Prompter &prompter, const Setup &setup, QWidget *parent = nullptr);

    void setReport(const TransferReport &report);
    /// Offers "Compare with factory values": checked, the window shows, prints and saves this
    /// report of every parameter's factory, table and drive value instead.
    void setThreeWayReport(const TransferReport &report);
    QCheckBox *compareFactoryBox() const { return m_compareFactory; }
    /// The report shown, printed and saved now.
    const TransferReport &shownReport() const;
    QPlainTextEdit *ResultDisp() const { return m_text; }
    QPushButton *printButton() const { return m_print; }
    /// Where the last save went (empty when nothing was written).
    QString savedPath() const { return m_savedPath; }

    /// Places the window below `mainFrame` (the main window's frame geometry).
    void placeBelow(const QRect &mainFrame);
    /// Prints the report as plain text.
    void printTo(QPrinter &printer);

public slots:
    void Button1Click();
    void Button2Click();
    void CopyClick();
    void CompareFactoryClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool writeTo(const QString &path);
    void saveFailed(const QString &error);

    const TransferTexts &m_texts;
    Prompter &m_prompter;
    Setup m_setup;
    TransferReport m_report;
    TransferReport m_threeWay;
    QString m_savedPath;
    QPlainTextEdit *m_text = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_save = nullptr;
    QCheckBox *m_compareFactory = nullptr;
};
