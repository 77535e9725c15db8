// The settings file as start-up reads it and the close sequence writes it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "fakes.h"

using namespace zorbi;
using namespace zorbi::test;

namespace {

const std::string kIni = FormRig::InDir("Z_Orbi.ini");

}  // namespace

TEST(Settings, ANewFileHoldsEveryKeyInWriteOrder) {
  FormRig rig;
  rig.sys.exePath = "C:\\JWW\\Z_Orbi\\Z_Orbi2.exe";  // a copy keeps its own file
  ASSERT_TRUE(rig.Create());
  rig.form.Close();
  EXPECT_EQ(rig.files.files[FormRig::InDir("Z_Orbi2.ini")],
            "[Option]\r\nMultiLine=0\r\nKeyRan=0\r\nInfo=0\r\nJWCheck=0\r\n"
            "[File]\r\nEditor=notepad.exe\r\nAWKPath=\r\n"
            "[List]\r\nFontName=\"ＭＳ Ｐゴシック\"\r\nFontSize=10\r\nFontStyle=0\r\n"
            "ColWidths[1]=90\r\nColWidths[2]=219\r\n"
            "[Memo]\r\nFontName=\"ＭＳ ゴシック\"\r\nFontSize=10\r\nFontStyle=0\r\n"
            "[Form]\r\nTop=113\r\nLeft=193\r\nWidth=545\r\nHeight=357\r\n");
}

TEST(Settings, ValuesAreAppliedByTheirRules) {
  struct Case {
    const char* ini;
    std::function<void(FormRig&)> check;
  };
  const Case cases[] = {
      {"[option]\nmultiline=1\nKEYRAN=1\n",
       [](FormRig& r) {
         EXPECT_TRUE(r.k6.checked && r.k7.checked && r.tabs.multiLine);
         EXPECT_TRUE(r.form.Settings().KeyRan && r.k10.checked);
       }},
      {"[Option]\nMultiLine=2\nKeyRan=7\n",
       [](FormRig& r) { EXPECT_FALSE(r.k6.checked || r.tabs.multiLine || r.k10.checked); }},
      {"[Option]\nInfo=-1\nJWCheck=5\n",
       [](FormRig& r) {
         EXPECT_TRUE(r.form.Settings().Info && r.k15.checked && r.form.Settings().JWCheck &&
                     r.jwwin1.checked);
       }},
      {"[Option]\nInfo=abc\nJWCheck=0x0\n",
       [](FormRig& r) {
         EXPECT_FALSE(r.form.Settings().Info || r.k15.checked || r.form.Settings().JWCheck);
       }},
      {"[List]\nFontSize=12\nFontName = \"IPAGothic\" \nFontStyle=$13\n",
       [](FormRig& r) {
         EXPECT_EQ(r.grid.font, (FontSpec{"IPAGothic", 12, 3, kSystemTextColor}));
         EXPECT_EQ(r.grid.rowHeight, 24);
         EXPECT_EQ(r.grid.colWidths[0], 36);
         EXPECT_EQ(r.memo.font.Size, 10);
       }},
      {"[File]\nEditor=\nAWKPath= C:\\AWK \n",
       [](FormRig& r) {
         EXPECT_EQ(r.form.Settings().Editor, "notepad.exe");
         EXPECT_EQ(r.form.Settings().AWKPath, "C:\\AWK");
       }},
      {"[Form]\nTop=-1\nLeft=20\nWidth=400\nHeight=500\n",
       [](FormRig& r) {
         EXPECT_EQ(r.window.bounds, (Bounds{20, 113, 545, 500}));
       }},
      {"[List]\nColWidths[2]=300\n[Form]\nWidth=745\n",
       [](FormRig& r) { EXPECT_EQ(r.grid.colWidths[2], 500); }},
      {"[List]\nColWidths[1]=-100\nColWidths[2]=-300\n[Form]\nWidth=745\n",
       [](FormRig& r) {
         EXPECT_EQ(r.grid.colWidths, (std::array<int, 3>{26, 90, 419}));
       }},
  };
  for (const Case& c : cases) {
    FormRig rig;
    rig.files.files[kIni] = c.ini;
    ASSERT_TRUE(rig.Create());
    c.check(rig);
  }
}

