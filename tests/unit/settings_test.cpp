// The settings file: its path, the conversion of its values, and what is read and written.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/fakes/FormOnFakes.h"

#include "core/Error.h"
#include "core/PenletForm.h"
#include "core/Settings.h"
#include "tests/fakes/FakeClipboard.h"
#include "tests/fakes/FakeEditArea.h"
#include "tests/fakes/FakeFileDialogs.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeForm.h"
#include "tests/fakes/FakeProfile.h"
#include "core/Texts.h"

namespace penlet {
namespace {

TEST(SettingsPath, ReplacesTheFileNamesExtension) {
  const LeadByteSet sjis = LeadByteSet::Cp932();
  EXPECT_EQ(SettingsPath("C:\\Tools\\edit.exe", sjis), "C:\\Tools\\edit.ini");
  EXPECT_EQ(SettingsPath("C:\\Tools\\edit", sjis), "C:\\Tools\\edit.ini");
  EXPECT_EQ(SettingsPath("C:\\my.tools\\edit", sjis), "C:\\my.tools\\edit.ini");
  EXPECT_EQ(SettingsPath("C:\\my.tools\\edit.v2.exe", sjis), "C:\\my.tools\\edit.v2.ini");
  EXPECT_EQ(SettingsPath("C:edit", sjis), "C:edit.ini");
  // 表 is 0x95 0x5C: its trail byte is no folder separator.
  EXPECT_EQ(SettingsPath("C:\\a.b\\\x95\x5C", sjis), "C:\\a.b\\\x95\x5C.ini");
  // Without the lead bytes the same trail byte would end the folder name.
  EXPECT_EQ(SettingsPath("C:\\x.\x95\x5Cy", LeadByteSet()), "C:\\x.\x95\x5Cy.ini");
  EXPECT_EQ(SettingsPath("C:\\x.\x95\x5Cy", sjis), "C:\\x.ini");
}

TEST(ParseProfileInteger, AcceptsDecimalAndHexadecimalOnly) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  } const cases[] = {
      {"670", 670},
      {"0x320", 800},
      {"0X320", 800},
      {"$320", 800},
      {"x320", 800},
      {"X320", 800},
      {"-$10", -16},
      {"+0x10", 16},
      {"$FFFFFFFF", -1},
      {"0xffffffff", -1},
      {"$80000000", INT32_MIN},
      {"-$80000000", INT32_MIN},
      {"$100000000", std::nullopt},
      {"$000000001", 1},
      {"800px", std::nullopt},
      {"8e2", std::nullopt},
      {"2147483647", INT32_MAX},
      {"2147483648", std::nullopt},
      {"-2147483648", INT32_MIN},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"0", 0},
      {"007", 7},
      {" 12", 12},
      {"  -12", -12},
      {"12 ", std::nullopt},
      {"\t12", std::nullopt},
      {"+-1", std::nullopt},
      {"--1", std::nullopt},
      {"- 1", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"$-1", std::nullopt},
      {"$G", std::nullopt},
      {"1,000", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseProfileInteger(c.text), c.value) << c.text;
}

class SettingsTest : public ::testing::Test, protected FormOnFakes {
 protected:
  std::vector<std::string> WrittenKeys() const {
    std::vector<std::string> keys;
    for (const auto& w : profile.writes) keys.push_back(w.section + "/" + w.key + "=" + w.value);
    return keys;
  }

  const std::string ini = "C:\\Tools\\penlet.ini";
};

TEST_F(SettingsTest, CreateAppliesStoredSizeAsReadOrTheDesignedOne) {
  form.FormCreate();
  EXPECT_EQ(view.size.width, 670);
  EXPECT_EQ(view.size.height, 324);

  profile.Set(ini, "Form", "Width", "0x320");
  profile.Set(ini, "Form", "Height", "-5");  // applied without correction
  profile.Set(ini, "Form", "Top", "300");    // not used at start
  form.FormCreate();
  EXPECT_EQ(view.size.width, 800);
  EXPECT_EQ(view.size.height, -5);

  profile.Set(ini, "Form", "Width", "800px");
  profile.Set(ini, "Other", "Height", "500");
  profile.Set(ini, "Form", "Height", std::string(3000, '1'));
  form.FormCreate();
  EXPECT_EQ(view.size.width, 670);
  EXPECT_EQ(view.size.height, 324);
}

