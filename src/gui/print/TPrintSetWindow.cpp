#include "TPrintSetWindow.h"

#include "PageSketch.h"
#include "ReportFonts.h"
#include "app/Session.h"
#include "base/Prompter.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QColor colorOf(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QLabel *labelled(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit *numberField(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(60);
    return edit;
}

}  // namespace

TPrintSetWindow::TPrintSetWindow(Session &session, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TPrintSetWindow"));
    createControls();
    applyTexts();
    connectHandlers();
    m_setup = PageSetup::read(session.settings());
    showSetup(m_setup);
}

QString TPrintSetWindow::text(const char *key, const char *def) const
{
    return m_session.language.text(QStringLiteral("PrintSet"), QString::fromLatin1(key), QString::fromUtf8(def));
}

void TPrintSetWindow::createControls()
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    top->addWidget(createPaperBox());
    top->addWidget(createDetailBox());
    layout->addLayout(top);
    layout->addWidget(createItemsBox());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("Button1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QWidget *TPrintSetWindow::createPaperBox()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("Label1"));
    auto *form = new QFormLayout;
    PSize = new QComboBox(box);
    PSize->setObjectName(QStringLiteral("PSize"));
    for (int i = 0; i < PageSetup::PaperCount; ++i)
        PSize->addItem(PageSetup::paperName(PageSetup::Paper(i)));
    form->addRow(labelled("Label11", box), PSize);
    POrientP = new QRadioButton(box);
    POrientP->setObjectName(QStringLiteral("POrientP"));
    POrientL = new QRadioButton(box);
    POrientL->setObjectName(QStringLiteral("POrientL"));
    auto *orientation = new QVBoxLayout;
    orientation->addWidget(POrientP);
    orientation->addWidget(POrientL);
    form->addRow(labelled("Label12", box), orientation);
    auto *row = new QHBoxLayout(box);
    row->addLayout(form);
    m_sketch = new PageSketch(box);
    row->addWidget(m_sketch);
    return box;
}

QWidget *TPrintSetWindow::createDetailBox()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("Label3"));
    auto *form = new QFormLayout(box);
    TopMarg = numberField("TopMarg", box);
    BottomMarg = numberField("BottomMarg", box);
    LeftMarg = numberField("LeftMarg", box);
    RightMarg = numberField("RightMarg", box);
    DBHeight = numberField("DBHeight", box);
    DBFont = new QComboBox(box);
    DBFont->setObjectName(QStringLiteral("DBFont"));
    DBFont->setEditable(true);
    DBFont->addItems(ReportFonts::families());
    DBFont->setInsertPolicy(QComboBox::NoInsert);
    DBFontSize = new QComboBox(box);
    DBFontSize->setObjectName(QStringLiteral("DBFontSize"));
    DBFontSize->setEditable(true);
    DBFontSize->setInsertPolicy(QComboBox::NoInsert);
    for (int size : PageSetup::FontSizes)
        DBFontSize->addItem(QString::number(size));
    DBFontSize->setMaximumWidth(70);
    int n = 31;
    for (QWidget *field : std::initializer_list<QWidget *>{TopMarg, BottomMarg, LeftMarg, RightMarg, DBHeight, DBFont,
                                                          DBFontSize})
        form->addRow(labelled(qPrintable(QStringLiteral("Label%1").arg(n++)), box), field);
    return box;
}

QWidget *TPrintSetWindow::createItemsBox()
{
    auto *box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("Label2"));
    auto *grid = new QGridLayout(box);
    const auto check = [&](QCheckBox *&b, const char *name) {
        b = new QCheckBox(box);
        b->setObjectName(QString::fromLatin1(name));
    };
    check(DayPrint, "DayPrint");
    check(TimePrint, "TimePrint");
    check(TypeFormPrint, "TypeFormPrint");
    check(PageNoPrint, "PageNoPrint");
    check(CommentPrint, "CommentPrint");
    check(DefValPrint, "DefValPrint");
    grid->addWidget(DayPrint, 0, 0);
    grid->addWidget(TimePrint, 0, 1);
    grid->addWidget(PageNoPrint, 0, 2);
    grid->addWidget(TypeFormPrint, 1, 0, 1, 3);
    grid->addWidget(CommentPrint, 2, 0);
    Edit1 = new QLineEdit(box);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(PageSetup::CommentMax);
    grid->addWidget(Edit1, 2, 1, 1, 3);
    Label21 = new QLabel(box);
    grid->addWidget(Label21, 3, 1, 1, 3);
    grid->addWidget(DefValPrint, 4, 0);
    DBFontColor = new QPushButton(box);
    DBFontColor->setObjectName(QStringLiteral("DBFontColor"));
    grid->addWidget(DBFontColor, 4, 1);
    Panel1 = new QLabel(box);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setMinimumWidth(80);
    Panel1->installEventFilter(this);
    grid->addWidget(Panel1, 4, 2);
    return box;
}

