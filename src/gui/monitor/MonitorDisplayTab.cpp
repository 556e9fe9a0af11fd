#include "MonitorDisplayTab.h"

#include "MonitorChart.h"
#include "app/LanguageFile.h"
#include "UpDownEdit.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

MonitorDisplayTab::MonitorDisplayTab(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet2"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    auto *top = new QHBoxLayout;
    Chart2 = new MonitorChart(this);
    Chart2->setMinimumSize(360, 220);
    top->addWidget(Chart2, 1);
    top->addWidget(createChannelPanel());
    layout->addLayout(top, 1);
    layout->addWidget(createEntryRow());
    layout->addWidget(createButtonRow());
}

QWidget *MonitorDisplayTab::createChannelPanel()
{
    auto *panel = new QWidget(this);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    Label11 = new QLabel(panel);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label12 = new QLabel(panel);
    Label12->setObjectName(QStringLiteral("Label12"));
    grid->addWidget(Label11, 0, 0);
    grid->addWidget(Label12, 0, 1, Qt::AlignHCenter);
    for (int c = 0; c < Channels; ++c) {
        const QString n = QString::number(c + 1);
        CHLabel[c] = new QLabel(QStringLiteral("CH") + n, panel);
        CHLabel[c]->setObjectName(QStringLiteral("CHLabel") + n);
        CHLabel[c]->installEventFilter(this);
        ValueField[c] = new QLabel(QStringLiteral("0"), panel);
        ValueField[c]->setObjectName(QStringLiteral("ValueField") + n);
        ValueField[c]->setFrameShape(QFrame::StyledPanel);
        ValueField[c]->setFrameShadow(QFrame::Sunken);
        ValueField[c]->setAutoFillBackground(true);
        ValueField[c]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ValueField[c]->setMinimumWidth(74);
        ValueField[c]->setMargin(2);
        QFont bold = ValueField[c]->font();
        bold.setBold(true);
        ValueField[c]->setFont(bold);
        UnitLabel[c] = new QLabel(panel);
        UnitLabel[c]->setObjectName(QStringLiteral("UnitLabel") + n);
        UnitLabel[c]->setMinimumWidth(34);
        grid->addWidget(CHLabel[c], c + 1, 0);
        grid->addWidget(ValueField[c], c + 1, 1);
        grid->addWidget(UnitLabel[c], c + 1, 2);
    }
    grid->setRowStretch(Channels + 1, 1);
    return panel;
}

QWidget *MonitorDisplayTab::createEntryRow()
{
    auto *row = new QWidget(this);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(4);
    auto label = [&](const char *name) {
        auto *l = new QLabel(row);
        l->setObjectName(QString::fromLatin1(name));
        h->addWidget(l);
        return l;
    };
    Label21 = label("Label21");
    XValMax = new UpDownEdit(QStringLiteral("XValMax"), QStringLiteral("UpDownMax"), row);
    XValMax->setLimits(100, 500, 5);
    h->addWidget(XValMax);
    h->addSpacing(8);
    Label22 = label("Label22");
    TimeVal = new UpDownEdit(QStringLiteral("TimeVal"), QStringLiteral("UpDownSPD"), row);
    h->addWidget(TimeVal);
    TimeFixed = label("TimeFixed");
    TimeFixed->setFrameShape(QFrame::StyledPanel);
    TimeFixed->setFrameShadow(QFrame::Sunken);
    TimeFixed->setEnabled(false);
    TimeFixed->hide();
    Label23 = label("Label23");
    h->addSpacing(8);
    Label24 = label("Label24");
    ZoomVal = new UpDownEdit(QStringLiteral("ZoomVal"), QStringLiteral("UpDownZoom"), row);
    ZoomVal->setLimits(5, 100, 5);
    h->addWidget(ZoomVal);
    ScopeUnit = label("ScopeUnit");
    ScopeUnit->setText(QStringLiteral("(%)"));
    h->addSpacing(12);
    CheckBoxZoom = new QCheckBox(row);
    CheckBoxZoom->setObjectName(QStringLiteral("CheckBoxZoom"));
    h->addWidget(CheckBoxZoom);
    Trigger = new QCheckBox(row);
    Trigger->setObjectName(QStringLiteral("Trigger"));
    h->addWidget(Trigger);
    h->addStretch(1);
    return row;
}

