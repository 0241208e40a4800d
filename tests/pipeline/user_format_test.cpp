#include "pipeline/user_format.h"

#include <gtest/gtest.h>

#include "platform/error_catalogue.h"
#include "platform/text.h"
#include "temp_folder.h"

namespace lorvane {
namespace {

std::string cp1251(std::u16string_view text) {
    return (*CodePage::forNumber(1251))->encode(text);
}

ScriptStep noScript() {
    return [](const std::u16string& name, std::u16string) -> Expected<std::u16string> {
        ADD_FAILURE() << "unexpected script " << toUtf8(name);
        return failureFor(errors::kNoScriptHost, name);
    };
}

class UserFormatTest : public ::testing::Test {
  protected:
    void writeTemplate(std::string_view name, std::u16string_view text) {
        temp.write("format/" + std::string(name), cp1251(text));
    }
    TableSettings settingsFor(std::u16string extent) {
        TableSettings settings;
        settings.extent = std::move(extent);
        return settings;
    }

    test::TempFolder temp;
    FileLister lister;
    UserFormats formats{temp.u16path(), *CodePage::forNumber(1251), lister};
};

TEST_F(UserFormatTest, TheXyzExample) {
    writeTemplate("xyz.txt",
                  u"!!<br>[%p]\r\n<html><body><font face=\"[%FontFace]\">\r\n[%Файл]\r\n"
                  u"</font></body></html>");
    TableSettings settings = settingsFor(u".xyz");
    settings.fontFace = u"Face";
    auto document = formats.insert(u"a\r\nb\r\n", settings, noScript());
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(*document,
              u"<html><body><font face=\"Face\">\r\na<br>\r\nb<br>\r\n\r\n</font></body></html>");
    EXPECT_EQ(formats.templateEol(), u"<br>\r\n");
    EXPECT_EQ(lister.folder(), temp.u16("format")) << "the lister is left on the format folder";
}

TEST_F(UserFormatTest, WhichTemplatesAreUsable) {
    struct Case {
        const char* name;
        std::u16string text;
        bool usable;
    } cases[] = {
        {"nine characters", u"[%Файл]ab", false},
        {"ten characters", u"[%Файл]abc", true},
        {"no text placeholder", u"<html>nothing here</html>", false},
        {"line-end line without a following line end", u"!![%p][%Файл]xyz", false},
        {"placeholder in another letter case", u"<b>[%файл]</b>", true},
        {"script placeholder", u"<b>[%Файл=s.vbs]</b>", true},
    };
    for (const auto& c : cases) {
        writeTemplate("abc.txt", c.text);
        EXPECT_EQ(formats.UserFormat(settingsFor(u".abc")).empty(), !c.usable) << c.name;
    }
}

TEST_F(UserFormatTest, WithoutATemplateTheTextStaysPlain) {
    auto missingFolder = formats.insert(u"a\r\nb", settingsFor(u".xyz"), noScript());
    ASSERT_TRUE(missingFolder.ok());
    EXPECT_EQ(*missingFolder, u"a\r\nb");
    writeTemplate("other.txt", u"[%Файл] and more");
    auto noTemplate = formats.insert(u"a\r\nb", settingsFor(u".xyz"), noScript());
    ASSERT_TRUE(noTemplate.ok());
    EXPECT_EQ(*noTemplate, u"a\r\nb");
}

TEST_F(UserFormatTest, SettingsPlaceholdersIgnoreLetterCase) {
    writeTemplate("doc.txt", u"[%CHARSET]|[%fontsize]|[%FontFace]|[%FONTFACE]|[%Файл]");
    TableSettings settings = settingsFor(u".doc");
    settings.fontSize = 14;
    settings.fontFace = u"Old";
    EXPECT_EQ(formats.UserFormat(settings), u"-1|14|Old|Old|[%Файл]")
        << "no default character set applies here";
}

TEST_F(UserFormatTest, TheExtensionFindsTheTemplateWithoutRegardToLetterCase) {
    writeTemplate("XYZ.txt", u"<<[%Файл]>>");
    auto document = formats.insert(u"t", settingsFor(u".Xyz"), noScript());
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(*document, u"<<t>>");
}

TEST_F(UserFormatTest, EveryTextPlaceholderReceivesTheText) {
    writeTemplate("two.txt", u"[%Файл]|[%ФАЙЛ]");
    auto document = formats.insert(u"a[%Charset]", settingsFor(u".two"), noScript());
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(*document, u"a[%Charset]|a[%Charset]")
        << "placeholders inside the converted text stay unchanged";
}

TEST_F(UserFormatTest, AnEmptyLineEndLineKeepsCrLf) {
    writeTemplate("e.txt", u"!!\r\n<[%Файл]>.....");
    auto document = formats.insert(u"a\r\nb", settingsFor(u".e"), noScript());
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(*document, u"<a\r\nb>.....");
    EXPECT_EQ(formats.templateEol(), u"");
}

TEST_F(UserFormatTest, TheLineEndReplacementOutlivesItsTemplate) {
    writeTemplate("one.txt", u"!!;\r\n[%Файл] (one)");
    writeTemplate("two.txt", u"[%Файл] (two)");
    ASSERT_TRUE(formats.insert(u"x", settingsFor(u".one"), noScript()).ok());
    auto document = formats.insert(u"a\r\nb", settingsFor(u".two"), noScript());
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(*document, u"a;b (two)");
}

TEST_F(UserFormatTest, TheScriptPlaceholderRunsItsScriptOnTheText) {
    writeTemplate("s.txt", u"!!|\r\n<[%Файл=up.vbs]> [%Файл=other]");
    std::u16string seen;
    ScriptStep script = [&seen](const std::u16string& name, std::u16string text) {
        EXPECT_EQ(name, u"up.vbs");
        seen = text;
        return Expected<std::u16string>(toUpper(text));
    };
    auto document = formats.insert(u"a\r\nb", settingsFor(u".s"), script);
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(seen, u"a|b") << "the script sees the replaced line ends";
    EXPECT_EQ(*document, u"<A|B> [%Файл=other]") << "only the first script placeholder counts";
}

TEST_F(UserFormatTest, ScriptPlaceholderFailures) {
    writeTemplate("open.txt", u"<[%Файл=never closed>");
    auto unclosed = formats.insert(u"a", settingsFor(u".open"), noScript());
    ASSERT_FALSE(unclosed.ok());
    EXPECT_EQ(unclosed.failure().number, errors::kTemplateMarkerUnclosed);
    EXPECT_EQ(unclosed.failure().file, temp.u16("format/open.txt"));

    writeTemplate("bad.txt", u"<[%Файл=bad.vbs]>");
    ScriptStep failing = [](const std::u16string& name,
                            std::u16string) -> Expected<std::u16string> {
        return failureFor(errors::kVariableUndefined, name);
    };
    auto failed = formats.insert(u"a", settingsFor(u".bad"), failing);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.failure().number, errors::kVariableUndefined);
}

TEST_F(UserFormatTest, TemplatesAreDecodedInTheCodePage) {
    temp.write("format/cp.txt", "\xc0\xc1[%\xd4\xe0\xe9\xeb]\xc2\xc3");  // АБ[%Файл]ВГ
    EXPECT_EQ(formats.UserFormat(settingsFor(u".cp")), u"АБ[%Файл]ВГ");
}

}  // namespace
}  // namespace lorvane
