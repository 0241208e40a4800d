// Where the main window's controls go for a client size: the design geometry in twips, turned
// into pixels at the screen's logical DPI, and the rules that stretch the lists and keep the
// buttons at the bottom when the window is resized.
#pragma once

#include "ui/twips.h"

#include <QRect>
#include <QSize>

namespace lorvane {


// Design geometry in twips (left, top, width, height).
struct Twips {
    int left, top, width, height;
};
namespace design {
inline constexpr Twips Label1{120, 0, 2175, 255};
inline constexpr Twips Combo1{0, 240, 2415, 315};
inline constexpr Twips Label2{120, 600, 2175, 255};
inline constexpr Twips List1{0, 840, 2415, 2010};
inline constexpr Twips Text1{0, 840, 2415, 375};
inline constexpr Twips List2{2520, 0, 1000, 3960};
inline constexpr Twips Combo2{0, 2880, 2415, 315};
inline constexpr Twips Check1{120, 3240, 2295, 255};
inline constexpr Twips Command1{120, 3600, 975, 375};
inline constexpr Twips Command2{1320, 3600, 975, 375};
inline constexpr int clientWidth = 3540;
inline constexpr int clientHeight = 4065;
inline constexpr int minWidthWithEntries = 3690;
inline constexpr int minWidthWithoutEntries = 2550;
inline constexpr int minHeight = 4470;
inline constexpr int buttonsFromBottom = 465;
inline constexpr int gap = 50;
}  // namespace design

QRect toPixels(const Twips& twips, double logicalDpi);

// The smallest client area: wider while the entry list is shown. `textWidth` is the client
// width the widest caption needs in the window's font (0: the design's own); a font wider than
// the design's makes the window's minimum wider by the difference, never narrower.
QSize minimumClientSize(bool entryListShown, double logicalDpi, int textWidth = 0);

struct MainWindowGeometry {
    QRect Combo1, List1, Text1, List2, Combo2, Check1, Command1, Command2;
};

// Lays the controls out in a client area of `client` pixels. Only the entry list's left edge
// moves sideways; labels and the tops of the mode list and the table list stay where they are.
// The entry list keeps its place while hidden.
MainWindowGeometry layoutMainWindow(QSize client, bool entryListShown, bool scopeListShown,
                                    double logicalDpi);

}  // namespace lorvane