void TPrintSetWindow::applyTexts()
{
    setWindowTitle(text("Form", "Page Setup"));
    findChild<QGroupBox *>(QStringLiteral("Label1"))->setTitle(text("Label1", "Paper"));
    findChild<QGroupBox *>(QStringLiteral("Label2"))->setTitle(text("Label2", "Items"));
    findChild<QGroupBox *>(QStringLiteral("Label3"))->setTitle(text("Label3", "Detail"));
    const std::pair<const char *, const char *> labels[] = {
        {"Label11", "Size"},  {"Label12", "Orientation"}, {"Label31", "Top"},  {"Label32", "Bottom"},
        {"Label33", "Left"},  {"Label34", "Right"},       {"Label35", "Hight of Cells"},
        {"Label36", "Font"},  {"Label37", "Font size"}};
    for (const auto &[key, def] : labels)
        findChild<QLabel *>(QString::fromLatin1(key))->setText(text(key, def));
    POrientP->setText(text("Radio11", "Portrait"));
    POrientL->setText(text("Radio12", "Landscape"));
    DayPrint->setText(text("Check21", "Date"));
    TimePrint->setText(text("Check22", "Time"));
    TypeFormPrint->setText(text("Check23", "Selected Inverter's Type-Form"));
    PageNoPrint->setText(text("Check24", "Page No."));
    CommentPrint->setText(text("Check25", "Comments"));
    Label21->setText(text("Label21", "90 characters max."));
    DefValPrint->setText(text("Check26", "Shipment Value"));
    DBFontColor->setText(text("Button2", "'Value' Color"));
    Panel1->setText(text("Panel2", "Value"));
}

void TPrintSetWindow::connectHandlers()
{
    connect(DBFontColor, &QPushButton::clicked, this, &TPrintSetWindow::DBFontColorClick);
    connect(POrientP, &QRadioButton::clicked, this, &TPrintSetWindow::POrientClick);
    connect(POrientL, &QRadioButton::clicked, this, &TPrintSetWindow::POrientClick);
    connect(CommentPrint, &QCheckBox::toggled, this, &TPrintSetWindow::CommentPrintClick);
    for (QLineEdit *edit : {TopMarg, BottomMarg, LeftMarg, RightMarg, DBHeight})
        edit->installEventFilter(this);
    for (QComboBox *box : {DBFont, DBFontSize})
        box->lineEdit()->installEventFilter(this);
}

PageSetup TPrintSetWindow::setup() const
{
    PageSetup p = m_setup;
    p.paper = PageSetup::Paper(qMax(0, PSize->currentIndex()));
    p.portrait = POrientP->isChecked();
    p.top = PageSetup::wholeText(TopMarg->text(), p.top, PageSetup::MarginMin, PageSetup::MarginMax);
    p.bottom = PageSetup::wholeText(BottomMarg->text(), p.bottom, PageSetup::MarginMin, PageSetup::MarginMax);
    p.left = PageSetup::wholeText(LeftMarg->text(), p.left, PageSetup::MarginMin, PageSetup::MarginMax);
    p.right = PageSetup::wholeText(RightMarg->text(), p.right, PageSetup::MarginMin, PageSetup::MarginMax);
    p.rowHeight = PageSetup::wholeText(DBHeight->text(), p.rowHeight, PageSetup::RowHeightMin, PageSetup::RowHeightMax);
    const int size = PageSetup::wholeText(DBFontSize->currentText(), p.fontSize(), PageSetup::FontSizeMin,
                                          PageSetup::FontSizeMax);
    p.fontSizeIndex = PageSetup::nearestFontSizeIndex(size);
    p.typedFontSize = PageSetup::FontSizes[p.fontSizeIndex] == size ? 0 : size;
    p.fontName = DBFont->currentText();
    const int font = ReportFonts::indexOf(p.fontName);
    if (font != PageSetup::NoFontStored)
        p.fontIndex = font;
    p.valueColor = m_valueColor;
    p.printDate = DayPrint->isChecked();
    p.printTime = TimePrint->isChecked();
    p.printTypeForm = TypeFormPrint->isChecked();
    p.printPageNo = PageNoPrint->isChecked();
    p.printComment = CommentPrint->isChecked();
    p.printFactory = DefValPrint->isChecked();
    p.comment = Edit1->text();
    return p;
}

void TPrintSetWindow::showSetup(const PageSetup &p)
{
    PSize->setCurrentIndex(int(p.paper));
    (p.portrait ? POrientP : POrientL)->setChecked(true);
    m_sketch->setPortrait(p.portrait);
    const std::pair<QLineEdit *, int> margins[] = {{TopMarg, p.top}, {BottomMarg, p.bottom}, {LeftMarg, p.left},
                                                   {RightMarg, p.right}};
    for (int side = 0; side < 4; ++side) {
        margins[side].first->setText(QString::number(margins[side].second));
        m_sketch->setMargin(PageSketch::Side(side), margins[side].second);
    }
    DBHeight->setText(QString::number(p.rowHeight));
    DBFont->setCurrentText(ReportFonts::familyOf(p.fontIndex, m_session.selection.languageName));
    DBFontSize->setCurrentText(QString::number(p.fontSize()));
    setValueColor(p.valueColor);
    DayPrint->setChecked(p.printDate);
    TimePrint->setChecked(p.printTime);
    TypeFormPrint->setChecked(p.printTypeForm);
    PageNoPrint->setChecked(p.printPageNo);
    CommentPrint->setChecked(p.printComment);
    CommentPrintClick();
    DefValPrint->setChecked(p.printFactory);
    Edit1->setText(p.comment);
}

