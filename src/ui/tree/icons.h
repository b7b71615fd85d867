#pragma once
// The device tree's images, drawn at run time: 0 Ethernet, 1..3 the channel
// a device is reached through, 4 anything else, 5 a channel node.

#include <QIcon>

namespace varnel::ui {

QIcon TreeIcon(int index);

}  // namespace varnel::ui
