#include "catalogue/catalogue.h"

#include <algorithm>

#include "catalogue/data_file.h"
#include "catalogue/registration.h"

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

const TMenuItem* TMList::ItemAt(std::int64_t position) const {
  if (position < 0 || position >= static_cast<std::int64_t>(Items.size())) return nullptr;
  return Items[static_cast<std::size_t>(position)].get();
}

TMenuItem* TMList::ItemAt(std::int64_t position) {
  return const_cast<TMenuItem*>(std::as_const(*this).ItemAt(position));
}

TMList* CatalogueData::Tab(std::int64_t index) const {
  if (index < 0 || index >= static_cast<std::int64_t>(TabList.size())) return nullptr;
  return TabList[static_cast<std::size_t>(index)].get();
}

TMenuItem* CatalogueData::Item(std::int64_t tab, std::int64_t position) const {
  TMList* t = Tab(tab);
  return t ? t->ItemAt(position) : nullptr;
}

std::int64_t CatalogueData::TotalItemCount() const {
  std::int64_t n = 0;
  for (const auto& tab : TabList) n += static_cast<std::int64_t>(tab->Items.size());
  return n;
}

void ClearTabItems(TMList& tab) {
  for (auto& item : tab.Items) item.reset();
  tab.Items.clear();
}

TMenuItem& AddItem(TMList& tab, std::unique_ptr<TMenuItem> item) {
  tab.Items.push_back(std::move(item));
  return *tab.Items.back();
}

std::int32_t RememberedPick(const TMList& tab) {
  // Searched from the end, so a pick near the end of a long tab is found at once.
  for (std::int32_t p = tab.Count() - 1; p > 0; --p)
    if (tab.Items[static_cast<std::size_t>(p)]->PickState != 0) return p;
  return 0;
}

namespace {

void Renumber(TMList& tab, std::size_t from) {
  for (std::size_t p = from; p < tab.Items.size(); ++p)
    tab.Items[p]->SetPosition(static_cast<std::int32_t>(p));
}

void SetTabNumbers(TMList* tab, std::int32_t index) {
  if (!tab) return;
  for (auto& item : tab->Items) item->SetTabNo(index);
}

}  // namespace

const TMenuItem* Catalogue::PickedItem() const {
  const TMenuItem* item = d_.Item(d_.CurrentTab, d_.PickedIndex);
  return item && item->PickState == 2 ? item : nullptr;
}

std::string Catalogue::PickedBatPath() const {
  const TMenuItem* item = PickedItem();
  return item ? item->BatPath.str() : std::string();
}

std::int32_t Catalogue::RememberedPick(std::int32_t tab) const {
  if (tab == filePickTab_) return filePickPosition_;
  const TMList* list = d_.Tab(tab);
  return list ? zorbi::RememberedPick(*list) : 0;
}

void Catalogue::Clear() {
  // Tabs go in list order; each frees its own items in list order.
  for (auto& tab : d_.TabList) tab.reset();
  d_.TabList.clear();
  d_.TabNames.clear();
  d_.CurrentTab = 0;
  d_.PickedIndex = 0;
  filePickTab_ = -1;
}

void Catalogue::StartEmpty() {
  Clear();
  d_.TabNames = {std::string(DefaultTabName)};
  d_.TabList.push_back(std::make_unique<TMList>());
}

void Catalogue::Load(DataFileContents contents) {
  // A pick that no later item of its tab outdoes is the tab's remembered
  // one: the first showing need not look through the tab for it.
  const bool first = contents.PickLastMarked && d_.TabList.empty();
  filePickTab_ = first ? contents.PickTab : -1;
  filePickPosition_ = contents.PickPosition;
  AddCatalogueContents(d_, std::move(contents), d_.TabNames);
}

void Catalogue::NothingPicked() {
  d_.PickedIndex = 0;
}

void Catalogue::FollowShownTab(const TMList* shown, std::int32_t shownIndex) {
  // After a tab change that may show another tab than `shown`.
  if (shown && d_.Tab(d_.CurrentTab) == shown) return;
  if (TMList* left = d_.Tab(shownIndex); left && left == shown)
    if (TMenuItem* item = left->ItemAt(d_.PickedIndex)) item->SetPickState(1);
  NothingPicked();
}

bool Catalogue::PickItem(std::int32_t position) {
  TMenuItem* picked = d_.Item(d_.CurrentTab, position);
  if (!picked) return false;
  filePickTab_ = -1;
  if (TMenuItem* old = d_.Item(d_.CurrentTab, d_.PickedIndex)) old->SetPickState(0);
  // A current pick anywhere else (a data file may hold several) steps back.
  for (std::size_t t = 0; t < d_.TabList.size(); ++t)
    for (auto& item : d_.TabList[t]->Items)
      if (item->PickState == 2)
        item->SetPickState(static_cast<std::int32_t>(t) == d_.CurrentTab ? 0 : 1);
  d_.PickedIndex = position;
  picked->SetPickState(2);
  return true;
}

void Catalogue::LeaveCurrentTab() {
  if (TMenuItem* item = d_.Item(d_.CurrentTab, d_.PickedIndex); item && item->PickState == 2) {
    filePickTab_ = -1;
    item->SetPickState(1);
  }
  NothingPicked();
}

void Catalogue::SwitchTab(std::int32_t tab) {
  if (tab == d_.CurrentTab && PickedItem()) return;  // shown already, with its pick
  LeaveCurrentTab();
  d_.CurrentTab = std::clamp(tab, 0, std::max(TabNameCount() - 1, 0));
  // Nothing is picked yet; the place is the one the tab opens on, so that a
  // pick elsewhere takes its remembered state away.
  d_.PickedIndex = RememberedPick(d_.CurrentTab);
}

