#include "DriveFrameItems.h"

#include "model/DriveData.h"

std::optional<FrameItem> DriveFrameItems::frameItem(int index) const
{
    if (!m_data.isIndex(index))
        return std::nullopt;
    // "Byte" 4 is a 32-bit parameter; any other text a 16-bit one.
    const bool wide = m_data.paraDat.at(index, ParaDat::Byte).trimmed() == QLatin1String("4");
    return FrameItem{m_data.paraDat.at(index, ParaDat::ComNo), wide};
}

int DriveFrameItems::indexOfComNo(const QString &comNo) const
{
    return m_data.IndexOfComNo(comNo);
}
