#include "TRSset.h"

#include "HiddenLineControls.h"
#include "ScanProgress.h"
#include "SetupFieldChecks.h"

#include "app/InverterCatalog.h"
#include "app/Session.h"
#include "base/IniFile.h"
#include "base/Prompter.h"
#include "comm/CommLink.h"
#include "comm/CommScan.h"
#include "comm/CommSetup.h"
#include "model/ParameterValues.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

enum Message { NoUsablePort = 2, NothingFound = 3 };
constexpr int VisibleWidth = 309;

const QStringList BaudTexts{"   1,200", "   2,400", "   4,800", "   9,600", " 19,200", " 38,400"};

void setBlue(QWidget *w, bool blue)
{
    QPalette p = w->palette();
    const QColor c = blue ? QColor(Qt::blue) : QApplication::palette().color(QPalette::WindowText);
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

}  // namespace

TRSset::TRSset(Session &session, CommLink &link, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_link(link)
    , m_prompter(prompter)
    , m_checks(std::make_unique<SetupFieldChecks>(session.messages, prompter))
{
    setObjectName(QStringLiteral("TRSset"));
    setFixedSize(VisibleWidth, 440);
    createControls();
    applyTexts();
    connectHandlers();
    FormCreate();
}

TRSset::~TRSset() = default;

void TRSset::createControls()
{
    m_hidden = new HiddenLineControls(*this, VisibleWidth);
    createProtocolAndNumber();
    createPortAndTime();
    createLine();
    createButtons();
}

void TRSset::createProtocolAndNumber()
{
    ProtocolGr1 = new QGroupBox(this);
    ProtocolGr1->setObjectName(QStringLiteral("ProtocolGr1"));
    ProtocolGr1->setGeometry(10, 6, 289, 64);
    for (int i = 0; i < 2; ++i) {
        Protocol[i] = new QRadioButton(ProtocolGr1);
        Protocol[i]->setObjectName(QStringLiteral("ProtocolItems%1").arg(i + 1));
        Protocol[i]->setGeometry(10, 18 + 22 * i, 260, 20);
    }
    auto *numberGroup = new QGroupBox(this);
    numberGroup->setObjectName(QStringLiteral("Label1"));
    numberGroup->setGeometry(10, 74, 289, 48);
    AppendNo = new QCheckBox(numberGroup);
    AppendNo->setObjectName(QStringLiteral("AppendNo"));
    AppendNo->setGeometry(8, 20, 100, 20);
    Douhou = new QCheckBox(numberGroup);
    Douhou->setObjectName(QStringLiteral("Douhou"));
    Douhou->setGeometry(110, 20, 90, 20);
    IdNmb = new QLineEdit(numberGroup);
    IdNmb->setObjectName(QStringLiteral("IdNmb"));
    IdNmb->setGeometry(206, 18, 50, 24);
    UpDown1 = new QSpinBox(numberGroup);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setGeometry(256, 18, 20, 24);
    UpDown1->setRange(0, CommSetup::MaxInverterNumber);
    UpDown1->setWrapping(true);
}

void TRSset::createPortAndTime()
{
    auto *portGroup = new QGroupBox(this);
    portGroup->setObjectName(QStringLiteral("Label2"));
    portGroup->setGeometry(10, 126, 140, 52);
    ComboBox1 = new QComboBox(portGroup);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setGeometry(8, 20, 124, 24);
    auto *timeGroup = new QGroupBox(this);
    timeGroup->setObjectName(QStringLiteral("Label3"));
    timeGroup->setGeometry(159, 126, 140, 52);
    Edit1 = new QLineEdit(timeGroup);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 20, 60, 24);
    UpDown2 = new QSpinBox(timeGroup);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    UpDown2->setGeometry(68, 20, 20, 24);
    UpDown2->setRange(CommSetup::MinTimeoutMs, CommSetup::MaxTimeoutMs);
    new QLabel(QStringLiteral("(ms)"), timeGroup);
    timeGroup->findChild<QLabel *>()->move(94, 24);
}

void TRSset::createLine()
{
    auto *lineGroup = new QGroupBox(this);
    lineGroup->setObjectName(QStringLiteral("Label4"));
    lineGroup->setGeometry(10, 182, 289, 84);
    Label41 = new QLabel(lineGroup);
    Label41->setObjectName(QStringLiteral("Label41"));
    Label41->setGeometry(8, 22, 90, 20);
    CommSpeed = new QComboBox(lineGroup);
    CommSpeed->setObjectName(QStringLiteral("CommSpeed"));
    CommSpeed->setEditable(true);
    CommSpeed->addItems(BaudTexts);
    CommSpeed->setGeometry(100, 20, 100, 24);
    BpsLabel = new QLabel(QStringLiteral("(bps)"), lineGroup);
    BpsLabel->setGeometry(206, 22, 50, 20);
    Label42 = new QLabel(lineGroup);
    Label42->setObjectName(QStringLiteral("Label42"));
    Label42->setGeometry(8, 52, 90, 20);
    CommParity = new QComboBox(lineGroup);
    CommParity->setObjectName(QStringLiteral("CommParity"));
    CommParity->setEditable(true);
    CommParity->setGeometry(100, 50, 100, 24);
}

