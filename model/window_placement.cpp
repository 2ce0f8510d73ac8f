#include "model/window_placement.h"

#include <algorithm>

namespace placement {

namespace {

qint64 overlap(qint64 a1, qint64 a2, qint64 b1, qint64 b2) {
    return std::max<qint64>(0, std::min(a2, b2) - std::max(a1, b1));
}

// A coordinate that puts [pos, pos + size) inside [lo, lo + room), or lo when it cannot fit.
qint64 within(qint64 pos, qint64 size, qint64 lo, qint64 room) {
    return std::max(lo, std::min(pos, lo + room - size));
}

} // namespace

QRect fitWindow(const Stored& wanted, const QList<QRect>& screens, QSize minimum, QSize frame) {
    // Sixty-four bits: stored values added to each other overflow thirty-two.
    const qint64 left = wanted.left;
    const qint64 top = wanted.top;
    const qint64 outerW = std::max<qint64>(wanted.width, 0) + frame.width();
    const qint64 outerH = std::max<qint64>(wanted.height, 0) + frame.height();
    if (screens.isEmpty())
        return QRect(0, 0, std::max(minimum.width(), 1), std::max(minimum.height(), 1));

    // The middle of the title bar, then the largest overlap, then the primary screen.
    const qint64 titleX = left + outerW / 2;
    const qint64 titleY = top + std::max(frame.height(), 1) / 2;
    const QRect* chosen = nullptr;
    for (const QRect& s : screens)
        if (titleX >= s.left() && titleX <= s.right() && titleY >= s.top() && titleY <= s.bottom())
            chosen = &s;
    if (!chosen) {
        qint64 best = 0;
        for (const QRect& s : screens) {
            const qint64 area = overlap(left, left + outerW, s.left(), s.right() + 1) *
                                overlap(top, top + outerH, s.top(), s.bottom() + 1);
            if (area > best) {
                best = area;
                chosen = &s;
            }
        }
    }
    const QRect& screen = chosen ? *chosen : screens.front();

    const qint64 roomW = std::max<qint64>(screen.width() - frame.width(), minimum.width());
    const qint64 roomH = std::max<qint64>(screen.height() - frame.height(), minimum.height());
    const qint64 w = std::clamp<qint64>(wanted.width, minimum.width(), roomW);
    const qint64 h = std::clamp<qint64>(wanted.height, minimum.height(), roomH);
    const qint64 x = within(left, w + frame.width(), screen.left(), screen.width());
    const qint64 y = within(top, h + frame.height(), screen.top(), screen.height());
    return QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(w),
                 static_cast<int>(h));
}

int fitSplit(qint32 wanted, int room, int minFirst, int minSecond) {
    const int most = std::max(minFirst, room - minSecond);
    return std::clamp<int>(wanted, minFirst, most);
}

} // namespace placement
