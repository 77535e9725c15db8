#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/catalogue_history.h"
#include "catalogue/data_file.h"
#include "catalogue/registration.h"

using namespace zorbi;

namespace {

// Tabs A: a0 a1 a2 (a1 picked), B: b0 b1 (b1 remembered), C: empty.
void Build(Catalogue& c) {
  DataFileContents contents;
  contents.TabNames = {"A", "B", "C"};
  contents.TabItems.resize(3);
  const auto add = [&](std::size_t tab, const char* name, std::int32_t pick) {
    auto item = std::make_unique<TMenuItem>();
    item->InitItem(name, "s", static_cast<std::int32_t>(tab),
                   static_cast<std::int32_t>(contents.TabItems[tab].size()), "", "", "", pick, 0);
    contents.TabItems[tab].push_back(std::move(item));
  };
  add(0, "a0", 0), add(0, "a1", 2), add(0, "a2", 0), add(1, "b0", 0), add(1, "b1", 1);
  contents.PickTab = 0, contents.PickPosition = 1, contents.PickLastMarked = true;
  c.Load(std::move(contents));
}

// "cur/picked path | tab: items" with * for the current pick, ^ for a
// remembered one; also checks what every operation must keep.
std::string State(const Catalogue& c) {
  std::ostringstream out;
  out << c.CurrentTab() << "/" << c.PickedBatPath();
  int picks = 0;
  for (std::int32_t t = 0; t < c.TabListCount(); ++t) {
    out << " |" << (t < c.TabNameCount() ? c.TabNames()[static_cast<std::size_t>(t)] : "?") << ":";
    std::int32_t p = 0;
    for (const TMenuItem& item : *c.Tab(t)) {
      EXPECT_EQ(item.TabNo * 100 + item.Position, t * 100 + p++) << item.BatPath;
      picks += item.PickState == 2;
      out << " " << item.BatPath << (item.PickState == 2 ? "*" : item.PickState == 1 ? "^" : "");
    }
    EXPECT_TRUE(t < c.TabNameCount() || c.Tab(t)->Count() == 0) << "items on an unnamed tab";
  }
  EXPECT_LE(picks, 1);
  EXPECT_EQ(picks == 1, c.PickedItem() != nullptr);
  EXPECT_TRUE(c.CurrentTab() >= 0 && c.CurrentTab() < c.TabNameCount());
  return out.str();
}

}  // namespace

