#pragma once

#include "FrameItemSource.h"

class DriveData;

// The exchange's view of the loaded definition table: "ComNo" and "Byte" of a parameter row.
class DriveFrameItems : public FrameItemSource
{
public:
    explicit DriveFrameItems(const DriveData &data) : m_data(data) {}

    std::optional<FrameItem> frameItem(int index) const override;
    int indexOfComNo(const QString &comNo) const override;

private:
    const DriveData &m_data;
};
