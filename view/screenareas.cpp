#include "view/screenareas.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

QList<QRect> AvailableScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    if (areas.isEmpty())
        areas.append(QRect(0, 0, 1024, 768));
    return areas;
}

int WidestScreenWidth()
{
    int widest = 0;
    for (const QRect &area : AvailableScreenAreas())
        widest = std::max(widest, area.width());
    return widest;
}
