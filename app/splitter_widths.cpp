#include "app/splitter_widths.h"

#include "app/window_look.h"

#include <QSplitter>
#include <algorithm>

SplitterWidths::SplitterWidths(const QWidget& window, QSplitter& outer, QWidget& left,
                               QSplitter& inner, QWidget& tree)
    : window_(window), outer_(outer), leftPart_(left), inner_(inner), treePart_(tree) {}

int SplitterWidths::left() const {
    return window_.isVisible() && !pending_ ? leftPart_.width() : left_;
}

int SplitterWidths::tree() const {
    return window_.isVisible() && !pending_ && !treePart_.isHidden() ? treePart_.width() : tree_;
}

void SplitterWidths::setLeft(int width) {
    left_ = std::max(width, look::kLeftPartMinimumWidth);
    apply();
}

void SplitterWidths::setTree(int width) {
    tree_ = std::max(width, 1);
    // The designed width (76) lies under the smallest width a drag leaves (80).
    treePart_.setMinimumWidth(std::min(look::kTreeMinimumWidth, tree_));
    apply();
}

void SplitterWidths::apply() {
    if (!window_.isVisible()) {
        pending_ = true;
        return;
    }
    pending_ = false;
    const int handle1 = outer_.handleWidth();
    outer_.setSizes({left_, std::max(outer_.width() - handle1 - left_, 50)});
    if (!treePart_.isHidden()) {
        const int handle2 = inner_.handleWidth();
        inner_.setSizes(
            {tree_, std::max(leftPart_.width() - handle2 - tree_, look::kCatalogueMinimumWidth)});
    }
}
