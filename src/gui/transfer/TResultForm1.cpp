#include "TResultForm1.h"

#include "base/Prompter.h"
#include "transfer/TransferTexts.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int Height = 480;
constexpr int MinimumWidth = 360;

}  // namespace

TResultForm1::TResultForm1(const TransferTexts &texts, Prompter &prompter, const Setup &setup, QWidget *parent)
    : QDialog(parent), m_texts(texts), m_prompter(prompter), m_setup(setup)
{
    setObjectName(QStringLiteral("TResultForm1"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("ResultDisp"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *copy = new QAction(QIcon::fromTheme(QStringLiteral("edit-copy")), tr("Copy"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(copy);
    connect(copy, &QAction::triggered, this, &TResultForm1::CopyClick);
    connect(m_text, &QWidget::customContextMenuRequested, this, [this, copy](const QPoint &at) {
        QMenu menu(this);
        menu.addAction(copy);
        menu.exec(m_text->mapToGlobal(at));
    });
    m_print = new QPushButton(texts.printButton, this);
    m_print->setObjectName(QStringLiteral("Button1"));
    m_save = new QPushButton(texts.saveButton, this);
    m_save->setObjectName(QStringLiteral("Button2"));
    connect(m_print, &QPushButton::clicked, this, &TResultForm1::Button1Click);
    connect(m_save, &QPushButton::clicked, this, &TResultForm1::Button2Click);
    m_compareFactory = new QCheckBox(texts.compareFactory, this);
    m_compareFactory->setObjectName(QStringLiteral("CompareFactory"));
    m_compareFactory->hide();
    connect(m_compareFactory, &QCheckBox::toggled, this, &TResultForm1::CompareFactoryClick);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_compareFactory);
    buttons->addStretch();
    buttons->addWidget(m_print);
    buttons->addWidget(m_save);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    setWindowTitle(texts.resultCaption(setup.mode));
}

void TResultForm1::setReport(const TransferReport &report)
{
    m_report = report;
    m_text->setPlainText(report.text());
}

void TResultForm1::setThreeWayReport(const TransferReport &report)
{
    m_threeWay = report;
    m_compareFactory->setVisible(!report.isEmpty());
    CompareFactoryClick();
}

const TransferReport &TResultForm1::shownReport() const
{
    return m_compareFactory->isChecked() && !m_threeWay.isEmpty() ? m_threeWay : m_report;
}

void TResultForm1::CompareFactoryClick()
{
    m_text->setPlainText(shownReport().text());
    m_text->moveCursor(QTextCursor::Start);
}

void TResultForm1::placeBelow(const QRect &mainFrame)
{
    const int height = qMax(Height - mainFrame.height(), 0);
    setMinimumSize(MinimumWidth, height);
    move(mainFrame.left(), mainFrame.bottom() + 1);
    resize(qMax(width(), MinimumWidth), height);
}

void TResultForm1::showEvent(QShowEvent *event)
{
    if (QWidget *main = parentWidget())
        placeBelow(main->frameGeometry());
    m_print->setEnabled(m_setup.printEnabled);
    m_text->moveCursor(QTextCursor::Start);
    m_text->setFocus();
    QDialog::showEvent(event);
}

void TResultForm1::CopyClick()
{
    QString selected = m_text->textCursor().selectedText();
    if (!selected.isEmpty())
        QGuiApplication::clipboard()->setText(selected.replace(QChar::ParagraphSeparator, u'\n'));
}

void TResultForm1::printTo(QPrinter &printer)
{
    printer.setDocName(m_texts.printTitle);
    m_text->document()->print(&printer);
}

void TResultForm1::Button1Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer on this system: the report goes into a PDF file the user names.
        int filter = 0;
        const QString path = m_prompter.chooseSaveFile(m_texts.printTitle, m_setup.appFolder,
                                                       QStringLiteral("report.pdf"),
                                                       QStringLiteral("PDF (*.pdf)|*.pdf"), &filter);
        if (path.isEmpty())
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    } else {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    printTo(printer);
}

bool TResultForm1::writeTo(const QString &path)
{
    QString error;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = shownReport().save(path, m_setup.codePage, &error);
    QGuiApplication::restoreOverrideCursor();
    if (!written)
        saveFailed(error);
    else
        m_savedPath = path;
    return written;
}

void TResultForm1::saveFailed(const QString &error)
{
    m_prompter.message(error, m_texts.caption(), Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

void TResultForm1::Button2Click()
{
    const bool information = m_setup.mode == TransferMode::InverterInfo;
    if (m_setup.saveAutomatic && !information) {
        QString error;
        QString path;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const bool written = shownReport().saveAutomatic(m_setup.appFolder, QDateTime::currentDateTime(),
                                                    m_setup.codePage, &path, &error);
        QGuiApplication::restoreOverrideCursor();
        if (written)
            m_savedPath = path;
        else
            saveFailed(error);
        return;
    }
    int filter = 0;
    const QString path = m_prompter.chooseSaveFile(m_texts.saveTitle, m_setup.appFolder, QString(),
                                                   information ? m_texts.infoSaveFilter : m_texts.saveFilter, &filter);
    if (path.isEmpty())
        return;
    // The dialog's default extension.
    writeTo(QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".txt") : path);
}