void TRSset::createButtons()
{
    auto button = [this](const char *name, int y) {
        auto *b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(10, y, 289, 26);
        return b;
    };
    Button1 = button("Button1", 274);
    Button2 = button("Button2", 306);
    Button3 = button("Button3", 338);
    OkBtn = new QPushButton(this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setGeometry(60, 338 + 26 + 11, 90, 26);
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(159, 338 + 26 + 11, 90, 26);
}

void TRSset::applyTexts()
{
    const LanguageFile &lng = m_session.language;
    const QString s = QStringLiteral("RS232C");
    auto text = [&](const char *key, const char *def) { return lng.text(s, QLatin1String(key), QLatin1String(def)); };
    setWindowTitle(text("Form", "RS-232C Setup"));
    ProtocolGr1->setTitle(text("Label5", "Protocol"));
    Protocol[0]->setText(text("ProtocolItems1", "KESSOLA Inverter"));
    Protocol[1]->setText(text("ProtocolItems2", "MODBUS-RTU"));
    findChild<QGroupBox *>(QStringLiteral("Label1"))->setTitle(text("Label1", "Inverter number"));
    AppendNo->setText(text("Check11", "Set number"));
    Douhou->setText(text("Check12", "Broadcast"));
    findChild<QGroupBox *>(QStringLiteral("Label2"))->setTitle(text("Label2", "Serial port"));
    findChild<QGroupBox *>(QStringLiteral("Label3"))->setTitle(text("Label3", "Time out"));
    findChild<QGroupBox *>(QStringLiteral("Label4"))->setTitle(text("Label4", "Communication setting"));
    Label41->setText(text("Label41", "Baud rate"));
    Label42->setText(text("Label42", "Parity"));
    CommParity->addItems({text("ParityItems1", "Non"), text("ParityItems2", "Even"), text("ParityItems3", "Odd")});
    Button1->setText(text("ButtonQ1", "Use the Default value of selected drive"));
    Button2->setText(text("ButtonQ2", "Use the Parameter Table value"));
    Button3->setText(text("ButtonQ3", "Check the value with connected drive"));
    OkBtn->setText(text("Button1", "OK"));
    CancelBtn->setText(text("Button2", "Cancel"));
}

void TRSset::connectHandlers()
{
    connect(AppendNo, &QCheckBox::clicked, this, &TRSset::AppendNoClick);
    connect(Douhou, &QCheckBox::clicked, this, &TRSset::DouhouClick);
    connect(UpDown1, &QSpinBox::valueChanged, this, [this](int v) { IdNmb->setText(QString::number(v)); });
    connect(UpDown2, &QSpinBox::valueChanged, this, [this](int v) { Edit1->setText(QString::number(v)); });
    connect(IdNmb, &QLineEdit::editingFinished, this,
            [this] { m_checks->number(IdNmb, 0, CommSetup::MaxInverterNumber, UpDown1); });
    connect(Edit1, &QLineEdit::editingFinished, this,
            [this] { m_checks->number(Edit1, CommSetup::MinTimeoutMs, CommSetup::MaxTimeoutMs, UpDown2); });
    for (QComboBox *box : {ComboBox1, CommSpeed, CommParity})
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, box] { m_checks->choice(box); });
    connect(Button1, &QPushButton::clicked, this, &TRSset::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TRSset::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TRSset::Button3Click);
    connect(OkBtn, &QPushButton::clicked, this, &TRSset::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TRSset::CancelBtnClick);
}

void TRSset::FormCreate()
{
    fillPorts();
    m_edited = CommSetup::load(m_session.settings());
    showSettings(m_edited);
}

void TRSset::fillPorts()
{
    const QString current = ComboBox1->currentText();
    ComboBox1->clear();
    ComboBox1->addItems(m_link.port().availablePorts());
    ComboBox1->setEnabled(ComboBox1->count() > 0);
    ComboBox1->setCurrentText(current);
    m_hidden->setPorts(m_link.port().candidatePorts(), m_link.port().availablePorts());
    m_hidden->setPortChk(m_link.port().PortChk());
}

void TRSset::showSettings(const CommSettings &s)
{
    Protocol[s.isModbus() ? 1 : 0]->setChecked(true);
    AppendNo->setChecked(s.setNumber);
    Douhou->setChecked(s.broadcast && !s.setNumber);
    IdNmb->setText(QString::number(s.inverterNumber));
    UpDown1->setValue(s.inverterNumber);
    IdNmb->setEnabled(s.setNumber);
    UpDown1->setEnabled(s.setNumber);
    ComboBox1->setCurrentIndex(s.portIndex < ComboBox1->count() ? s.portIndex : -1);
    Edit1->setText(QString::number(s.timeoutMs));
    UpDown2->setValue(s.timeoutMs);
    CommSpeed->setCurrentIndex(s.baudIndex);
    CommParity->setCurrentIndex(s.parityIndex);
    m_hidden->show(s);
}

