#include "Ttype.h"

#include "StartupPicture.h"
#include "comm/ScanProgress.h"
#include "app/Session.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

Ttype::Ttype(Session &session, bool startUp, Prompter &prompter, QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
    , m_session(session)
    , m_choice(session.settings(), session.folders)
{
    setObjectName(QStringLiteral("Ttype"));
    m_picture = StartupPicture::make();
    setFixedSize(m_picture.size());
    createControls();
    // The search for a connected drive shows the port and combination it tries and can be
    // cancelled; the first entries are then chosen.
    ScanProgress progress(QString(), QStringLiteral("Cancel"), 0);
    m_choice.setScanProgress(progress.callback());
    m_failed = !m_choice.build(startUp, prompter);
    m_choice.setScanProgress({});
    if (m_failed)
        return;
    showChoice();
    connectHandlers();
}

void Ttype::createControls()
{
    QFont bold = font();
    bold.setBold(true);
    auto label = [&](const char *name, const char *text, int x, int y) {
        auto *l = new QLabel(QString::fromLatin1(text), this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFont(bold);
        l->move(x, y);
        return l;
    };
    auto combo = [&](const char *name, int x, int y, int width, int rows) {
        auto *c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setGeometry(x, y, width, 24);
        c->setMaxVisibleItems(rows);
        return c;
    };
    Label1 = label("Label1", "Language", 16, 92);
    LangForm = combo("LangForm", 16, 110, 150, 10);
    Label5 = label("Label5", "Inverter Type-Form", 16, 142);
    I_TypeForm = combo("I_TypeForm", 16, 160, 120, 10);
    I_CapaForm = combo("I_CapaForm", 140, 160, 133, 10);
    Label2 = label("Label2", "CPU Ver.", 16, 192);
    I_CpuForm = combo("I_CpuForm", 16, 210, 120, 9);
    ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(282, 205, 64, 26);
    ok->setDefault(true);
}

void Ttype::connectHandlers()
{
    connect(I_TypeForm, &QComboBox::currentIndexChanged, this, &Ttype::I_TypeFormChange);
    connect(I_CpuForm, &QComboBox::currentIndexChanged, this, &Ttype::I_CpuFormChange);
    connect(I_CapaForm, &QComboBox::currentIndexChanged, this, &Ttype::I_CapaFormChange);
    connect(LangForm, &QComboBox::currentIndexChanged, this, &Ttype::LangFormChange);
    connect(ok, &QPushButton::clicked, this, &Ttype::okClick);
}

void Ttype::showChoice()
{
    m_filling = true;
    auto fill = [](QComboBox *box, const QStringList &items, int index) {
        box->clear();
        box->addItems(items);
        box->setCurrentIndex(index);
    };
    fill(LangForm, m_choice.languages(), m_choice.languageIndex());
    fill(I_TypeForm, m_choice.types(), m_choice.typeIndex());
    fill(I_CpuForm, m_choice.cpuVersions(), m_choice.cpuIndex());
    fill(I_CapaForm, m_choice.forms(), m_choice.formIndex());
    m_filling = false;
}

void Ttype::lockLanguage()
{
    LangForm->setEnabled(false);
}

void Ttype::I_TypeFormChange(int index)
{
    if (m_filling)
        return;
    m_choice.selectType(index);
    showChoice();
}

void Ttype::I_CpuFormChange(int index)
{
    if (m_filling)
        return;
    m_choice.selectCpu(index);
    showChoice();
}

void Ttype::I_CapaFormChange(int index)
{
    if (!m_filling)
        m_choice.selectForm(index);
}

void Ttype::LangFormChange(int index)
{
    if (!m_filling)
        m_choice.selectLanguage(index);
}

void Ttype::okClick()
{
    accept();
}

void Ttype::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void Ttype::FormClose()
{
    if (m_recorded || m_failed)
        return;
    m_recorded = true;
    m_selection = m_choice.record();
    m_session.selection = m_selection;
}

void Ttype::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, m_picture);
}
