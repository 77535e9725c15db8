#include "catalogue/catalogue.h"

#include <algorithm>

namespace zorbi {

void TMenuItem::InitItem(std::string batPath, std::string summary, std::int32_t tabNo,
                         std::int32_t position, std::string memo, std::string reserved1,
                         std::string reserved2, std::int32_t pickState, std::int32_t reserved3) {
  BatPath = std::move(batPath);
  Summary = std::move(summary);
  TabNo = tabNo;
  Position = position;
  Memo = std::move(memo);
  Reserved1 = std::move(reserved1);
  Reserved2 = std::move(reserved2);
  PickState = pickState;
  Reserved3 = reserved3;
}

TMList::~TMList() {
  ClearTabItems(*this);
}

TMenuItem* TMList::ItemAt(std::int64_t position) const {
  if (position < 0 || position >= static_cast<std::int64_t>(Items.size())) return nullptr;
  return Items[static_cast<std::size_t>(position)].get();
}

TMList* Catalogue::Tab(std::int64_t index) const {
  if (index < 0 || index >= static_cast<std::int64_t>(TabList.size())) return nullptr;
  return TabList[static_cast<std::size_t>(index)].get();
}

TMenuItem* Catalogue::Item(std::int64_t tab, std::int64_t position) const {
  const TMList* t = Tab(tab);
  return t ? t->ItemAt(position) : nullptr;
}

std::int64_t Catalogue::TotalItemCount() const {
  std::int64_t n = 0;
  for (const auto& tab : TabList) n += static_cast<std::int64_t>(tab->Items.size());
  return n;
}

void CreateCatalogue(Catalogue& c) {
  c.TabList.clear();
  c.CurrentTab = 0;
  c.PickedIndex = 0;
}

void FreeCatalogue(Catalogue& c) {
  // Tabs go in list order; each frees its own items in list order.
  for (auto& tab : c.TabList) tab.reset();
  c.TabList.clear();
}

void ClearTabItems(TMList& tab) {
  for (auto& item : tab.Items) item.reset();
  tab.Items.clear();
}

TMenuItem& AddItem(TMList& tab, std::unique_ptr<TMenuItem> item) {
  tab.Items.push_back(std::move(item));
  return *tab.Items.back();
}

}  // namespace zorbi

