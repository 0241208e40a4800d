#include "ui/main_window/main_window_layout.h"

#include <algorithm>
#include <cmath>

namespace lorvane {

QRect toPixels(const Twips& twips, double logicalDpi) {
    return QRect(twipsToPixels(twips.left, logicalDpi), twipsToPixels(twips.top, logicalDpi),
                 twipsToPixels(twips.width, logicalDpi), twipsToPixels(twips.height, logicalDpi));
}

QSize minimumClientSize(bool entryListShown, double logicalDpi, int textWidth) {
    int width = std::max(twipsToPixels(design::minWidthWithoutEntries, logicalDpi), textWidth);
    if (entryListShown)
        width += twipsToPixels(design::minWidthWithEntries, logicalDpi) -
                 twipsToPixels(design::minWidthWithoutEntries, logicalDpi);
    return QSize(width, twipsToPixels(design::minHeight, logicalDpi));
}

MainWindowGeometry layoutMainWindow(QSize client, bool entryListShown, bool scopeListShown,
                                    double logicalDpi) {
    const auto px = [logicalDpi](int twips) { return twipsToPixels(twips, logicalDpi); };
    MainWindowGeometry g{
        toPixels(design::Combo1, logicalDpi),   toPixels(design::List1, logicalDpi),
        toPixels(design::Text1, logicalDpi),    toPixels(design::List2, logicalDpi),
        toPixels(design::Combo2, logicalDpi),   toPixels(design::Check1, logicalDpi),
        toPixels(design::Command1, logicalDpi), toPixels(design::Command2, logicalDpi)};
    const int W = client.width();
    const int H = client.height();

    int tableWidth = W;
    g.List2.setHeight(H);
    if (entryListShown) {
        tableWidth = W - g.List2.width();
        g.List2.moveLeft(W - g.List2.width());
    }
    g.List1.setWidth(tableWidth);
    g.Text1.setWidth(tableWidth);

    g.Command1.moveTop(H - px(design::buttonsFromBottom));
    g.Command2.moveTop(g.Command1.top());
    g.Check1.moveTop(g.Command1.top() - g.Check1.height() - px(design::gap));
    g.Combo2.moveTop(g.Check1.top() - g.Combo2.height() - px(design::gap));

    const int tableBottom = scopeListShown ? g.Combo2.top() : g.Check1.top();
    g.List1.setHeight(tableBottom - g.List1.top());
    g.Text1.setHeight(g.List1.height());

    g.Combo1.setWidth(tableWidth);
    g.Combo2.setWidth(tableWidth);
    return g;
}

}  // namespace lorvane
