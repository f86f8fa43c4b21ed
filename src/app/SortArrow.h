// The small arrow a column header shows for its sort direction, shared by the program's lists.
#pragma once

#include <QPixmap>

namespace vorpel {

// A 12 x 12 pixel triangle pointing up (ascending) or down (descending).
QPixmap SortArrow(bool up);

} // namespace vorpel
