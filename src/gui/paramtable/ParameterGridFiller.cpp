#include "ParameterGridFiller.h"

#include "model/DriveData.h"

ParameterGridFiller::ParameterGridFiller(DriveData &data, const MessageTable &messages, Prompter &prompter)
    : m_data(data)
    , m_rows(data, messages, prompter)
{
}

void ParameterGridFiller::refreshLimits(ParameterGridModel &model)
{
    for (int r = 1; r < model.gridRowCount(); ++r) {
        const int index = m_data.IndexOfComNo(model.cell(r, 1));
        if (index < 0)
            continue;
        const std::array<QString, 2> limits = m_rows.refreshedLimits(index);
        model.setCell(r, 5, limits[1], false);
        model.setCell(r, 4, limits[0], false);
    }
    model.redraw();
}
