#pragma once

#include <QPixmap>

namespace ykt {

// The picture shown while no module is attached: a communicator module with
// its antenna and the USB cable to the computer.
QPixmap drawStartPicture(const QSize &size);

} // namespace ykt
