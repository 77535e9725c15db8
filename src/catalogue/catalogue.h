// The catalogue: tabs (TMList) holding registered BAT files (TMenuItem).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/item_text.h"

namespace zorbi {

inline constexpr std::string_view VersionCaption = "Z_Orbi Ver" ZORBI_VERSION;
inline constexpr std::string_view DataFileName = "Z_Orbi.DAT";
inline constexpr std::string_view DefaultTabName = "Tab1";

// One registered BAT file. Field order is the data file's record order.
class TMenuItem {
 public:
  ItemText BatPath;
  ItemText Summary;
  std::int32_t TabNo = 0;
  std::int32_t Position = 0;
  ItemText Memo;  // comma text
  ItemText Reserved1;
  ItemText Reserved2;
  std::int32_t PickState = 0;  // 0 none, 1 remembered pick of a left tab, 2 current pick
  std::int32_t Reserved3 = 0;
  // Not stored: the bytes the texts above may view (see ItemText).
  std::shared_ptr<const std::string> Source;

  void InitItem(std::string batPath, std::string summary, std::int32_t tabNo, std::int32_t position,
                std::string memo, std::string reserved1, std::string reserved2,
                std::int32_t pickState, std::int32_t reserved3);

  void SetSummary(std::string text) { Summary = std::move(text); }
  void SetMemo(std::string text) { Memo = std::move(text); }
  void SetTabNo(std::int32_t n) { TabNo = n; }
  void SetPosition(std::int32_t n) { Position = n; }
  void SetPickState(std::int32_t n) { PickState = n; }
};

// One tab. Its name is entry i of Catalogue::TabNames.
class TMList {
 public:
  TMList() = default;
  TMList(const TMList&) = delete;
  TMList& operator=(const TMList&) = delete;
  ~TMList();

  // The item at `position`, or nullptr when no item is there.
  TMenuItem* ItemAt(std::int64_t position) const;
  std::int32_t Count() const { return static_cast<std::int32_t>(Items.size()); }

  std::vector<std::unique_ptr<TMenuItem>> Items;
};

using TTabList = std::vector<std::unique_ptr<TMList>>;

// The catalogue's program-wide state.
struct Catalogue {
  TTabList TabList;
  // The tab strip's names, as stored bytes. The strip only shows them: a
  // Win32 tab control holds UTF-16 and cuts long names, so reading them back
  // from it would change names nobody renamed.
  std::vector<std::string> TabNames;
  std::int32_t CurrentTab = 0;
  std::int32_t PickedIndex = 0;
  std::string BatFolder;
  std::string PickedBatPath;

  // The tab at `index`, or nullptr when there is none.
  TMList* Tab(std::int64_t index) const;
  // The item at `position` of tab `tab`, or nullptr.
  TMenuItem* Item(std::int64_t tab, std::int64_t position) const;
  // Items over every tab of TabList.
  std::int64_t TotalItemCount() const;
};

void CreateCatalogue(Catalogue& c);
void FreeCatalogue(Catalogue& c);
void ClearTabItems(TMList& tab);
TMenuItem& AddItem(TMList& tab, std::unique_ptr<TMenuItem> item);

// The catalogue's changes. Each keeps, by itself: every item's Position is its
// place and its TabNo its tab's index; CurrentTab names a tab on the strip;
// every item lies on a tab that has a name; at most one item of the whole
// catalogue has pick state 2, the item at PickedIndex of CurrentTab, and
// PickedBatPath is its BatPath (empty when nothing is picked).

// The picked item, or nullptr.
TMenuItem* PickedItem(const Catalogue& c);
// Picks the item at `position` of the current tab; false when there is none.
// The item at PickedIndex before it goes to 0, as does any other current pick
// of this tab; one left on another tab becomes that tab's remembered pick.
bool PickItem(Catalogue& c, std::int32_t position);
// The current tab is left: its item at PickedIndex becomes its remembered
// pick (state 1) and nothing is picked.
void LeaveCurrentTab(Catalogue& c);
// Shows tab `tab` with nothing picked yet, after leaving the current one.
void SwitchTab(Catalogue& c, std::int32_t tab);
// The place of the last item of `tab` with a pick state, else 0.
std::int32_t RememberedPick(const TMList& tab);

// A deleted pick leaves nothing picked.
bool DeleteItem(Catalogue& c, std::int32_t tab, std::int32_t position);
// `to` past the last item moves to the end. The pick goes with its item.
bool MoveItem(Catalogue& c, std::int32_t tab, std::int32_t from, std::int32_t to);
bool SetItemSummary(Catalogue& c, std::int32_t tab, std::int32_t position, std::string text);
bool SetItemMemo(Catalogue& c, std::int32_t tab, std::int32_t position, std::string memo);

// Tabs. Whenever another tab than the shown one becomes CurrentTab, the shown
// one is left as by LeaveCurrentTab.
void AddTab(Catalogue& c, std::string name);
bool RenameTab(Catalogue& c, std::int32_t index, std::string name);
// The moved tab becomes the current tab.
bool MoveTab(Catalogue& c, std::int32_t from, std::int32_t to);
// The last named tab is emptied and renamed "Tab1" instead. A CurrentTab that
// named the last tab steps back by one; otherwise it keeps its number.
bool DeleteTab(Catalogue& c, std::int32_t index);
// A restored catalogue in place of this one, nothing picked; `names` and
// `tabs` must hold at least one tab, and no items past `names`.
void ReplaceTabs(Catalogue& c, std::vector<std::string> names, TTabList tabs,
                 std::int32_t currentTab, std::int32_t pickedIndex);

}  // namespace zorbi
