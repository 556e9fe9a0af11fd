#include "UpDownEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

UpDownEdit::UpDownEdit(const QString &editName, const QString &upDownName, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(editName);
    m_edit->setAlignment(Qt::AlignRight);
    m_edit->setFixedWidth(48);
    m_upDown = new QSpinBox(this);
    m_upDown->setObjectName(upDownName);
    // Only the arrows of the spin box show: the number is the field's.
    m_upDown->setFixedWidth(18);
    m_upDown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    m_upDown->setStyleSheet(QStringLiteral("QSpinBox { color: transparent; selection-color: transparent; "
                                           "selection-background-color: transparent; }"));
    m_upDown->setFocusPolicy(Qt::NoFocus);
    m_upDown->setReadOnly(false);
    layout->addWidget(m_edit);
    layout->addWidget(m_upDown);
    connect(m_edit, &QLineEdit::editingFinished, this, &UpDownEdit::entered);
    connect(m_upDown, &QSpinBox::valueChanged, this, &UpDownEdit::stepped);
}

QString UpDownEdit::text() const
{
    return m_edit->text();
}

void UpDownEdit::setText(const QString &text)
{
    m_edit->setText(text);
}

void UpDownEdit::setPosition(int position)
{
    const QSignalBlocker block(m_upDown);
    m_upDown->setValue(position);
}

int UpDownEdit::position() const
{
    return m_upDown->value();
}

void UpDownEdit::setLimits(int low, int high, int step)
{
    const QSignalBlocker block(m_upDown);
    m_upDown->setRange(low, high);
    m_upDown->setSingleStep(step);
}