TEST_F(SettingsTest, DestroyWritesTheFourKeysInOrderThenFlushes) {
  view.rect = {-8, 20, 1300, 0};
  form.FormDestroy();
  EXPECT_EQ(WrittenKeys(), (std::vector<std::string>{"Form/Top=20", "Form/Left=-8",
                                                     "Form/Width=1300", "Form/Height=0"}));
  for (const auto& w : profile.writes) EXPECT_EQ(w.path, ini);
  EXPECT_EQ(profile.flushed, std::vector<std::string>{ini});
  EXPECT_TRUE(boxes.shown.empty());

  // What was written is what the next start reads.
  form.FormCreate();
  EXPECT_EQ(view.size.width, 1300);
  EXPECT_EQ(view.size.height, 0);
}

TEST_F(SettingsTest, SizeIsKeptInDesignedPixelsWhateverTheScreensDensity) {
  // Closed at 150 %: the file holds the size at 96 dots per inch, the position as it was.
  view.dpi = 144;
  view.rect = {-12, 30, 1005, 486};
  form.FormDestroy();
  EXPECT_EQ(WrittenKeys(), (std::vector<std::string>{"Form/Top=30", "Form/Left=-12",
                                                     "Form/Width=670", "Form/Height=324"}));
  const struct {
    int dpi, width, height;
  } opens[] = {{96, 670, 324}, {120, 838, 405}, {144, 1005, 486}, {192, 1340, 648}};
  for (const auto& open : opens) {
    view.dpi = open.dpi;
    form.FormCreate();
    EXPECT_EQ(view.size.width, open.width) << open.dpi;
    EXPECT_EQ(view.size.height, open.height) << open.dpi;
  }

  // Any size the user dragged to comes back within a pixel on the screen it was left on.
  for (int dpi : {120, 144, 192}) {
    view.dpi = dpi;
    for (int width = 300; width <= 1400; width += 7) {
      view.rect = {0, 0, width, width / 2};
      form.FormDestroy();
      form.FormCreate();
      ASSERT_LE(std::abs(view.size.width - width), 1) << dpi << " " << width;
      ASSERT_LE(std::abs(view.size.height - width / 2), 1) << dpi << " " << width;
    }
  }
}

TEST_F(SettingsTest, RefusedWriteStopsTheKeysFlushesAndNamesTheFile) {
  profile.refuseKey = "Width";
  view.rect = {1, 2, 3, 4};
  try {
    form.FormDestroy();
    FAIL() << "no error raised";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), ini + Ansi(" に書き込めません"));
  }
  EXPECT_EQ(WrittenKeys(), (std::vector<std::string>{"Form/Top=2", "Form/Left=1"}));
  EXPECT_EQ(profile.flushed, std::vector<std::string>{ini});

  profile.refuseKey.clear();
  profile.refuseWrites = true;
  profile.writes.clear();
  EXPECT_THROW(form.FormDestroy(), Error);
  EXPECT_TRUE(profile.writes.empty());
  EXPECT_EQ(profile.flushed.size(), 2u);
}

TEST_F(SettingsTest, PathFollowsTheExecutablesName) {
  profile.modulePath = "D:\\copy.of\\renamed.exe";
  profile.Set("D:\\copy.of\\renamed.ini", "Form", "Width", "$400");
  form.FormCreate();
  EXPECT_EQ(view.size.width, 1024);
  form.FormDestroy();
  ASSERT_FALSE(profile.writes.empty());
  EXPECT_EQ(profile.writes[0].path, "D:\\copy.of\\renamed.ini");
}

}  // namespace
}  // namespace penlet
