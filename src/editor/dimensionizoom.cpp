#include "editor/dimensionizoom.h"

#include <algorithm>

QSize areaZoom(const QSize &schermo)
{
    return QSize(std::max(0, schermo.width() - 60), std::max(0, schermo.height() - 90));
}
