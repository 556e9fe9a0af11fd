#pragma once

#include <QWidget>

class QLineEdit;
class QSpinBox;

// An entry field with an up-down beside it. The field holds free text (the window validates
// it when it is left, on Enter and on a click of the up-down); the up-down holds the whole
// number the last accepted entry gave, in its own unit and steps.
class UpDownEdit : public QWidget
{
    Q_OBJECT

public:
    UpDownEdit(const QString &editName, const QString &upDownName, QWidget *parent);

    QLineEdit *edit() const { return m_edit; }
    QSpinBox *upDown() const { return m_upDown; }
    QString text() const;
    void setText(const QString &text);
    /// Sets the up-down's position without reporting a click.
    void setPosition(int position);
    int position() const;
    void setLimits(int low, int high, int step);

signals:
    /// The field was left or Enter was pressed.
    void entered();
    /// The user clicked the up-down; it now stands at `position`.
    void stepped(int position);

private:
    QLineEdit *m_edit;
    QSpinBox *m_upDown;
};
