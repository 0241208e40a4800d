#include "settings/qt_settings_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QFile>
#include <QString>
#include <filesystem>

#include "platform/text.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

std::filesystem::path configFile() {
    return std::filesystem::path(::getenv("XDG_CONFIG_HOME")) / "lorvane" / "lorvane.ini";
}

class QtSettings : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::remove(configFile()); }
};

TEST_F(QtSettings, LivesInTheUsersConfigFolder) {
    QtSettingsStore store;
    EXPECT_EQ(std::filesystem::path(store.fileName().toStdString()), configFile());
    store.save(kSettingsSection, u"DefaultFolder", u"2");
    EXPECT_TRUE(std::filesystem::exists(configFile()));
}

TEST_F(QtSettings, AbsentKeysGiveTheFallback) {
    QtSettingsStore store;
    EXPECT_EQ(store.get(kSettingsSection, u"DefaultPattern", u"99"), u"99");
    EXPECT_EQ(store.get(kArchiverSection, u"zip", u""), u"");
}

TEST_F(QtSettings, ValuesSurviveIntoTheNextStart) {
    struct Case {
        std::u16string section, key, value;
    } cases[] = {
        {kSettingsSection, u"DefaultFolder", u"2"},
        {kSettingsSection, u"DefaultMode", u"1"},
        {kSettingsSection, u"DefaultPattern", u"99"},
        {kArchiverSection, u"zip", u"/usr/bin/unzip"},
        {kArchiverSection, u"ZIP", u"/opt/Архиватор/unzip, old"},
        {kArchiverSection, u"rar", u"@/odd value; with = signs"},
        {kArchiverSection, u"arj", u""},
    };
    {
        QtSettingsStore first;
        for (const auto& c : cases)
            first.save(c.section, c.key, c.value);
    }
    QtSettingsStore second;
    for (const auto& c : cases) {
        EXPECT_EQ(second.get(c.section, c.key, u"absent"), c.value)
            << toUtf8(c.section) << " / " << toUtf8(c.key);
    }
}

TEST_F(QtSettings, ASecondStoreSeesWhatTheFirstSavedAtOnce) {
    QtSettingsStore first;
    QtSettingsStore second;
    first.save(kSettingsSection, u"DefaultMode", u"2");
    EXPECT_EQ(second.get(kSettingsSection, u"DefaultMode", u"0"), u"2");
    QtSettingsStore third;
    EXPECT_EQ(third.get(kSettingsSection, u"DefaultMode", u"0"), u"2");
}

TEST_F(QtSettings, ArchiverSectionIsApartFromTheSettingsSection) {
    QtSettingsStore store;
    store.save(kSettingsSection, u"zip", u"in Settings");
    store.save(kArchiverSection, u"zip", u"in Settings\\Arc");
    store.save(kArchiverSection, u"DefaultFolder", u"7");
    store.save(kSettingsSection, u"DefaultFolder", u"1");
    EXPECT_EQ(store.get(kSettingsSection, u"zip", u""), u"in Settings");
    EXPECT_EQ(store.get(kArchiverSection, u"zip", u""), u"in Settings\\Arc");
    EXPECT_EQ(store.get(kArchiverSection, u"DefaultFolder", u""), u"7");
    EXPECT_EQ(store.get(kSettingsSection, u"DefaultFolder", u""), u"1");

    const std::string file = test::readBytes(configFile());
    EXPECT_NE(file.find("[Settings]"), std::string::npos) << file;
    EXPECT_NE(file.find("Arc\\zip="), std::string::npos) << file;
}

TEST_F(QtSettings, AnEmptyValueKeepsTheKeyPresent) {
    QtSettingsStore store;
    store.save(kArchiverSection, u"zip", u"/usr/bin/unzip");
    store.save(kArchiverSection, u"zip", u"");
    EXPECT_EQ(store.get(kArchiverSection, u"zip", u"absent"), u"");
}

TEST_F(QtSettings, AHandEditedListReadsBackAsItsText) {
    std::filesystem::create_directories(configFile().parent_path());
    {
        std::FILE* out = std::fopen(configFile().c_str(), "w");
        std::fputs("[Settings]\nDefaultFolder=1,2\n", out);
        std::fclose(out);
    }
    QtSettingsStore store;
    EXPECT_EQ(store.get(kSettingsSection, u"DefaultFolder", u"0"), u"1,2");
}

}  // namespace
}  // namespace lorvane