CommSettings TRSset::shown() const
{
    CommSettings s = m_edited;
    s.protocol = Protocol[1]->isChecked() ? CommSettings::Modbus : CommSettings::Native;
    s.setNumber = AppendNo->isChecked();
    s.broadcast = Douhou->isChecked();
    s.inverterNumber = UpDown1->value();
    s.portIndex = ComboBox1->currentIndex() >= 0 ? ComboBox1->currentIndex() : m_edited.portIndex;
    s.timeoutMs = UpDown2->value();  // the checked time-out (the edit's trimmed text)
    s.baudIndex = CommSpeed->currentIndex();
    s.parityIndex = CommParity->currentIndex();
    m_hidden->take(s);
    s.updateGap();
    return s;
}

void TRSset::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TRSset::FormShow()
{
    for (QWidget *w : findChildren<QWidget *>())
        setBlue(w, false);
    m_remembered = shown();
    m_link.port().EnumeratePorts(m_link.port().candidatePorts());
    fillPorts();
    const IniFile info(m_session.folders.infoFile);
    Button1->setEnabled(CommSetup::defaultsOffered(info));
    Button2->setEnabled(CommSetup::tableValuesOffered(info));
    m_hidden->setSpecialSetup(m_link.connectionCheck().specialSetup());
    InverterCatalog catalog;
    catalog.scan(m_session.folders.dataFolder, m_session.folders.catalogFile());
    m_hidden->setLookups(catalog, m_session.selection.typeName, m_session.selection.cpuVersion);
    OkBtn->setFocus();
}

void TRSset::markChanges()
{
    const CommSetup::Changes c = CommSetup::compare(m_remembered, shown());
    setBlue(ProtocolGr1, c.protocol);
    for (QRadioButton *r : Protocol)
        setBlue(r, c.protocol);
    setBlue(IdNmb, c.number);
    setBlue(AppendNo, c.setNumber);
    setBlue(ComboBox1, c.port);
    for (QWidget *w : {static_cast<QWidget *>(Label41), static_cast<QWidget *>(CommSpeed), static_cast<QWidget *>(BpsLabel)})
        setBlue(w, c.baud);
    setBlue(Label42, c.parity);
    setBlue(CommParity, c.parity);
}

void TRSset::AppendNoClick(bool checked)
{
    IdNmb->setEnabled(checked);
    UpDown1->setEnabled(checked);
    if (checked)
        Douhou->setChecked(false);
}

void TRSset::DouhouClick(bool checked)
{
    if (!checked)
        return;
    AppendNo->setChecked(false);
    AppendNoClick(false);
}

bool TRSset::checkAll()
{
    // A port choice without ports is disabled and has nothing to check.
    SetupFieldChecks &c = *m_checks;
    return c.number(IdNmb, 0, CommSetup::MaxInverterNumber, UpDown1)
        && c.number(Edit1, CommSetup::MinTimeoutMs, CommSetup::MaxTimeoutMs, UpDown2)
        && (!ComboBox1->isEnabled() || c.choice(ComboBox1)) && c.choice(CommSpeed) && c.choice(CommParity);
}

void TRSset::Button1Click()
{
    CommSettings s = shown();
    CommSetup::applyDefaults(IniFile(m_session.folders.infoFile), s);
    showSettings(s);
    markChanges();
}

void TRSset::Button2Click()
{
    ParameterValues values(m_session.data, m_session.messages, m_prompter);
    CommSettings s = shown();
    CommSetup::applyTableValues(
        IniFile(m_session.folders.infoFile), [&](const QString &comNo) { return values.IntValueOfComNo(comNo); }, s);
    showSettings(s);
    markChanges();
}

void TRSset::Button3Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CommPort &ports = m_link.port();
    if (ports.EnumeratePorts(ports.candidatePorts()) == 0) {
        QApplication::restoreOverrideCursor();
        m_checks->show(NoUsablePort, false);
        return;
    }
    fillPorts();
    CommSettings s = shown();
    CommScan scan(ports, s);
    ScanProgress progress(windowTitle(), m_session.language.text("RS232C", "Button2", "Cancel"),
                          int(ports.availablePorts().size()) * int(std::size(CommScan::Combinations)), this);
    scan.setProgress(progress.callback());
    const CommScan::Result found = scan.ScanCommSettings(s.portIndex);
    QApplication::restoreOverrideCursor();
    if (found.cancelled)
        return;
    if (!found.found()) {
        m_checks->show(NothingFound, false);
        return;
    }
    CommSetup::applyScan(found, s);
    showSettings(s);
    markChanges();
}

void TRSset::OkBtnClick()
{
    m_link.exchange().CommErrorFlag() = false;
    accept();
}

void TRSset::CancelBtnClick()
{
    reject();
}

void TRSset::reject()
{
    // Cancel, Escape and the close box alike drop the edits.
    fillPorts();
    m_edited = CommSetup::load(m_session.settings());
    showSettings(m_edited);
    QDialog::reject();
}

void TRSset::done(int result)
{
    if (!checkAll())
        return;
    m_edited = shown();
    CommSetup::save(m_session.settings(), m_edited);
    m_link.settings() = m_edited;
    QDialog::done(result);
}