TEST(Settings, TheWriteKeepsForeignLinesAndDoesNotGrowTheSummaryColumn) {
  FormRig rig;
  rig.files.files[kIni] =
      "; mine\n[Mine]\nx=1\n[List]\nColWidths[2]=300\nOwn=2\n[Form]\nWidth=745\n";
  ASSERT_TRUE(rig.Create());
  rig.form.Close();
  const std::string& out = rig.files.files[kIni];
  EXPECT_THAT(out, ::testing::StartsWith("; mine\n[Mine]\nx=1\n[List]\nColWidths[2]=300\nOwn=2\n"));
  EXPECT_THAT(out, ::testing::HasSubstr("[Form]\nWidth=745\nTop="));
}

// What the close did not change keeps its bytes: quotes, blanks and number forms.
TEST(Settings, ValuesSavedUnchangedKeepTheirBytes) {
  const std::string rows[][3] = {
      // Editor, AWKPath, the list's FontName
      {R"("Z:\ed dir\rec.exe" -f "a b")", R"("")", R"("ＭＳ Ｐゴシック")"},
      {R"( " C:\my ed\ed.exe " )", R"(")", R"( IPA "P" Gothic)"},
      {R"(""C:\ed.exe"")", R"(" D:\my awk ")", R"("a"b")"},
  };
  for (const auto& [editor, awkPath, fontName] : rows) {
    const std::string kept =
        "[Option]\nMultiLine=0\nKeyRan=0\nInfo=-1\nJWCheck=0x0\n[File]\nEditor=" + editor +
        "\nAWKPath=" + awkPath + "\n[List]\nFontName=" + fontName + "\nFontSize=$A\n";
    std::string values[2];
    for (const bool fileGone : {false, true}) {
      FormRig rig, next;
      rig.files.files[kIni] = kept;
      ASSERT_TRUE(rig.Create());
      if (fileGone) rig.files.files.erase(kIni);  // every value is written afresh
      rig.form.Close();
      EXPECT_THAT(rig.files.files[kIni], ::testing::StartsWith(fileGone ? "[Option]" : kept));
      next.files.files[kIni] = rig.files.files[kIni];  // and reads back as it was
      ASSERT_TRUE(next.Create());
      values[fileGone] = next.form.Settings().Editor + "|" + next.form.Settings().AWKPath + "|" +
                         next.grid.font.Name;
    }
    EXPECT_EQ(values[0], values[1]) << editor;
  }
}

TEST(Settings, AFailedWriteStopsTheCloseBeforeTheCatalogue) {
  for (const bool unreadable : {false, true}) {
    FormRig rig;
    rig.files.files[kIni] = "; mine\n";
    ASSERT_TRUE(rig.Create());
    (unreadable ? rig.files.unreadable : rig.files.unwritable).insert(kIni);
    rig.form.Close();
    EXPECT_EQ(rig.window.destroyed, 0);
    EXPECT_TRUE(rig.files.writes.empty());
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_THAT(rig.messages.shown[0].first, ::testing::StartsWith("Z_Orbi.ini を保存"));
    EXPECT_EQ(rig.files.files[kIni], "; mine\n");
  }
}

// What a close saves comes back at the next start, at any window width; the
// defaults stay the first widths, which fit the window, however often saved.
TEST(Settings, ColumnWidthsComeBackAsSaved) {
  const struct {
    int windowWidth, col1, col2;
  } rows[] = {{545, 90, 219}, {1000, 90, 10}, {1000, 120, 454}, {1000, 40, 455}, {700, 90, 374}};
  for (const auto& row : rows) {
    std::map<std::string, std::string> files;
    {
      FormRig first;
      ASSERT_TRUE(first.Create());
      first.window.bounds.Width = row.windowWidth;
      first.form.FormResize();
      first.grid.colWidths[1] = row.col1;
      first.grid.colWidths[2] = row.col2;
      first.form.Close();
      files = first.files.files;
    }
    for (int start = 1; start <= 3; ++start) {
      FormRig next;
      next.files.files = files;
      ASSERT_TRUE(next.Create());
      EXPECT_EQ(next.grid.colWidths, (std::array<int, 3>{26, row.col1, row.col2}))
          << row.windowWidth << " " << row.col2 << " start " << start;
      next.form.Close();
      files = next.files.files;
    }
  }
}
