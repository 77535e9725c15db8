#include "catalogue/catalogue_search.h"

#include <gtest/gtest.h>

#include <random>

using namespace zorbi;

namespace {

void Add(CatalogueData& c, std::size_t tab, std::string path, std::string summary,
         std::string memo) {
  while (c.TabList.size() <= tab) {
    c.TabNames.push_back("Tab" + std::to_string(c.TabList.size() + 1));
    c.TabList.push_back(std::make_unique<TMList>());
  }
  auto item = std::make_unique<TMenuItem>();
  const auto position = c.TabList[tab]->Count();
  item->InitItem(std::move(path), std::move(summary), static_cast<std::int32_t>(tab), position,
                 std::move(memo), "", "", 0, 0);
  AddItem(*c.TabList[tab], std::move(item));
}

bool Matches(const std::string& path, const std::string& summary, const std::string& memo,
             const std::string& text) {
  CatalogueData c;
  Add(c, 0, path, summary, memo);
  return !CatalogueSearch(c).Find(text).empty();
}

}  // namespace

TEST(CatalogueSearch, WhatMatches) {
  struct Row {
    const char* path;
    const char* summary;
    const char* memo;
    const char* text;
    bool match;
  };
  const Row rows[] = {
      {"C:\\JWW\\ABC.BAT", "", "\"\"", "abc", true},
      {"C:\\JWW\\X.BAT", "ＡＢＣ１２３", "\"\"", "abc123", true},
      {"C:\\JWW\\X.BAT", "ｶﾀｶﾅ", "\"\"", "カタカナ", true},
      {"C:\\JWW\\X.BAT", "ガイブ", "\"\"", "ｶﾞｲﾌﾞ", true},
      {"C:\\JWW\\X.BAT", "ﾊﾟｽ", "\"\"", "ぱす", true},
      {"C:\\JWW\\X.BAT", "バス", "\"\"", "ﾊﾟｽ", false},
      {"C:\\JWW\\X.BAT", "ヴ", "\"\"", "ｳﾞ", true},
      // Every word, each in one of the texts, in any order.
      {"C:\\JWW\\ABC.BAT", "線の長さ", "\"\"", "線 abc", true},
      {"C:\\JWW\\ABC.BAT", "線の長さ", "\"\"", "abc　線", true},
      {"C:\\JWW\\ABC.BAT", "線の長さ", "\"\"", "abc 円", false},
      {"C:\\JWW\\AB.BAT", "CD", "\"\"", "batcd", false},
      // Only the file name of the path.
      {"C:\\TOOLS\\X.BAT", "", "\"\"", "tools", false},
      {"C:\\外部\\ソフト.BAT", "", "\"\"", "ソフト.bat", true},
      // A trail byte is no character: テ is 0x83 0x65 ('e').
      {"C:\\JWW\\X.BAT", "テ", "\"\"", "e", false},
      // Memo lines, not their comma text.
      {"C:\\JWW\\X.BAT", "", "\"一行目\",\"二行目\"", "二行目", true},
      {"C:\\JWW\\X.BAT", "", "\"a,b\"", "a,b", true},
      {"C:\\JWW\\X.BAT", "", "\"ab\",\"cd\"", "b\",\"c", false},
      {"C:\\JWW\\X.BAT", "", "\"say \"\"hi\"\"\"", "\"hi\"", true},
  };
  for (const Row& r : rows)
    EXPECT_EQ(Matches(r.path, r.summary, r.memo, r.text), r.match)
        << r.summary << " / " << r.memo << " ? " << r.text;
}

// Hits come in tab then item order; a narrowed search finds what a fresh one does.
TEST(CatalogueSearch, TypingAndDeletingFindWhatAFreshSearchFinds) {
  CatalogueData c;
  std::mt19937 random(24);
  const char* pieces[] = {"a", "b", "ab", "ア", "ｱ", "カ", "ｶﾞ", "が", " "};
  auto text = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += pieces[random() % std::size(pieces)];
    return s;
  };
  for (int i = 0; i < 60; ++i)
    Add(c, random() % 4, "C:\\" + text(3) + ".BAT", text(3), "\"" + text(2) + "\"");
  CatalogueSearch typed(c);
  std::string typing;
  for (int step = 0; step < 400; ++step) {
    // Short texts, which still find something, and a byte deleted at times.
    if (!typing.empty() && (typing.size() > 6 || random() % 3 == 0))
      typing.pop_back();
    else
      typing += pieces[random() % std::size(pieces)];
    const std::vector<SearchHit> hits = typed.Find(typing);
    ASSERT_EQ(hits, CatalogueSearch(c).Find(typing)) << typing;
    for (std::size_t i = 1; i < hits.size(); ++i)
      ASSERT_TRUE(hits[i - 1].Tab < hits[i].Tab ||
                  (hits[i - 1].Tab == hits[i].Tab && hits[i - 1].Position < hits[i].Position));
  }
}
