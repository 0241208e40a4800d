#include "ui/file_window/file_window_layout.h"

#include <gtest/gtest.h>

namespace lorvane::file_window {
namespace {

TEST(FileWindowLayout, PreviewAtTheRightAndControlsUnderTheList) {
    const ControlHeights heights{24, 20};
    const int preview = 145;
    const Geometry g = layOut(QSize(600, 400), preview, heights, 96);
    EXPECT_EQ(g.preview, QRect(600 - preview, 0, preview, 400));
    EXPECT_EQ(g.ok.top(), 400 - 31);
    EXPECT_EQ(g.cancel.top(), g.ok.top());
    EXPECT_LT(g.ok.right(), g.cancel.left());
    EXPECT_EQ(g.checkBox.top(), g.ok.top() - 20 - 3);
    EXPECT_EQ(g.patternList.top(), g.checkBox.top() - 24 - 3);
    EXPECT_EQ(g.patternList.width(), 600 - preview);
    EXPECT_EQ(g.list, QRect(0, 0, 600 - preview, g.patternList.top()));
    EXPECT_LE(g.cancel.right(), g.list.right());  // the buttons stay in the list's column
}

TEST(FileWindowLayout, ScalesWithTheLogicalDpi) {
    EXPECT_EQ(twipsToPixels(1440, 96), 96);
    EXPECT_EQ(twipsToPixels(1440, 192), 192);
    EXPECT_EQ(twipsToPixels(4590, 96), 306);
    const Geometry g = layOut(QSize(1200, 800), 290, {48, 40}, 192);
    EXPECT_EQ(g.preview, QRect(910, 0, 290, 800));
    EXPECT_EQ(g.ok, QRect(16, 800 - 62, 130, 50));
    EXPECT_EQ(g.cancel.left(), 176);
}

TEST(FileWindowLayout, PreviewGetsWhatTheListColumnLeaves) {
    struct Case {
        int checkBoxWidth;
        double dpi;
        PaneWidths widths;
    } cases[] = {
        {100, 96, {145, 306}},  // the narrowest column: 2415 twips
        {176, 96, {119, 306}},  // room for a wider label, taken from the preview
        {400, 96, {80, 491}},   // the preview at its narrowest: the minimum grows
        {200, 192, {290, 612}},
    };
    for (const auto& c : cases) {
        const PaneWidths widths = paneWidths(c.checkBoxWidth, c.dpi);
        EXPECT_EQ(widths.preview, c.widths.preview) << c.checkBoxWidth << " at " << c.dpi;
        EXPECT_EQ(widths.minimumInner, c.widths.minimumInner) << c.checkBoxWidth << " at " << c.dpi;
    }
}

TEST(FileWindowLayout, SmallSizesSnapToTheMinimum) {
    struct Case {
        QSize inner;
        QSize snapped;
    } cases[] = {
        {{100, 100}, {306, 298}}, {{305, 400}, {306, 400}}, {{500, 297}, {500, 298}},
        {{306, 298}, {306, 298}}, {{800, 600}, {800, 600}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(snappedInnerSize(c.inner, 306, 96), c.snapped)
            << c.inner.width() << "x" << c.inner.height();
    }
}

}  // namespace
}  // namespace lorvane::file_window
