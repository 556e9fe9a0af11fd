#include "PanelKey.h"

#include <algorithm>

namespace PanelKeys {

namespace {

constexpr const char *Names[] = {"RUN", "STOP", "UP", "DOWN", "MON", "ENT"};
constexpr qint64 MaxPeriodUnits = 255;

}  // namespace

uint8_t bit(PanelKey key)
{
    return uint8_t(1u << int(key));
}

int base(qint64 periodMs)
{
    const qint64 units = std::clamp<qint64>(periodMs / 4, 0, MaxPeriodUnits);
    return int(units * 256 + 1);
}

int code(int base, PanelKey key)
{
    return base + bit(key) - 1;
}

bool isHeld(PanelKey key)
{
    return key == PanelKey::Up || key == PanelKey::Down;
}

QString name(PanelKey key)
{
    return QLatin1String(Names[int(key)]);
}

std::optional<PanelKey> fromName(const QString &name)
{
    for (int i = 0; i < 6; ++i)
        if (name.compare(QLatin1String(Names[i]), Qt::CaseInsensitive) == 0)
            return PanelKey(i);
    return std::nullopt;
}

}  // namespace PanelKeys
