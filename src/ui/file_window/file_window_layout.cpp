#include "ui/file_window/file_window_layout.h"

#include <algorithm>
#include <cmath>

namespace lorvane::file_window {

PaneWidths paneWidths(int checkBoxWidth, double logicalDpi) {
    const auto px = [logicalDpi](int twips) { return twipsToPixels(twips, logicalDpi); };
    const int column = std::max(px(kListColumn), px(kLeftMargin) + checkBoxWidth + px(kGap));
    const int preview = std::max(px(kMinPreviewWidth), px(kMinInnerWidth) - column);
    return {preview, std::max(px(kMinInnerWidth), preview + column)};
}

Geometry layOut(QSize inner, int previewWidth, ControlHeights heights, double logicalDpi) {
    const auto px = [logicalDpi](int twips) { return twipsToPixels(twips, logicalDpi); };
    Geometry g;
    g.preview = QRect(inner.width() - previewWidth, 0, previewWidth, inner.height());
    const int listWidth = std::max(0, inner.width() - previewWidth);

    const int buttonTop = inner.height() - px(kButtonsFromBottom);
    g.ok = QRect(px(kLeftMargin), buttonTop, px(kButtonWidth), px(kButtonHeight));
    g.cancel = QRect(px(kCancelLeft), buttonTop, px(kButtonWidth), px(kButtonHeight));

    const int checkTop = buttonTop - heights.checkBox - px(kGap);
    g.checkBox = QRect(px(kLeftMargin), checkTop, std::max(0, listWidth - px(kLeftMargin)),
                       heights.checkBox);
    const int patternTop = checkTop - heights.patternList - px(kGap);
    g.patternList = QRect(0, patternTop, listWidth, heights.patternList);
    g.list = QRect(0, 0, listWidth, std::max(0, patternTop));
    return g;
}

QSize snappedInnerSize(QSize inner, int minimumWidth, double logicalDpi) {
    return QSize(std::max(inner.width(), minimumWidth),
                 std::max(inner.height(), twipsToPixels(kMinInnerHeight, logicalDpi)));
}

}  // namespace lorvane::file_window
