#pragma once

#include <QSize>

// The zoom window's picture area on a screen of the given size: the screen
// less 60 pixels across and 90 down, room for the window's frame and the
// desktop's bars.
QSize areaZoom(const QSize &schermo);