TEST(Catalogue, EachOperationKeepsTheInvariants) {
  struct Row {
    const char* what;
    std::function<bool(Catalogue&)> op;
    bool done;
    std::string after;
  };
  const auto relink = [](std::int32_t tab, std::int32_t pos, std::string from, std::string to) {
    return std::vector<ItemRelink>{{tab, pos, std::move(from), std::move(to)}};
  };
  const Row table[] = {
      {"as read", [](Catalogue&) { return true; }, true, "0/a1 |A: a0 a1* a2 |B: b0 b1^ |C:"},
      {"pick", [](Catalogue& c) { return c.PickItem(2); }, true,
       "0/a2 |A: a0 a1 a2* |B: b0 b1^ |C:"},
      {"pick past the end", [](Catalogue& c) { return c.PickItem(3); }, false,
       "0/a1 |A: a0 a1* a2 |B: b0 b1^ |C:"},
      {"switch tab", [](Catalogue& c) { return c.SwitchTab(1), c.PickItem(c.PickedIndex()); }, true,
       "1/b1 |A: a0 a1^ a2 |B: b0 b1* |C:"},
      {"switch, pick another", [](Catalogue& c) { return c.SwitchTab(1), c.PickItem(0); }, true,
       "1/b0 |A: a0 a1^ a2 |B: b0* b1 |C:"},
      {"delete before the pick", [](Catalogue& c) { return c.DeleteItem(0, 0); }, true,
       "0/a1 |A: a1* a2 |B: b0 b1^ |C:"},
      {"delete the pick", [](Catalogue& c) { return c.DeleteItem(0, 1); }, true,
       "0/ |A: a0 a2 |B: b0 b1^ |C:"},
      {"delete on another tab", [](Catalogue& c) { return c.DeleteItem(1, 0); }, true,
       "0/a1 |A: a0 a1* a2 |B: b1^ |C:"},
      {"delete nothing", [](Catalogue& c) { return c.DeleteItem(2, 0); }, false,
       "0/a1 |A: a0 a1* a2 |B: b0 b1^ |C:"},
      {"move the pick down", [](Catalogue& c) { return c.MoveItem(0, 1, 9); }, true,
       "0/a1 |A: a0 a2 a1* |B: b0 b1^ |C:"},
      {"move across the pick", [](Catalogue& c) { return c.MoveItem(0, 2, 0); }, true,
       "0/a1 |A: a2 a0 a1* |B: b0 b1^ |C:"},
      {"move above the pick down", [](Catalogue& c) { return c.MoveItem(0, 0, 2); }, true,
       "0/a1 |A: a1* a2 a0 |B: b0 b1^ |C:"},
      {"append", [](Catalogue& c) { return c.AppendItem(2, "c0", "s") != nullptr; }, true,
       "0/a1 |A: a0 a1* a2 |B: b0 b1^ |C: c0"},
      {"move the shown tab", [](Catalogue& c) { return c.MoveTab(0, 2); }, true,
       "2/a1 |C: |B: b0 b1^ |A: a0 a1* a2"},
      {"move other tabs", [](Catalogue& c) { return c.MoveTab(1, 2); }, true,
       "2/ |A: a0 a1^ a2 |C: |B: b0 b1^"},
      {"delete the shown tab", [](Catalogue& c) { return c.DeleteTab(0); }, true,
       "0/ |B: b0 b1^ |C:"},
      {"delete a tab before it", [](Catalogue& c) { return c.SwitchTab(2), c.DeleteTab(0); }, true,
       "1/ |B: b0 b1^ |C:"},
      {"delete the last tabs",
       [](Catalogue& c) { return c.DeleteTab(2) && c.DeleteTab(1) && c.DeleteTab(0); }, true,
       "0/ |Tab1:"},
      {"add and rename", [](Catalogue& c) { return c.AddTab("D"), c.RenameTab(3, "E"); }, true,
       "0/a1 |A: a0 a1* a2 |B: b0 b1^ |C: |E:"},
      {"rename nothing", [](Catalogue& c) { return c.RenameTab(3, "E"); }, false,
       "0/a1 |A: a0 a1* a2 |B: b0 b1^ |C:"},
      {"relink the pick", [&](Catalogue& c) { return c.RelinkItems(relink(0, 1, "a1", "n")) == 1; },
       true, "0/n |A: a0 n* a2 |B: b0 b1^ |C:"},
      {"relink a moved item",
       [&](Catalogue& c) { return c.RelinkItems(relink(0, 0, "a1", "n")) == 1; }, false,
       "0/a1 |A: a0 a1* a2 |B: b0 b1^ |C:"},
      {"replace",
       [](Catalogue& c) {
         TTabList tabs;
         tabs.push_back(std::make_unique<TMList>());
         auto item = std::make_unique<TMenuItem>();
         item->InitItem("x", "", 0, 0, "", "", "", 2, 0);
         AddItem(*tabs[0], std::move(item));
         c.ReplaceTabs({"X"}, std::move(tabs), 5, 0);
         return true;
       },
       true, "0/x |X: x*"},
  };
  for (const Row& row : table) {
    Catalogue c;
    Build(c);
    EXPECT_EQ(row.op(c), row.done) << row.what;
    EXPECT_EQ(State(c), row.after) << row.what;
  }
}

TEST(Catalogue, FirstShowingUsesTheFilePickUntilTheCatalogueChanges) {
  Catalogue c;
  Build(c);
  EXPECT_EQ(c.RememberedPick(0), 1);
  EXPECT_EQ(c.RememberedPick(1), 1);
  c.PickItem(2);
  c.SwitchTab(1);
  EXPECT_EQ(c.RememberedPick(0), 2);
  EXPECT_EQ(c.PickedIndex(), 1);
  EXPECT_EQ(c.PickedItem(), nullptr);
}

TEST(Catalogue, LookupsOutsideTheCatalogueNameNothing) {
  Catalogue c;
  Build(c);
  EXPECT_EQ(c.Tab(3), nullptr);
  EXPECT_EQ(c.Tab(-1), nullptr);
  EXPECT_EQ(c.Item(0, 3), nullptr);
  EXPECT_EQ(c.Item(0, -1), nullptr);
  EXPECT_EQ(c.Item(7, 0), nullptr);
  EXPECT_EQ(c.Item(0, std::int64_t{1} << 40), nullptr);
  c.Clear();
  EXPECT_TRUE(c.Empty());
  EXPECT_EQ(c.PickedBatPath(), "");
}

