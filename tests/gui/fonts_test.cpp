#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Texts are drawn in "ＭＳ Ｐゴシック" (proportional) and "ＭＳ ゴシック" (fixed
// pitch), created with the default character set. A Windows machine has both;
// under Wine they must resolve to Japanese fonts of the same kind, not to a
// fallback without kana and kanji.
TEST(Fonts, JapaneseFacesResolveWithJapaneseGlyphs) {
  const struct {
    const wchar_t* face;
    bool proportional;
  } faces[] = {{L"ＭＳ Ｐゴシック", true}, {L"ＭＳ ゴシック", false}};

  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  for (const auto& f : faces) {
    SCOPED_TRACE(testing::Message() << "face " << static_cast<int>(f.proportional));
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, f.face);
    ASSERT_NE(font, nullptr);
    HGDIOBJ old = SelectObject(screen, font);

    wchar_t selected[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, selected);
    EXPECT_EQ(std::wstring(selected), f.face);

    SIZE narrow{}, wide{};
    GetTextExtentPoint32W(screen, L"iiii", 4, &narrow);
    GetTextExtentPoint32W(screen, L"WWWW", 4, &wide);
    EXPECT_EQ(narrow.cx < wide.cx, f.proportional) << narrow.cx << " vs " << wide.cx;

    const std::wstring text = L"作図ﾌｧｲﾙ閉る";
    WORD glyphs[16] = {};
    ASSERT_EQ(GetGlyphIndicesW(screen, text.c_str(), static_cast<int>(text.size()), glyphs,
                               GGI_MARK_NONEXISTING_GLYPHS),
              text.size());
    for (size_t i = 0; i < text.size(); ++i) {
      EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for character " << i;
    }
    SelectObject(screen, old);
    DeleteObject(font);
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
