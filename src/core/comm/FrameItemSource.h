#pragma once

#include "FrameItem.h"

#include <optional>

// Where the exchange finds a parameter's communication number and width by its index in the
// definition table. The parameter model implements it; tests give a small fixed table.
class FrameItemSource
{
public:
    virtual ~FrameItemSource() = default;
    /// The item of parameter `index` (zero-based), or nothing when there is no such row.
    virtual std::optional<FrameItem> frameItem(int index) const = 0;
    /// The index of a communication number, or -1.
    virtual int indexOfComNo(const QString &comNo) const = 0;
};
