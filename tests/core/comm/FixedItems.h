#pragma once

#include "comm/FrameItemSource.h"

#include <QList>

// A definition table of a few parameters for exchange tests.
class FixedItems : public FrameItemSource
{
public:
    QList<FrameItem> items{{"0000", false}, {"FB05", false}, {"FB10", true}, {"FC10", false}};

    std::optional<FrameItem> frameItem(int index) const override
    {
        if (index < 0 || index >= items.size())
            return std::nullopt;
        return items.at(index);
    }
    int indexOfComNo(const QString &comNo) const override
    {
        for (int i = 0; i < items.size(); ++i) {
            if (items.at(i).comNo == comNo)
                return i;
        }
        return -1;
    }
};
