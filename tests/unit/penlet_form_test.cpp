// The main window's logic at start-up and when documents are opened.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "core/Error.h"
#include "core/PenletForm.h"
#include "tests/fakes/FakeEditArea.h"
#include "tests/fakes/FakeForm.h"
#include "ui/Texts.h"

namespace penlet {
namespace {

class PenletFormTest : public ::testing::Test {
 protected:
  PenletFormTest() : form(FormParts{edit, view, boxes, LeadByteSet::Cp932()}) {
    edit.SetListener(&form);
  }
  ~PenletFormTest() override {
    for (const auto& path : files) std::remove(path.c_str());
  }
  std::string MakeFile(const std::string& name, const std::string& bytes) {
    std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    files.push_back(path);
    return path;
  }

  FakeEditArea edit;
  FakeFormView view;
  FakeMessageBoxes boxes;
  TPenletForm form;
  std::vector<std::string> files;
};

TEST_F(PenletFormTest, CreateLeavesAnUntitledUnmodifiedDocument) {
  edit.Type("x");
  form.FormCreate();
  EXPECT_EQ(view.caption, Ansi(texts::kCaptionPrefix));
  EXPECT_EQ(form.DocumentPath(), "");
  EXPECT_TRUE(form.CountInCharacters());
  EXPECT_FALSE(edit.Modified());
  EXPECT_FALSE(view.saveEnabled);
}

TEST_F(PenletFormTest, ShowOpensEachPathAndStopsAtTheFirstFailure) {
  form.FormCreate();
  const std::string a = MakeFile("penlet_a.txt", "first");
  const std::string b = MakeFile("penlet_b.txt", "second");
  form.FormShow({a, b});
  EXPECT_EQ(edit.Text(), "second");
  EXPECT_EQ(form.DocumentPath(), b);
  EXPECT_EQ(view.caption, Ansi(texts::kCaptionPrefix) + b);  // no "\\" in a Linux path

  form.FileNew1Execute();
  const std::string missing = ::testing::TempDir() + "penlet_missing.txt";
  EXPECT_THROW(form.FormShow({missing, a}), Error);
  EXPECT_EQ(edit.Text(), "");
  EXPECT_EQ(form.DocumentPath(), "");
  EXPECT_EQ(view.caption, Ansi(texts::kCaptionPrefix));
}

TEST_F(PenletFormTest, EditsEnableSaveAndNewClearsThem) {
  form.FormCreate();
  edit.Type("abc");
  EXPECT_TRUE(view.saveEnabled);
  edit.Undo();
  EXPECT_TRUE(view.saveEnabled);  // undoing does not make the document unmodified
  form.FileNew1Execute();
  EXPECT_FALSE(view.saveEnabled);
  EXPECT_EQ(edit.Text(), "");
}

}  // namespace
}  // namespace penlet