namespace {

// Everything an undo must bring back: the file image, the pick, each tab's
// place to open on.
std::string Image(const Catalogue& c) {
  return CatalogueImage(c.Data(), c.TabNameCount(), c.TabNames());
}

std::string Image(const std::string& snapshot) {
  return snapshot.substr(snapshot.find('\n') + 1);
}

// The image without the pick states.
std::string Content(std::string image) {
  CatalogueData d;
  std::vector<std::string> names;
  EXPECT_TRUE(ReadCatalogueImage(d, image, names));
  for (const auto& tab : d.TabList)
    for (const auto& item : tab->Items) item->SetPickState(0);
  return CatalogueImage(d, static_cast<std::int32_t>(names.size()), names);
}

std::string Content(const Catalogue& c) {
  return Content(Image(c));
}

std::string Snapshot(const Catalogue& c) {
  std::ostringstream out;
  out << State(c) << " @" << c.PickedIndex();
  for (std::int32_t t = 0; t < c.TabListCount(); ++t) out << " " << c.RememberedPick(t);
  out << "\n" << Image(c);
  return out.str();
}

}  // namespace

// Random operations, picks and undo/redo against a model of the history:
// each undo gives the catalogue as it was before its step, each redo as it
// was after it, down to the bytes of the data file.
TEST(CatalogueHistory, UndoAndRedoGiveBackEachStepExactly) {
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    Catalogue c;
    Build(c);
    CatalogueHistory history(c);
    int changes = 0;
    history.OnChange = [&] { ++changes; };
    std::vector<std::pair<std::string, std::string>> steps;  // before, after
    std::size_t at = 0;                                      // steps done
    std::uint32_t r = seed;
    const auto next = [&](int n) {
      r = r * 1103515245u + 12345u;
      return static_cast<std::int32_t>((r >> 16) % static_cast<std::uint32_t>(n));
    };
    int name = 0;
    for (int op = 0; op < 150; ++op) {
      const std::int32_t tabs = c.TabNameCount();
      const std::int32_t t = next(tabs);
      const std::int32_t n = c.Tab(t)->Count() + 1;
      const std::string before = Snapshot(c);
      const int changesBefore = changes;
      const int kind = next(15);
      SCOPED_TRACE("seed " + std::to_string(seed) + " op " + std::to_string(op) + " kind " +
                   std::to_string(kind));
      switch (kind) {
        case 0:
          c.DeleteItem(t, next(n));
          break;
        case 1:
          c.MoveItem(t, next(n), next(n + 1));
          break;
        case 2:
          c.SetItemSummary(t, next(n), "s" + std::to_string(next(3)));
          break;
        case 3:
          c.SetItemMemo(t, next(n), "\"m" + std::to_string(next(3)) + "\"");
          break;
        case 4: {
          const CatalogueHistory::Step step(&history);
          for (int k = next(3); k >= 0; --k) c.AppendItem(t, "new" + std::to_string(name++), "");
          break;
        }
        case 5:
          if (const TMenuItem* item = c.Item(t, next(n)))
            c.RelinkItems(
                {{t, item->Position, item->BatPath.str(), "moved" + std::to_string(name++)}});
          break;
        case 6:
          c.AddTab("T" + std::to_string(name++));
          break;
        case 7:
          c.RenameTab(t, "R" + std::to_string(next(3)));
          break;
        case 8:
          c.MoveTab(t, next(tabs));
          break;
        case 9:
          c.DeleteTab(t);
          break;
        case 10: {
          TTabList list;
          list.push_back(std::make_unique<TMList>());
          AppendBatItem(*list[0], 0, "restored" + std::to_string(name++), "");
          c.ReplaceTabs({"Restored"}, std::move(list), 0, 0);
          break;
        }
        case 11:
          c.PickItem(next(n));
          break;
        case 12:
          c.SwitchTab(t);
          break;
        case 13:
          if (history.Undo()) {
            ASSERT_GT(at, 0u);
            EXPECT_EQ(Snapshot(c), steps[--at].first);
          } else {
            EXPECT_EQ(at, 0u);
          }
          continue;
        case 14:
          if (history.Redo()) {
            ASSERT_LT(at, steps.size());
            EXPECT_EQ(Snapshot(c), steps[at++].second);
          } else {
            EXPECT_EQ(at, steps.size());
          }
          continue;
      }
      if (changes == changesBefore) {
        // No step: picks and showing, or a change that changed no item or name.
        if (kind < 11) {
          EXPECT_EQ(Content(c), Content(Image(before)));
        }
        continue;
      }
      steps.resize(at);
      steps.emplace_back(before, Snapshot(c));
      if (steps.size() > CatalogueHistory::MaxSteps) steps.erase(steps.begin());
      at = steps.size();
      EXPECT_EQ(history.UndoSteps(), at);
    }
  }
}
