#include "MonitorSettingTab.h"

#include "ColorBox.h"
#include "UpDownEdit.h"
#include "app/LanguageFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

MonitorSettingTab::MonitorSettingTab(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet1"));
    auto *outer = new QHBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    auto heading = [&](QLabel *&label, const char *name, int column) {
        label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        grid->addWidget(label, 0, column, Qt::AlignHCenter | Qt::AlignBottom);
    };
    heading(Label61, "Label61", 2);
    heading(Label62, "Label62", 3);
    heading(Label63, "Label63", 4);
    heading(Label64, "Label64", 5);
    for (int c = 0; c < Channels; ++c)
        createChannelRow(grid, c);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(Channels + 1, 1);
    outer->addLayout(grid, 1);
    auto *side = new QVBoxLayout;
    side->addWidget(createTriggerGroup());
    side->addStretch(1);
    outer->addLayout(side);
}

void MonitorSettingTab::createChannelRow(QGridLayout *grid, int c)
{
    const int row = c + 1;
    const QString n = QString::number(c + 1);
    AryCheckBox[c] = new QCheckBox(QStringLiteral("CH") + n, this);
    AryCheckBox[c]->setObjectName(QStringLiteral("AryCheckBox") + n);
    AryMonName[c] = new QComboBox(this);
    AryMonName[c]->setObjectName(QStringLiteral("AryMonName") + n);
    AryMonName[c]->setMinimumWidth(150);
    AryMonName[c]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    AryDisp[c] = new QCheckBox(this);
    AryDisp[c]->setObjectName(QStringLiteral("AryDisp") + n);
    AryTCMax[c] = new UpDownEdit(QStringLiteral("AryTCMax") + n, QStringLiteral("AryUpDown") + n, this);
    AryTCMax[c]->setLimits(1, 100, 1);
    AryPlus[c] = new UpDownEdit(QStringLiteral("AryPlus") + n, QStringLiteral("AryOUpDown") + n, this);
    AryPlus[c]->setLimits(0, 500, 1);
    AryMonCHSet[c] = new ColorBox(this);
    AryMonCHSet[c]->setObjectName(QStringLiteral("AryMonCHSet") + n);
    grid->addWidget(AryCheckBox[c], row, 0);
    grid->addWidget(AryMonName[c], row, 1);
    grid->addWidget(AryDisp[c], row, 2, Qt::AlignHCenter);
    grid->addWidget(AryTCMax[c], row, 3, Qt::AlignHCenter);
    grid->addWidget(AryPlus[c], row, 4, Qt::AlignHCenter);
    grid->addWidget(AryMonCHSet[c], row, 5, Qt::AlignHCenter);
}

QGroupBox *MonitorSettingTab::createTriggerGroup()
{
    Group7 = new QGroupBox(this);
    Group7->setObjectName(QStringLiteral("Group7"));
    auto *grid = new QGridLayout(Group7);
    Label71 = new QLabel(Group7);
    Label71->setObjectName(QStringLiteral("Label71"));
    Label72 = new QLabel(Group7);
    Label72->setObjectName(QStringLiteral("Label72"));
    Level = new UpDownEdit(QStringLiteral("Edit3"), QStringLiteral("TrigLvl"), Group7);
    Level->setLimits(0, 500, 5);
    Delay = new UpDownEdit(QStringLiteral("Edit4"), QStringLiteral("TrigPos"), Group7);
    Delay->setLimits(0, 100, 5);
    grid->addWidget(Label71, 0, 0);
    grid->addWidget(Level, 0, 1);
    grid->addWidget(Label72, 1, 0);
    grid->addWidget(Delay, 1, 1);
    return Group7;
}

void MonitorSettingTab::applyTexts(const LanguageFile &lang)
{
    auto text = [&](const char *key, const char *def) {
        return lang.text(QStringLiteral("Monitor"), QString::fromLatin1(key), QString::fromLatin1(def));
    };
    Label61->setText(text("Label61", "Unit Chg."));
    Label62->setText(text("Label62", "Multi."));
    Label63->setText(text("Label63", "Offset"));
    Label64->setText(text("Label64", "Color"));
    Group7->setTitle(text("Group7", "Trigger Setting"));
    Label71->setText(text("Label71", "Level"));
    Label72->setText(text("Label72", "Delay (%)"));
}