QWidget *MonitorDisplayTab::createButtonRow()
{
    auto *row = new QWidget(this);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);
    auto label = [&](const char *name) {
        auto *l = new QLabel(row);
        l->setObjectName(QString::fromLatin1(name));
        h->addWidget(l);
        return l;
    };
    Label42 = label("Label42");
    TrgCHDisp = label("TrgCHDisp");
    TrgCHDisp->setMinimumWidth(36);
    TrgCHDisp->installEventFilter(this);
    Label43 = label("Label43");
    Image6 = label("Image6");
    Image6->setFixedSize(22, 18);
    Image6->installEventFilter(this);
    h->addSpacing(8);
    Label41 = label("Label41");
    QFont bold = Label41->font();
    bold.setBold(true);
    Label41->setFont(bold);
    Label41->hide();
    h->addStretch(1);
    auto button = [&](const char *name) {
        auto *b = new QPushButton(row);
        b->setObjectName(QString::fromLatin1(name));
        h->addWidget(b);
        return b;
    };
    MonStart = button("MonStart");
    MonStop = button("MonStop");
    MonOpen = button("MonOpen");
    MonSave = button("MonSave");
    MonPrint = button("MonPrint");
    return row;
}

bool MonitorDisplayTab::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int c = 0; c < Channels; ++c) {
            if (watched == CHLabel[c])
                emit channelLabelClicked(c);
        }
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == TrgCHDisp)
            emit sourceDoubleClicked();
        else if (watched == Image6)
            emit slopeDoubleClicked();
    }
    return QWidget::eventFilter(watched, event);
}

void MonitorDisplayTab::applyTexts(const LanguageFile &lang)
{
    auto text = [&](const char *key, const char *def) {
        return lang.text(QStringLiteral("Monitor"), QString::fromLatin1(key), QString::fromLatin1(def));
    };
    Label11->setText(text("Label11", "Trigger"));
    Label12->setText(text("Label12", "Value"));
    Label21->setText(text("Label21", "Max."));
    Label22->setText(text("Label22", "Time"));
    Label23->setText(text("Label23", "(s/div)"));
    Label24->setText(text("Label24", "Zoom"));
    CheckBoxZoom->setText(text("Check3", "Zoom"));
    Trigger->setText(text("Check4", "Use Level Trigger"));
    Label41->setText(text("Label41", "Continuous Monitoring"));
    Label42->setText(text("Label42", "Sourse") + QStringLiteral(" :"));
    Label43->setText(text("Label43", "Slope") + QStringLiteral(" :"));
    MonStart->setText(text("Button1", "Start"));
    MonStop->setText(text("Button2", "Stop"));
    MonOpen->setText(text("Button3", "Open"));
    MonSave->setText(text("Button4", "Save As"));
    MonPrint->setText(text("Button5", "Print"));
    Chart2->setTexts(QStringLiteral("Waiting for Trigger"), text("Label23", "(s/div)"));
}

void MonitorDisplayTab::showSlope(int slope, const QString &hint)
{
    // A rising (0), falling (1) or two-way (2) edge over a dashed level line.
    QPixmap picture(22, 18);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    p.drawLine(1, 9, 21, 9);
    p.setPen(QPen(Qt::black, 1.6));
    if (slope != 1)
        p.drawPolyline(QPolygonF({QPointF(2, 15), QPointF(8, 15), QPointF(11, 3), QPointF(14, 3)}));
    if (slope != 0)
        p.drawPolyline(QPolygonF({QPointF(slope == 2 ? 11 : 2, 3), QPointF(slope == 2 ? 14 : 8, 3),
                                  QPointF(17, 15), QPointF(20, 15)}));
    p.end();
    Image6->setPixmap(picture);
    Image6->setToolTip(hint);
}