bool Catalogue::DeleteItem(std::int32_t tab, std::int32_t position) {
  TMList* list = d_.Tab(tab);
  if (!list || !list->ItemAt(position)) return false;
  filePickTab_ = -1;
  const bool wasPicked = tab == d_.CurrentTab && PickedItem() == list->ItemAt(position);
  list->Items.erase(list->Items.begin() + position);
  Renumber(*list, static_cast<std::size_t>(position));
  if (wasPicked)
    NothingPicked();
  else if (tab == d_.CurrentTab && d_.PickedIndex > position)
    --d_.PickedIndex;
  return true;
}

bool Catalogue::MoveItem(std::int32_t tab, std::int32_t from, std::int32_t to) {
  TMList* list = d_.Tab(tab);
  if (!list || !list->ItemAt(from) || to < 0) return false;
  filePickTab_ = -1;
  to = std::min(to, list->Count() - 1);
  auto& items = list->Items;
  const auto first = items.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
  Renumber(*list, 0);
  if (tab == d_.CurrentTab) {
    std::int32_t& p = d_.PickedIndex;
    if (p == from)
      p = to;
    else if (from < p && p <= to)
      --p;
    else if (to <= p && p < from)
      ++p;
  }
  return true;
}

bool Catalogue::SetItemSummary(std::int32_t tab, std::int32_t position, std::string text) {
  TMenuItem* item = d_.Item(tab, position);
  if (item) item->SetSummary(std::move(text));
  return item != nullptr;
}

bool Catalogue::SetItemMemo(std::int32_t tab, std::int32_t position, std::string memo) {
  TMenuItem* item = d_.Item(tab, position);
  if (item) item->SetMemo(std::move(memo));
  return item != nullptr;
}

const TMenuItem* Catalogue::AppendItem(std::int32_t tab, std::string path, std::string summary) {
  TMList* list = d_.Tab(tab);
  if (!list) return nullptr;
  return &AppendBatItem(*list, tab, std::move(path), std::move(summary));
}

std::size_t Catalogue::RelinkItems(const std::vector<ItemRelink>& changes) {
  std::size_t changed = 0;
  for (const ItemRelink& change : changes) {
    TMenuItem* item = d_.Item(change.Tab, change.Position);
    if (!item || item->BatPath != change.OldPath) continue;
    item->BatPath = change.NewPath;
    ++changed;
  }
  return changed;
}

void Catalogue::AddTab(std::string name) {
  d_.TabNames.push_back(std::move(name));
  // Always a new tab: one past the strip from a restore becomes the named one.
  d_.TabList.push_back(std::make_unique<TMList>());
}

bool Catalogue::RenameTab(std::int32_t index, std::string name) {
  if (index < 0 || index >= TabNameCount()) return false;
  d_.TabNames[static_cast<std::size_t>(index)] = std::move(name);
  return true;
}

bool Catalogue::MoveTab(std::int32_t from, std::int32_t to) {
  const std::int32_t names = TabNameCount();
  if (from < 0 || from >= names || to < 0 || to >= names || !d_.Tab(from) || !d_.Tab(to))
    return false;
  filePickTab_ = -1;
  const TMList* shown = d_.Tab(d_.CurrentTab);
  const std::int32_t shownIndex =
      d_.Tab(from) == shown ? to : (d_.Tab(to) == shown ? from : d_.CurrentTab);
  std::swap(d_.TabNames[static_cast<std::size_t>(from)], d_.TabNames[static_cast<std::size_t>(to)]);
  std::swap(d_.TabList[static_cast<std::size_t>(from)], d_.TabList[static_cast<std::size_t>(to)]);
  SetTabNumbers(d_.Tab(to), to);
  SetTabNumbers(d_.Tab(from), from);
  d_.CurrentTab = to;
  FollowShownTab(shown, shownIndex);
  return true;
}

bool Catalogue::DeleteTab(std::int32_t index) {
  filePickTab_ = -1;
  if (d_.TabNames.size() <= 1) {
    d_.TabNames = {std::string(DefaultTabName)};
    if (d_.TabList.empty()) d_.TabList.push_back(std::make_unique<TMList>());
    ClearTabItems(*d_.TabList[0]);
    d_.CurrentTab = 0;
    NothingPicked();
    return true;
  }
  const std::int32_t names = TabNameCount();
  if (index < 0 || index >= names) return false;
  const TMList* shown = index == d_.CurrentTab ? nullptr : d_.Tab(d_.CurrentTab);
  std::int32_t shownIndex = index < d_.CurrentTab ? d_.CurrentTab - 1 : d_.CurrentTab;
  if (d_.CurrentTab == names - 1) --d_.CurrentTab;
  d_.TabNames.erase(d_.TabNames.begin() + index);
  if (index < TabListCount()) d_.TabList.erase(d_.TabList.begin() + index);
  for (std::size_t t = static_cast<std::size_t>(index); t < d_.TabList.size(); ++t)
    SetTabNumbers(d_.TabList[t].get(), static_cast<std::int32_t>(t));
  if (!shown) shownIndex = -1;  // the pick went with its tab
  FollowShownTab(shown, shownIndex);
  return true;
}

void Catalogue::ReplaceTabs(std::vector<std::string> names, TTabList tabs, std::int32_t currentTab,
                            std::int32_t pickedIndex) {
  filePickTab_ = -1;
  d_.TabList = std::move(tabs);
  d_.TabNames = std::move(names);
  const auto last = TabNameCount() - 1;
  d_.CurrentTab = std::clamp(currentTab, 0, std::max(last, 0));
  d_.PickedIndex = pickedIndex;
}

}  // namespace zorbi
