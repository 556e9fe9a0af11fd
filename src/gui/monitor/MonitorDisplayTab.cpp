#include "MonitorDisplayTab.h"

#include "MonitorChart.h"
#include "UpDownEdit.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
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
