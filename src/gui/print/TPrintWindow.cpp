#include "TPrintWindow.h"

#include "ReportPainter.h"
#include "app/LanguageFile.h"
#include "app/MessageTable.h"
#include "base/Prompter.h"
#include "report/PageSetupCheck.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

TPrintWindow::TPrintWindow(const LanguageFile &language, const MessageTable &messages, Prompter &prompter,
                           QPrinter &printer, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_language(language)
    , m_messages(messages)
    , m_prompter(prompter)
    , m_printer(printer)
{
    setObjectName(QStringLiteral("TPrintWindow"));
    createControls();
    applyTexts();
    choosePrinter = [this](QPrinter &p) {
        QPrintDialog dialog(&p, this);
        return dialog.exec() == QDialog::Accepted;
    };
    resize(639, 640);
}

TPrintWindow::~TPrintWindow() = default;

void TPrintWindow::createControls()
{
    auto *layout = new QVBoxLayout(this);
    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName(QStringLiteral("Preview"));
    layout->addWidget(m_preview, 1);
    auto *bar = new QHBoxLayout;
    const auto label = [this](QLabel *&l, const char *name) {
        l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
    };
    const auto button = [this](QPushButton *&b, const char *name, const QString &caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
    };
    label(Label1, "Label1");
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({"25", "50", "75", "100", "150", "200"});
    ComboBox1->lineEdit()->setMaxLength(3);
    ComboBox1->lineEdit()->installEventFilter(this);
    button(Back, "Back", QStringLiteral("<"));
    button(Next, "Next", QStringLiteral(">"));
    label(Label4, "Label4");
    label(Label3, "Label3");
    label(Label5, "Label5");
    label(Label2, "Label2");
    Label2->hide();
    button(Button2, "Button2", QString());
    button(Button3, "Button3", QString());
    bar->addWidget(Label1);
    bar->addWidget(ComboBox1);
    bar->addWidget(new QLabel(QStringLiteral("%"), this));
    bar->addSpacing(16);
    bar->addWidget(Back);
    bar->addWidget(Label3);
    bar->addWidget(Label4);
    bar->addWidget(Label5);
    bar->addWidget(Next);
    bar->addStretch(1);
    bar->addWidget(Label2);
    bar->addWidget(Button2);
    bar->addWidget(Button3);
    layout->addLayout(bar);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &TPrintWindow::paintPages);
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &TPrintWindow::showPageNumbers);
    connect(ComboBox1, &QComboBox::editTextChanged, this, &TPrintWindow::ComboBox1Change);
    connect(Back, &QPushButton::clicked, this, &TPrintWindow::BackClick);
    connect(Next, &QPushButton::clicked, this, &TPrintWindow::NextClick);
    connect(Button2, &QPushButton::clicked, this, &TPrintWindow::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &QWidget::close);
}

void TPrintWindow::applyTexts()
{
    const auto text = [this](const char *key, const char *def) {
        return m_language.text(QStringLiteral("Print"), QString::fromLatin1(key), QString::fromLatin1(def));
    };
    setWindowTitle(text("Form", "Preview and Print"));
    Label1->setText(text("Label1", "Scale"));
    Label2->setText(text("Label2", "Printing..."));
    Label3->setText(text("Label3", "page"));
    Button2->setText(text("Button1", "Print"));
    Button3->setText(text("Button2", "Cancel"));
}

void TPrintWindow::showReport(const ReportDocument &doc, const QImage &picture)
{
    m_doc = doc;
    m_picture = picture;
    m_printer.setFullPage(true);
    m_printer.setDocName(doc.title);
    ReportPainter::preparePage(m_printer, doc);
    const bool first = !isVisible() && !m_shownOnce;
    show();
    raise();
    m_preview->updatePreview();
    if (first) {
        // The first preview fits the page's width; the list then shows that zoom.
        m_shownOnce = true;
        m_preview->fitToWidth();
        m_lastZoom = qBound(2, qRound(m_preview->zoomFactor() * 100), 999);
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->setCurrentText(QString::number(m_lastZoom));
    }
    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->setZoomFactor(m_lastZoom / 100.0);
    m_preview->setCurrentPage(1);
    showPageNumbers();
}

void TPrintWindow::paintPages(QPrinter *printer)
{
    ReportPainter::print(*printer, m_doc, m_picture);
}

int TPrintWindow::currentPage() const
{
    return m_preview->currentPage();
}

int TPrintWindow::pageCount() const
{
    return m_preview->pageCount();
}

void TPrintWindow::showPageNumbers()
{
    Label4->setText(QString::number(m_preview->currentPage()));
    Label5->setText(QStringLiteral("/ ") + QString::number(m_preview->pageCount()));
    Back->setEnabled(m_preview->currentPage() > 1);
    Next->setEnabled(m_preview->currentPage() < m_preview->pageCount());
}

void TPrintWindow::BackClick()
{
    m_preview->setCurrentPage(m_preview->currentPage() - 1);
    showPageNumbers();
}

void TPrintWindow::NextClick()
{
    m_preview->setCurrentPage(m_preview->currentPage() + 1);
    showPageNumbers();
}

void TPrintWindow::ComboBox1Change(const QString &text)
{
    // A text that is no whole number in range keeps the last valid zoom until it is checked.
    if (!PageSetupCheck::zoom(text).ok)
        return;
    m_lastZoom = text.toInt();
    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->setZoomFactor(m_lastZoom / 100.0);
}

bool TPrintWindow::checkZoom()
{
    const PageSetupCheck::Verdict v = PageSetupCheck::zoom(ComboBox1->currentText());
    if (v.ok || m_checking)
        return v.ok;
    m_checking = true;
    m_prompter.message(m_messages.text(v.message), m_messages.caption(), Prompter::Icon::Stop, Prompter::Buttons::Ok);
    m_prompter.pump();
    if (!v.replacement.isEmpty())
        ComboBox1->setCurrentText(v.replacement);
    ComboBox1->setFocus();
    m_checking = false;
    return false;
}

bool TPrintWindow::eventFilter(QObject *watched, QEvent *event)
{
    const bool enter = event->type() == QEvent::KeyPress
                       && (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return
                           || static_cast<QKeyEvent *>(event)->key() == Qt::Key_Enter);
    if (watched == ComboBox1->lineEdit() && (enter || event->type() == QEvent::FocusOut)) {
        checkZoom();
        return enter;
    }
    return QWidget::eventFilter(watched, event);
}

void TPrintWindow::Button2Click()
{
    if (!choosePrinter || !choosePrinter(m_printer))
        return;
    Label2->show();
    Button2->setEnabled(false);
    m_prompter.pump();
    m_printer.setFullPage(true);
    const bool printed = ReportPainter::print(m_printer, m_doc, m_picture);
    Label2->hide();
    Button2->setEnabled(true);
    if (!printed)
        m_prompter.message(QStringLiteral("The report could not be printed on %1.")
                               .arg(m_printer.outputFileName().isEmpty() ? m_printer.printerName()
                                                                         : m_printer.outputFileName()),
                           m_messages.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

void TPrintWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
}

void TPrintWindow::closeEvent(QCloseEvent *event)
{
    if (!checkZoom()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}