void TPrintSetWindow::setComment(const QString &comment)
{
    Edit1->setText(comment.left(PageSetup::CommentMax));
}

void TPrintSetWindow::setValueColor(int bgr)
{
    m_valueColor = bgr & 0xFFFFFF;
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::WindowText, colorOf(m_valueColor));
    Panel1->setPalette(palette);
}

void TPrintSetWindow::DBFontColorClick()
{
    const QColor c = QColorDialog::getColor(colorOf(m_valueColor), this);
    if (c.isValid())
        setValueColor(c.red() | (c.green() << 8) | (c.blue() << 16));
}

void TPrintSetWindow::POrientClick()
{
    m_sketch->setPortrait(POrientP->isChecked());
}

void TPrintSetWindow::CommentPrintClick()
{
    // The comment reads as inactive while it is not printed.
    QPalette palette = Edit1->palette();
    palette.setColor(QPalette::Text, CommentPrint->isChecked() ? QPalette().color(QPalette::WindowText)
                                                               : QPalette().color(QPalette::Disabled, QPalette::Text));
    Edit1->setPalette(palette);
}

PageSetupCheck::Verdict TPrintSetWindow::verdictOf(QWidget *field) const
{
    if (field == TopMarg || field == BottomMarg || field == LeftMarg || field == RightMarg)
        return PageSetupCheck::margin(static_cast<QLineEdit *>(field)->text());
    if (field == DBHeight)
        return PageSetupCheck::rowHeight(DBHeight->text());
    if (field == DBFontSize)
        return PageSetupCheck::fontSize(DBFontSize->currentText());
    if (field == DBFont)
        return PageSetupCheck::font(DBFont->currentText(), ReportFonts::families());
    QStringList papers;
    for (int i = 0; i < PSize->count(); ++i)
        papers << PSize->itemText(i);
    return PageSetupCheck::paper(PSize->currentText(), papers);
}

bool TPrintSetWindow::checkField(QWidget *field)
{
    const PageSetupCheck::Verdict v = verdictOf(field);
    if (v.ok || m_checking)
        return v.ok;
    m_checking = true;  // the message box takes the focus: that is no second leaving of the field
    m_prompter.message(m_session.messages.text(v.message), m_session.messages.caption(), Prompter::Icon::Stop,
                       Prompter::Buttons::Ok);
    m_prompter.pump();
    if (!v.replacement.isEmpty()) {
        if (auto *edit = qobject_cast<QLineEdit *>(field))
            edit->setText(v.replacement);
        else if (auto *box = qobject_cast<QComboBox *>(field))
            box->setCurrentText(v.replacement);
    }
    field->setFocus();
    m_checking = false;
    return false;
}

bool TPrintSetWindow::checkAll()
{
    for (QWidget *field : std::initializer_list<QWidget *>{PSize, TopMarg, BottomMarg, LeftMarg, RightMarg, DBHeight,
                                                          DBFont, DBFontSize}) {
        if (!checkField(field))
            return false;
    }
    return true;
}

bool TPrintSetWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel1 && event->type() == QEvent::MouseButtonDblClick) {
        DBFontColorClick();
        return true;
    }
    QWidget *field = qobject_cast<QWidget *>(watched);
    if (field && (field == DBFont->lineEdit() || field == DBFontSize->lineEdit()))
        field = field->parentWidget();
    const PageSketch::Side side = field == TopMarg ? PageSketch::Top
                                  : field == BottomMarg ? PageSketch::Bottom
                                  : field == LeftMarg ? PageSketch::Left
                                  : field == RightMarg ? PageSketch::Right
                                                       : PageSketch::None;
    const bool enter = event->type() == QEvent::KeyPress
                       && (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return
                           || static_cast<QKeyEvent *>(event)->key() == Qt::Key_Enter);
    if (event->type() == QEvent::FocusIn && side != PageSketch::None)
        m_sketch->setEditing(side);
    if (field && (event->type() == QEvent::FocusOut || enter)) {
        if (checkField(field) && side != PageSketch::None) {
            m_sketch->setEditing(PageSketch::None);
            m_sketch->setMargin(side, PageSetup::wholeText(static_cast<QLineEdit *>(field)->text(), 10, 0, 30));
        }
        return enter;  // Enter checks the field and does not close the window
    }
    return QDialog::eventFilter(watched, event);
}

void TPrintSetWindow::done(int result)
{
    if (!checkAll())
        return;
    m_setup = setup();
    m_setup.write(m_session.settings());
    QDialog::done(result);
}

void TPrintSetWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
}
