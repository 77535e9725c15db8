// The catalogue: tabs (TMList) holding registered BAT files (TMenuItem).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/item_text.h"
#include "catalogue/relink.h"

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
  const TMenuItem* ItemAt(std::int64_t position) const;
  TMenuItem* ItemAt(std::int64_t position);
  std::int32_t Count() const { return static_cast<std::int32_t>(Items.size()); }

  // The items in order, read-only.
  struct const_iterator {
    std::vector<std::unique_ptr<TMenuItem>>::const_iterator at;
    const TMenuItem& operator*() const { return **at; }
    const TMenuItem* operator->() const { return at->get(); }
    const_iterator& operator++() {
      ++at;
      return *this;
    }
    bool operator==(const const_iterator&) const = default;
  };
  const_iterator begin() const { return {Items.begin()}; }
  const_iterator end() const { return {Items.end()}; }

  std::vector<std::unique_ptr<TMenuItem>> Items;
};

using TTabList = std::vector<std::unique_ptr<TMList>>;

// The catalogue as the files hold it: tabs, their names, the shown tab and
// the place of its pick. The data file and PATH.TXT read and write it; the
// program changes it only through Catalogue, which keeps the invariants.
struct CatalogueData {
  TTabList TabList;
  // The tab strip's names, as stored bytes. The strip only shows them: a
  // Win32 tab control holds UTF-16 and cuts long names, so reading them back
  // from it would change names nobody renamed.
  std::vector<std::string> TabNames;
  std::int32_t CurrentTab = 0;
  std::int32_t PickedIndex = 0;

  // The tab at `index`, or nullptr when there is none.
  TMList* Tab(std::int64_t index) const;
  // The item at `position` of tab `tab`, or nullptr.
  TMenuItem* Item(std::int64_t tab, std::int64_t position) const;
  // Items over every tab of TabList.
  std::int64_t TotalItemCount() const;
};

void ClearTabItems(TMList& tab);
TMenuItem& AddItem(TMList& tab, std::unique_ptr<TMenuItem> item);

// The place of the last item of `tab` with a pick state, else 0.
std::int32_t RememberedPick(const TMList& tab);
// Each item of `tab` from `from` on told its place.
void RenumberItems(TMList& tab, std::size_t from);
// Each item of `tab` told its tab's index.
void SetTabNumbers(TMList* tab, std::int32_t index);
// The item at `from` moved to `to`, both places on `tab`.
void MoveWithinTab(TMList& tab, std::int32_t from, std::int32_t to);

struct DataFileContents;
class CatalogueHistory;

// The program's catalogue. Every change is one of its operations, and each
// keeps, by itself: every item's Position is its place and its TabNo its
// tab's index; CurrentTab names a tab on the strip; every item lies on a tab
// that has a name; at most one item of the whole catalogue has pick state 2,
// the item at PickedIndex of CurrentTab. The picked path is that item's.
class Catalogue {
 public:
  Catalogue() = default;
  Catalogue(const Catalogue&) = delete;
  Catalogue& operator=(const Catalogue&) = delete;

  // What the data file and PATH.TXT writers and the search read.
  const CatalogueData& Data() const { return d_; }
  const std::vector<std::string>& TabNames() const { return d_.TabNames; }
  std::int32_t TabNameCount() const { return static_cast<std::int32_t>(d_.TabNames.size()); }
  // Tabs held, named or not: a restore may leave empty tabs past the names.
  std::int32_t TabListCount() const { return static_cast<std::int32_t>(d_.TabList.size()); }
  const TMList* Tab(std::int64_t index) const { return d_.Tab(index); }
  const TMenuItem* Item(std::int64_t tab, std::int64_t position) const {
    return d_.Item(tab, position);
  }
  std::int64_t TotalItemCount() const { return d_.TotalItemCount(); }
  bool Empty() const { return d_.TabList.empty(); }
  std::int32_t CurrentTab() const { return d_.CurrentTab; }
  // The pick's place on the current tab; 0 when nothing is picked.
  std::int32_t PickedIndex() const { return d_.PickedIndex; }
  // The picked item, or nullptr.
  const TMenuItem* PickedItem() const;
  // The picked item's BAT file; empty when nothing is picked.
  std::string PickedBatPath() const;
  // The folder the program runs from, where BAT files are looked for first.
  const std::string& BatFolder() const { return batFolder_; }
  void SetBatFolder(std::string folder) { batFolder_ = std::move(folder); }
  // The place a tab opens on: the data file's pick while the catalogue is
  // as read, else its last item with a pick state, else 0.
  std::int32_t RememberedPick(std::int32_t tab) const;

  // Nothing at all: no tab, nothing picked. Clear, StartEmpty and Load start
  // the history afresh.
  void Clear();
  // One empty tab "Tab1", for a start without a data file.
  void StartEmpty();
  // A data file's tabs and items added (see AddCatalogueContents).
  void Load(DataFileContents contents);

  // Picks the item at `position` of the current tab; false when there is none.
  // The item at PickedIndex before it goes to 0, as does any other current pick
  // of this tab; one left on another tab becomes that tab's remembered pick.
  bool PickItem(std::int32_t position);
  // The current tab is left: its pick becomes its remembered pick (state 1)
  // and nothing is picked.
  void LeaveCurrentTab();
  // Shows tab `tab` with nothing picked yet, after leaving the current one;
  // PickedIndex is the place the tab opens on.
  void SwitchTab(std::int32_t tab);

  // A deleted pick leaves nothing picked.
  bool DeleteItem(std::int32_t tab, std::int32_t position);
  // `to` past the last item moves to the end. The pick goes with its item.
  bool MoveItem(std::int32_t tab, std::int32_t from, std::int32_t to);
  bool SetItemSummary(std::int32_t tab, std::int32_t position, std::string text);
  bool SetItemMemo(std::int32_t tab, std::int32_t position, std::string memo);
  // A new item for `path` at the end of `tab`; nullptr when there is no such tab.
  const TMenuItem* AppendItem(std::int32_t tab, std::string path, std::string summary);
  // Gives each item its new path, all in one step; only the path changes. An
  // item no longer at its place with its old path is left as it is. Returns
  // how many changed.
  std::size_t RelinkItems(const std::vector<ItemRelink>& changes);

  // Tabs. Whenever another tab than the shown one becomes CurrentTab, the shown
  // one is left as by LeaveCurrentTab.
  void AddTab(std::string name);
  bool RenameTab(std::int32_t index, std::string name);
  // The moved tab becomes the current tab.
  bool MoveTab(std::int32_t from, std::int32_t to);
  // The last named tab is emptied and renamed "Tab1" instead. A CurrentTab that
  // named the last tab steps back by one; otherwise it keeps its number.
  bool DeleteTab(std::int32_t index);
  // A restored catalogue in place of this one, nothing picked; `names` and
  // `tabs` must hold at least one tab, and no items past `names`.
  void ReplaceTabs(std::vector<std::string> names, TTabList tabs, std::int32_t currentTab,
                   std::int32_t pickedIndex);

 private:
  friend class CatalogueHistory;
  void NothingPicked();
  void FollowShownTab(const TMList* shown, std::int32_t shownIndex);

  CatalogueData d_;
  std::string batFolder_;
  // The data file's pick when it is its tab's remembered one, until the
  // catalogue first changes (a tab of -1: none).
  std::int32_t filePickTab_ = -1;
  std::int32_t filePickPosition_ = 0;
  // Told of every change, when there is one.
  CatalogueHistory* history_ = nullptr;
};

}  // namespace zorbi
