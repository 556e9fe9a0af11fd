#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class DriveData;

// Draws the cells of the parameter grid: background by column and marks, text colour by the
// parameter's flag, write and error marks, bold for values written, alignment by column.
class ParameterCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    struct Colours {
        QColor otherCell{255, 255, 224};  // "Other Value Cell Color."
        QColor settingCell{Qt::white};    // "Setting Value Cell Color."
        QColor cvCell{255, 255, 0};       // "Current/Voltage Cell Color."
        bool cvCellOn = false;            // the Current/Voltage cell colour option is checked
        QColor selectedText{Qt::white};   // "Selected Value Text Color."
        QColor settingText{Qt::black};    // "Setting Value Text Color.": the value column
        QColor otherText{Qt::black};      // "Other Value Text Color.": columns 1, 2 and 4 to 7
    };

    ParameterCellDelegate(const DriveData &data, QObject *parent = nullptr);

    Colours colours;
    /// Set while 'Changed' Only, Blind or Quick narrows the rows.
    bool filterOn = false;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    /// A cell too narrow for its text shows the whole text as its tool tip.
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    static Qt::Alignment alignmentOf(int column);
    /// Background and text colour of a data cell, and whether its text is bold. `normal` is
    /// the text colour of cells that are no parameter's (the number column).
    QColor background(int column, int parameter, bool selected, const QColor &fixed) const;
    QColor textColour(int column, int parameter, bool selected, const QColor &normal, bool *bold) const;

private:
    QFont cellFont(const QStyleOptionViewItem &option, const QModelIndex &index) const;

    const DriveData &m_data;
};
