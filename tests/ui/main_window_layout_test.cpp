#include "ui/main_window/main_window_layout.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

TEST(Twips, FifteenToAPixelAtNinetySixDotsPerInch) {
    struct Case {
        int twips;
        double dpi;
        int pixels;
    } cases[] = {
        {15, 96, 1},   {3540, 96, 236}, {1000, 96, 67},   {50, 96, 3},
        {465, 96, 31}, {15, 192, 2},    {1000, 144, 100}, {0, 96, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
}

TEST(MainWindowLayout, MinimumClientSize) {
    EXPECT_EQ(minimumClientSize(false, 96), QSize(170, 298));
    EXPECT_EQ(minimumClientSize(true, 96), QSize(246, 298));
    EXPECT_EQ(minimumClientSize(false, 192), QSize(340, 596));
}

TEST(MainWindowLayout, StretchesTheListsAndKeepsTheButtonsAtTheBottom) {
    struct Case {
        const char* name;
        QSize client;
        bool entries, scope;
        QRect List1, List2, Combo2, Check1, Command1, Command2, Combo1;
    } cases[] = {
        {"design size",
         {236, 298},
         false,
         true,
         {0, 56, 236, 167},
         {168, 0, 67, 298},
         {0, 223, 236, 21},
         {8, 247, 153, 17},
         {8, 267, 65, 25},
         {88, 267, 65, 25},
         {0, 16, 236, 21}},
        {"scope list hidden",
         {236, 298},
         false,
         false,
         {0, 56, 236, 191},
         {168, 0, 67, 298},
         {0, 223, 236, 21},
         {8, 247, 153, 17},
         {8, 267, 65, 25},
         {88, 267, 65, 25},
         {0, 16, 236, 21}},
        {"entry list shown",
         {303, 400},
         true,
         true,
         {0, 56, 236, 269},
         {236, 0, 67, 400},
         {0, 325, 236, 21},
         {8, 349, 153, 17},
         {8, 369, 65, 25},
         {88, 369, 65, 25},
         {0, 16, 236, 21}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MainWindowGeometry g = layoutMainWindow(c.client, c.entries, c.scope, 96);
        EXPECT_EQ(g.List1, c.List1);
        EXPECT_EQ(g.Text1, c.List1);
        EXPECT_EQ(g.List2, c.List2);
        EXPECT_EQ(g.Combo2, c.Combo2);
        EXPECT_EQ(g.Check1, c.Check1);
        EXPECT_EQ(g.Command1, c.Command1);
        EXPECT_EQ(g.Command2, c.Command2);
        EXPECT_EQ(g.Combo1, c.Combo1);
    }
}

}  // namespace
}  // namespace lorvane
