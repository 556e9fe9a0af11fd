#include "ParameterCellDelegate.h"

#include "ParameterGridModel.h"
#include "model/DriveData.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {
const QColor SelectBlue(0, 0, 255);
const QColor Highlight(0, 0, 160);
const QColor Red(255, 0, 0);
const QColor Silver(192, 192, 192);
constexpr int TextMargin = 2;  // pixels left free on either side of a cell's text
}  // namespace

ParameterCellDelegate::ParameterCellDelegate(const DriveData &data, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_data(data)
{
}

Qt::Alignment ParameterCellDelegate::alignmentOf(int column)
{
    switch (column) {
    case 2:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case 4:
    case 5:
    case 6:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        break;
    }
    return Qt::AlignCenter;
}

QColor ParameterCellDelegate::background(int column, int parameter, bool selected, const QColor &fixed) const
{
    if (selected)
        return Highlight;
    if (column == 0)
        return fixed;
    const bool known = m_data.isIndex(parameter);
    if (column == 3)
        return known && m_data.uPara.flag(parameter, UPara::SelectIndex) ? SelectBlue : colours.settingCell;
    if (column == 6 && known && !filterOn && m_data.cvDisplay && colours.cvCellOn) {
        const QString &cv = m_data.paraDat.at(parameter, ParaDat::CurrentVoltIndex);
        if (cv == QLatin1String("C") || cv == QLatin1String("V"))
            return colours.cvCell;
    }
    return colours.otherCell;
}

QColor ParameterCellDelegate::textColour(int column, int parameter, bool selected, const QColor &normal,
                                         bool *bold) const
{
    *bold = false;
    QColor colour = normal;
    if (column >= 1 && m_data.isIndex(parameter)) {
        colour = column == 3 ? colours.settingText : colours.otherText;
        const QString &flag = m_data.paraDat.at(parameter, ParaDat::Flag);
        if (flag == QLatin1String("1"))
            colour = Red;
        else if (flag == QLatin1String("2"))
            colour = Silver;
        if (column == 3) {
            const UPara &u = m_data.uPara;
            *bold = u.flag(parameter, UPara::WriteIndex);
            if (u.flag(parameter, UPara::CommErrIndex))
                colour = Silver;
            if (u.flag(parameter, UPara::SelectIndex))
                colour = Qt::white;
        }
    }
    return selected ? colours.selectedText : colour;
}

void ParameterCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const int column = index.column();
    const int parameter = index.data(ParameterGridModel::IndexRole).toInt();
    const bool selected = (option.state & QStyle::State_Selected) && column > 0;
    painter->save();
    painter->fillRect(option.rect, background(column, parameter, selected, option.palette.color(QPalette::Button)));
    bool bold = false;
    const QColor text = textColour(column, parameter, selected, option.palette.color(QPalette::Text), &bold);
    QFont font = option.font;
    font.setBold(bold);
    painter->setFont(font);
    painter->setPen(text);
    const QRect area = option.rect.adjusted(TextMargin, 0, -TextMargin, 0);
    painter->drawText(area, int(alignmentOf(column)) | Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QFont ParameterCellDelegate::cellFont(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    bool bold = false;
    textColour(index.column(), index.data(ParameterGridModel::IndexRole).toInt(), false, QColor(), &bold);
    QFont font = option.font;
    font.setBold(bold);
    return font;
}

bool ParameterCellDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                      const QModelIndex &index)
{
    if (!event || event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    const int room = option.rect.width() - 2 * TextMargin;
    if (QFontMetrics(cellFont(option, index)).horizontalAdvance(text) > room)
        QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
    else
        QToolTip::hideText();
    return true;
}
