#include "ui/file_window/picked_names.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

TEST(PickedNames, KeepsNamesAcrossRelisting) {
    PickedNames picked(u"a.txt");
    EXPECT_TRUE(picked.contains(u"a.txt"));
    EXPECT_FALSE(picked.contains(u"A.TXT"));  // letter case counts

    picked.note(u"a.txt", true);
    picked.note(u"b.txt", true);
    picked.note(u"a.txt", false);  // a name added twice is still gone once deselected
    EXPECT_FALSE(picked.contains(u"a.txt"));
    EXPECT_TRUE(picked.contains(u"b.txt"));
}

TEST(PickedNames, NamesWithSpacesStayWhole) {
    PickedNames picked;
    picked.note(u"my file.txt", true);
    EXPECT_TRUE(picked.contains(u"my file.txt"));
    EXPECT_FALSE(picked.contains(u"file.txt"));
    EXPECT_FALSE(picked.contains(u"my"));
    EXPECT_FALSE(PickedNames(u"").contains(u""));
}

}  // namespace
}  // namespace lorvane