namespace zorbi {

namespace {

void Renumber(TMList& tab, std::size_t from) {
  for (std::size_t p = from; p < tab.Items.size(); ++p)
    tab.Items[p]->SetPosition(static_cast<std::int32_t>(p));
}

void SetTabNumbers(TMList* tab, std::int32_t index) {
  if (!tab) return;
  for (auto& item : tab->Items) item->SetTabNo(index);
}

void NothingPicked(Catalogue& c) {
  c.PickedBatPath.clear();
  c.PickedIndex = 0;
}

// After a tab change that may show another tab than `shown`.
void FollowShownTab(Catalogue& c, const TMList* shown, std::int32_t shownIndex) {
  if (shown && c.Tab(c.CurrentTab) == shown) return;
  if (TMList* left = c.Tab(shownIndex); left && left == shown)
    if (TMenuItem* item = left->ItemAt(c.PickedIndex)) item->SetPickState(1);
  NothingPicked(c);
}

}  // namespace

TMenuItem* PickedItem(const Catalogue& c) {
  TMenuItem* item = c.Item(c.CurrentTab, c.PickedIndex);
  return item && item->PickState == 2 ? item : nullptr;
}

bool PickItem(Catalogue& c, std::int32_t position) {
  TMenuItem* picked = c.Item(c.CurrentTab, position);
  if (!picked) return false;
  if (TMenuItem* old = c.Item(c.CurrentTab, c.PickedIndex)) old->SetPickState(0);
  // A current pick anywhere else (a data file may hold several) steps back.
  for (std::size_t t = 0; t < c.TabList.size(); ++t)
    for (auto& item : c.TabList[t]->Items)
      if (item->PickState == 2)
        item->SetPickState(static_cast<std::int32_t>(t) == c.CurrentTab ? 0 : 1);
  c.PickedBatPath = picked->BatPath;
  c.PickedIndex = position;
  picked->SetPickState(2);
  return true;
}

void LeaveCurrentTab(Catalogue& c) {
  if (TMenuItem* item = c.Item(c.CurrentTab, c.PickedIndex)) item->SetPickState(1);
  NothingPicked(c);
}

void SwitchTab(Catalogue& c, std::int32_t tab) {
  LeaveCurrentTab(c);
  c.CurrentTab = tab;
}

std::int32_t RememberedPick(const TMList& tab) {
  // Searched from the end, so a pick near the end of a long tab is found at once.
  for (std::int32_t p = tab.Count() - 1; p > 0; --p)
    if (tab.Items[static_cast<std::size_t>(p)]->PickState != 0) return p;
  return 0;
}

bool DeleteItem(Catalogue& c, std::int32_t tab, std::int32_t position) {
  TMList* list = c.Tab(tab);
  if (!list || !list->ItemAt(position)) return false;
  const bool wasPicked = tab == c.CurrentTab && PickedItem(c) == list->ItemAt(position);
  list->Items.erase(list->Items.begin() + position);
  Renumber(*list, static_cast<std::size_t>(position));
  if (wasPicked)
    NothingPicked(c);
  else if (tab == c.CurrentTab && c.PickedIndex > position)
    --c.PickedIndex;
  return true;
}

bool MoveItem(Catalogue& c, std::int32_t tab, std::int32_t from, std::int32_t to) {
  TMList* list = c.Tab(tab);
  if (!list || !list->ItemAt(from) || to < 0) return false;
  to = std::min(to, list->Count() - 1);
  auto& items = list->Items;
  const auto first = items.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
  Renumber(*list, 0);
  if (tab == c.CurrentTab) {
    std::int32_t& p = c.PickedIndex;
    if (p == from)
      p = to;
    else if (from < p && p <= to)
      --p;
    else if (to <= p && p < from)
      ++p;
  }
  return true;
}

bool SetItemSummary(Catalogue& c, std::int32_t tab, std::int32_t position, std::string text) {
  TMenuItem* item = c.Item(tab, position);
  if (item) item->SetSummary(std::move(text));
  return item != nullptr;
}

bool SetItemMemo(Catalogue& c, std::int32_t tab, std::int32_t position, std::string memo) {
  TMenuItem* item = c.Item(tab, position);
  if (item) item->SetMemo(std::move(memo));
  return item != nullptr;
}

void AddTab(Catalogue& c, std::string name) {
  c.TabNames.push_back(std::move(name));
  // Always a new tab: one past the strip from a restore becomes the named one.
  c.TabList.push_back(std::make_unique<TMList>());
}

bool RenameTab(Catalogue& c, std::int32_t index, std::string name) {
  if (index < 0 || index >= static_cast<std::int32_t>(c.TabNames.size())) return false;
  c.TabNames[static_cast<std::size_t>(index)] = std::move(name);
  return true;
}

bool MoveTab(Catalogue& c, std::int32_t from, std::int32_t to) {
  const auto names = static_cast<std::int32_t>(c.TabNames.size());
  if (from < 0 || from >= names || to < 0 || to >= names || !c.Tab(from) || !c.Tab(to))
    return false;
  const TMList* shown = c.Tab(c.CurrentTab);
  const std::int32_t shownIndex =
      c.Tab(from) == shown ? to : (c.Tab(to) == shown ? from : c.CurrentTab);
  std::swap(c.TabNames[static_cast<std::size_t>(from)], c.TabNames[static_cast<std::size_t>(to)]);
  std::swap(c.TabList[static_cast<std::size_t>(from)], c.TabList[static_cast<std::size_t>(to)]);
  SetTabNumbers(c.Tab(to), to);
  SetTabNumbers(c.Tab(from), from);
  c.CurrentTab = to;
  FollowShownTab(c, shown, shownIndex);
  return true;
}

bool DeleteTab(Catalogue& c, std::int32_t index) {
  if (c.TabNames.size() <= 1) {
    c.TabNames = {std::string(DefaultTabName)};
    if (c.TabList.empty()) c.TabList.push_back(std::make_unique<TMList>());
    ClearTabItems(*c.TabList[0]);
    c.CurrentTab = 0;
    NothingPicked(c);
    return true;
  }
  const auto names = static_cast<std::int32_t>(c.TabNames.size());
  if (index < 0 || index >= names) return false;
  const TMList* shown = index == c.CurrentTab ? nullptr : c.Tab(c.CurrentTab);
  std::int32_t shownIndex = index < c.CurrentTab ? c.CurrentTab - 1 : c.CurrentTab;
  if (c.CurrentTab == names - 1) --c.CurrentTab;
  c.TabNames.erase(c.TabNames.begin() + index);
  if (index < static_cast<std::int32_t>(c.TabList.size()))
    c.TabList.erase(c.TabList.begin() + index);
  for (std::size_t t = static_cast<std::size_t>(index); t < c.TabList.size(); ++t)
    SetTabNumbers(c.TabList[t].get(), static_cast<std::int32_t>(t));
  if (!shown) shownIndex = -1;  // the pick went with its tab
  FollowShownTab(c, shown, shownIndex);
  return true;
}

void ReplaceTabs(Catalogue& c, std::vector<std::string> names, TTabList tabs,
                 std::int32_t currentTab, std::int32_t pickedIndex) {
  c.TabList = std::move(tabs);
  c.TabNames = std::move(names);
  const auto last = static_cast<std::int32_t>(c.TabNames.size()) - 1;
  c.CurrentTab = std::clamp(currentTab, 0, std::max(last, 0));
  c.PickedIndex = pickedIndex;
  c.PickedBatPath.clear();
}

}  // namespace zorbi
