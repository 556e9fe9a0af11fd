#pragma once

#include "report/ReportDocument.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

class LanguageFile;
class MessageTable;
class Prompter;
class QComboBox;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

// "Preview and Print": the pages of a laid-out report at a chosen zoom, paging with "<" and
// ">", and printing on the printer the print dialog gives (a PDF file where there is no
// paper printer). The report is drawn by the same painter as a PDF file.
class TPrintWindow : public QWidget
{
    Q_OBJECT

public:
    TPrintWindow(const LanguageFile &language, const MessageTable &messages, Prompter &prompter,
                 QPrinter &printer, QWidget *parent = nullptr);
    ~TPrintWindow() override;

    /// Shows the window with the report's first page.
    void showReport(const ReportDocument &doc, const QImage &picture = QImage());
    const ReportDocument &document() const { return m_doc; }
    QPrintPreviewWidget *preview() const { return m_preview; }
    int currentPage() const;
    int pageCount() const;
    /// The zoom in percent the preview shows.
    int zoom() const { return m_lastZoom; }

    /// Asks for the printer before printing; the print dialog unless replaced (tests).
    std::function<bool(QPrinter &)> choosePrinter;

public slots:
    void Button2Click();  // "Print"
    void BackClick();
    void NextClick();

signals:
    void activated();
    void closed();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void paintPages(QPrinter *printer);
    void ComboBox1Change(const QString &text);
    void showPageNumbers();

private:
    void createControls();
    void applyTexts();
    /// Checks the typed zoom as leaving the list does; false when it was refused.
    bool checkZoom();

    const LanguageFile &m_language;
    const MessageTable &m_messages;
    Prompter &m_prompter;
    QPrinter &m_printer;
    ReportDocument m_doc;
    QImage m_picture;
    QPrintPreviewWidget *m_preview = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QPushButton *Back = nullptr, *Next = nullptr, *Button2 = nullptr, *Button3 = nullptr;
    int m_lastZoom = 100;
    bool m_checking = false;
    bool m_shownOnce = false;
};
