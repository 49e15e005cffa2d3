#include "app/core/windowplacement.h"

#include "base/settingsstore.h"

#include <algorithm>
#include <limits>

QString WindowPlacement::Format() const
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
        .arg(flags)
        .arg(showCmd)
        .arg(minX)
        .arg(minY)
        .arg(maxX)
        .arg(maxY)
        .arg(left)
        .arg(top)
        .arg(right)
        .arg(bottom);
}

std::optional<WindowPlacement> WindowPlacement::Parse(const QString &text)
{
    const std::vector<long long> n = ScanIntegerList(text, 10);
    if (n.size() != 10)
        return std::nullopt;
    // The first two are unsigned, as scanf's %u takes them (-1 wraps);
    // the others must fit a signed 32-bit number.
    for (std::size_t i = 2; i < n.size(); ++i)
        if (n[i] < std::numeric_limits<int32_t>::min() || n[i] > std::numeric_limits<int32_t>::max())
            return std::nullopt;
    WindowPlacement p;
    p.flags = uint32_t(n[0]);
    p.showCmd = uint32_t(n[1]);
    p.minX = int32_t(n[2]);
    p.minY = int32_t(n[3]);
    p.maxX = int32_t(n[4]);
    p.maxY = int32_t(n[5]);
    p.left = int32_t(n[6]);
    p.top = int32_t(n[7]);
    p.right = int32_t(n[8]);
    p.bottom = int32_t(n[9]);
    return p;
}

QRect WindowPlacement::NormalRect() const
{
    // In 64 bits: the stored numbers may be any 32-bit values.
    const qint64 width = qint64(right) - left;
    const qint64 height = qint64(bottom) - top;
    if (width <= 0 || height <= 0 || width > std::numeric_limits<int>::max() ||
        height > std::numeric_limits<int>::max())
        return QRect();
    return QRect(left, top, int(width), int(height));
}

void WindowPlacement::SetNormalRect(const QRect &r)
{
    left = r.left();
    top = r.top();
    right = r.left() + r.width();
    bottom = r.top() + r.height();
}

bool WindowPlacement::OpensMaximized() const
{
    // A window closed while minimized comes back as it was before it was
    // minimized, never minimized itself.
    return showCmd == ShowMaximized || (showCmd == ShowMinimized && (flags & kRestoreToMaximized));
}

bool operator==(const WindowPlacement &a, const WindowPlacement &b)
{
    return a.flags == b.flags && a.showCmd == b.showCmd && a.minX == b.minX && a.minY == b.minY
           && a.maxX == b.maxX && a.maxY == b.maxY && a.left == b.left && a.top == b.top && a.right == b.right
           && a.bottom == b.bottom;
}

QRect FitOnScreens(const QRect &window, const QList<QRect> &areas)
{
    if (!window.isValid())
        return QRect();
    QRect area;
    qint64 largestOverlap = 0;
    for (const QRect &candidate : areas) {
        const QRect overlap = window.intersected(candidate);
        const qint64 size = overlap.isValid() ? qint64(overlap.width()) * overlap.height() : 0;
        if (size > largestOverlap) {
            largestOverlap = size;
            area = candidate;
        }
    }
    if (largestOverlap == 0)
        return QRect();
    // Built from the clamped corner: moving the rectangle there would
    // overflow for a window stored near the ends of the 32-bit range.
    const QSize size = window.size().boundedTo(area.size());
    const QPoint corner(std::clamp(window.left(), area.left(), area.left() + area.width() - size.width()),
                        std::clamp(window.top(), area.top(), area.top() + area.height() - size.height()));
    return QRect(corner, size);
}
