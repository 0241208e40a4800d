// Where the file-selection window's controls go for an inner size: the preview pane keeps its
// width at the right edge, the file list takes the rest, and the pattern list, the default box
// and the buttons sit at the bottom under the file list. Lengths are design twips turned into
// pixels at the screen's logical DPI.
#pragma once

#include "ui/twips.h"

#include <QRect>
#include <QSize>

namespace lorvane::file_window {


inline constexpr int kMinInnerWidth = 4590;  // twips
inline constexpr int kMinInnerHeight = 4470;
inline constexpr int kListColumn = 2415;  // the file list's narrowest column
inline constexpr int kMinPreviewWidth = 1200;
inline constexpr int kButtonsFromBottom = 465;
inline constexpr int kGap = 50;
inline constexpr int kLeftMargin = 120;
inline constexpr int kButtonWidth = 975;
inline constexpr int kButtonHeight = 375;
inline constexpr int kCancelLeft = 1320;

// Heights in pixels of the controls whose height the font decides.
struct ControlHeights {
    int patternList;
    int checkBox;
};

struct Geometry {
    QRect list, preview, patternList, checkBox, ok, cancel;
};

// Pixel widths fixed when the window is made.
struct PaneWidths {
    int preview;       // the preview pane's, which never changes
    int minimumInner;  // the smallest inner width
};

// The preview pane gets what the minimum inner width leaves once the file list's column has
// room for the default box's label and the buttons, so no label is cut at the smallest size.
// Only a font too large for even the narrowest pane makes the minimum width grow.
PaneWidths paneWidths(int checkBoxWidth, double logicalDpi);

Geometry layOut(QSize inner, int previewWidth, ControlHeights heights, double logicalDpi);

// The inner size the window snaps back to when it is shrunk below the minimum (each side on
// its own); the size itself when it is large enough.
QSize snappedInnerSize(QSize inner, int minimumWidth, double logicalDpi);

}  // namespace lorvane::file_window
