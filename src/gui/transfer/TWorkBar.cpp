#include "TWorkBar.h"

#include "transfer/TransferRun.h"
#include "transfer/TransferTexts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

void TWorkBar::Pumping::pump()
{
    QCoreApplication::processEvents();
}

TWorkBar::TWorkBar(TransferMode mode, DriveData &data, CommExchange &exchange, Prompter &prompter,
                   const TransferTexts &texts, const TransferOptions &options, int lastIndex,
                   const QString &typeName, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_data(data)
    , m_exchange(exchange)
    , m_prompter(prompter)
    , m_texts(texts)
    , m_options(options)
    , m_lastIndex(lastIndex)
    , m_typeName(typeName)
{
    setObjectName(QStringLiteral("TWorkBar"));
    setWindowTitle(texts.workCaption(mode));
    m_status = new QLabel(this);
    m_second = new QLabel(this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_start = new QPushButton(texts.startButton, this);
    m_start->setObjectName(QStringLiteral("StBtn"));
    m_cancel = new QPushButton(texts.cancelButton, this);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    m_ok = new QPushButton(texts.okButton, this);
    m_ok->setObjectName(QStringLiteral("OK"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_start, m_cancel, m_ok})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_second);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    connect(m_start, &QPushButton::clicked, this, &TWorkBar::StBtnClick);
    connect(m_cancel, &QPushButton::clicked, this, &TWorkBar::CancelClick);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

TWorkBar::~TWorkBar() = default;

void TWorkBar::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TWorkBar::FormShow()
{
    if (QWidget *main = parentWidget()) {
        const QRect frame = main->frameGeometry();
        move(frame.x() + (frame.width() - frameGeometry().width()) / 2, y());
    }
    const int message = m_mode == TransferMode::Import ? 61 : m_mode == TransferMode::Export ? 62 : 63;
    m_status->setText(m_texts.message(message));
    const bool changedOnly = m_mode == TransferMode::Export && m_options.changedOnly;
    m_second->setText(changedOnly ? m_texts.message(83) : QString());
    m_second->setVisible(changedOnly);
    m_start->setVisible(true);
    m_start->setEnabled(true);
    m_cancel->setVisible(true);
    m_cancel->setEnabled(true);
    m_ok->setVisible(false);
    m_progress->setValue(0);
}

void TWorkBar::StBtnClick()
{
    if (m_running)
        return;
    m_start->setEnabled(false);
    m_second->setVisible(false);
    m_run = std::make_unique<TransferRun>(m_mode, m_data, m_exchange, m_prompter, m_texts, m_options, m_lastIndex);
    m_run->typeName = m_typeName;
    m_run->onProgress = [this](int percent) { m_progress->setValue(percent); };
    if (beforeStart && !beforeStart(*m_run)) {
        m_run.reset();
        reject();
        return;
    }
    m_running = true;
    m_run->start();
    m_status->setText(m_run->status());
    while (m_run->step())
        m_prompter.pump();
    m_run->finish();
    m_running = false;
    finished();
}

void TWorkBar::finished()
{
    m_start->setEnabled(true);
    if (m_run->keepOpen()) {
        m_status->setText(m_run->status());
        m_second->setText(m_run->secondLabel());
        m_second->setVisible(!m_run->secondLabel().isEmpty());
        m_start->setVisible(false);
        m_cancel->setVisible(false);
        m_ok->setVisible(true);
        m_ok->setEnabled(true);
        m_ok->setFocus();
        return;
    }
    accept();
}

void TWorkBar::CancelClick()
{
    if (m_running) {
        m_run->cancel();
        return;
    }
    reject();
}

void TWorkBar::reject()
{
    // Escape and the close button during a run end the run, never the window under it.
    if (m_running) {
        m_run->cancel();
        return;
    }
    QDialog::reject();
}

void TWorkBar::closeEvent(QCloseEvent *event)
{
    if (m_running) {
        m_run->cancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
