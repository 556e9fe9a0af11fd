#include "TMMIMtpass.h"

#include "app/Session.h"
#include "base/Prompter.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const char *const Section = "Maintenance";
}

TMMIMtpass::TMMIMtpass(Session &session, Prompter &prompter, std::function<MaintenanceLogin::Line()> line,
                       QWidget *parent)
    : QDialog(parent), m_session(session), m_prompter(prompter), m_line(std::move(line))
{
    setObjectName(QStringLiteral("TMMIMtpass"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    QFont bold = m_label->font();
    bold.setBold(true);
    m_label->setFont(bold);
    m_pass = new QLineEdit(this);
    m_pass->setObjectName(QStringLiteral("Pass"));
    m_pass->setMaxLength(MaintenanceLogin::MaxLength);
    m_pass->setEchoMode(QLineEdit::Password);
    // Each character shows as "*" whatever the style's own mask character is.
    m_pass->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("Button2"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(m_label, 0, 0, 1, 3);
    grid->addWidget(m_pass, 1, 0);
    grid->addWidget(m_ok, 1, 1);
    grid->addWidget(m_cancel, 1, 2);
    grid->setColumnStretch(0, 1);
    connect(m_ok, &QPushButton::clicked, this, &TMMIMtpass::Button1Click);
    connect(m_cancel, &QPushButton::clicked, this, &TMMIMtpass::Button2Click);
    connect(m_pass, &QLineEdit::returnPressed, this, &TMMIMtpass::Button1Click);
    resize(298, sizeHint().height());
    setFixedSize(size());
}

void TMMIMtpass::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TMMIMtpass::FormShow()
{
    const LanguageFile &lang = m_session.language;
    const QString section = QLatin1String(Section);
    setWindowTitle(lang.text(section, QStringLiteral("Form"), QStringLiteral("Maintenance Mode")));
    m_label->setText(lang.text(section, QStringLiteral("Label"), QStringLiteral("Input Password.")));
    m_ok->setText(lang.text(section, QStringLiteral("Button1"), QStringLiteral("OK")));
    m_cancel->setText(lang.text(section, QStringLiteral("Button2"), QStringLiteral("Cancel")));
    m_changed = false;
    m_pass->clear();
    m_pass->setFocus();
}

void TMMIMtpass::keyPressEvent(QKeyEvent *event)
{
    // Enter in the password field acts as OK (returnPressed); the field passes the key on
    // afterwards, and it must not press a default button a second time.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void TMMIMtpass::Button1Click()
{
    MaintenanceLogin::Line line = m_line ? m_line() : MaintenanceLogin::Line{};
    const MaintenanceLogin::Verdict v = MaintenanceLogin::check(m_pass->text(), line, m_session.messages);
    const QString caption = m_session.messages.caption();
    if (v.stopMessage >= 0) {
        m_prompter.message(m_session.messages.text(v.stopMessage), caption, Prompter::Icon::Stop,
                           Prompter::Buttons::Ok);
        m_pass->setFocus();
        return;
    }
    m_prompter.message(v.text, caption, Prompter::Icon::Warning, Prompter::Buttons::Ok);
    if (v.level == MaintenanceLogin::Level::None)
        return;  // the drive did not confirm: the window stays open
    m_session.enterMaintenance(v.level == MaintenanceLogin::Level::Master);
    m_changed = true;
    if (v.level == MaintenanceLogin::Level::Master)
        emit masterEntered();
    accept();
}

void TMMIMtpass::Button2Click()
{
    reject();
}
