// The small arrow a column header shows for its sort direction, shared by the program's lists.
#include "app/SortArrow.h"

#include <QPainter>
#include <QPolygon>

namespace vorpel {

QPixmap SortArrow(bool up) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 60, 60));
    painter.drawPolygon(up ? QPolygon({QPoint(6, 2), QPoint(11, 9), QPoint(1, 9)})
                           : QPolygon({QPoint(1, 3), QPoint(11, 3), QPoint(6, 10)}));
    return pixmap;
}

} // namespace vorpel
