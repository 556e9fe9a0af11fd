#pragma once

#include <QPixmap>

// The picture behind the start-up window, 358 by 239 pixels.
namespace StartupPicture {
QPixmap make();
}
