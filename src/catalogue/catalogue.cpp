#include "catalogue/catalogue.h"

#include <algorithm>

#include "catalogue/catalogue_history.h"
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

void RenumberItems(TMList& tab, std::size_t from) {
  for (std::size_t p = from; p < tab.Items.size(); ++p)
    tab.Items[p]->SetPosition(static_cast<std::int32_t>(p));
}

void SetTabNumbers(TMList* tab, std::int32_t index) {
  if (!tab) return;
  for (auto& item : tab->Items) item->SetTabNo(index);
}

void MoveWithinTab(TMList& tab, std::int32_t from, std::int32_t to) {
  auto& items = tab.Items;
  const auto first = items.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
  RenumberItems(tab, static_cast<std::size_t>(std::min(from, to)));
}

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
  if (history_) history_->Forget();
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
  if (history_) history_->Forget();
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
  const CatalogueHistory::Step step(history_);
  const bool wasPicked = tab == d_.CurrentTab && PickedItem() == list->ItemAt(position);
  auto& slot = list->Items[static_cast<std::size_t>(position)];
  if (history_) history_->Record(edit::InsertItem{tab, position, std::move(slot)});
  filePickTab_ = -1;
  list->Items.erase(list->Items.begin() + position);
  RenumberItems(*list, static_cast<std::size_t>(position));
  if (wasPicked)
    NothingPicked();
  else if (tab == d_.CurrentTab && d_.PickedIndex > position)
    --d_.PickedIndex;
  return true;
}

bool Catalogue::MoveItem(std::int32_t tab, std::int32_t from, std::int32_t to) {
  TMList* list = d_.Tab(tab);
  if (!list || !list->ItemAt(from) || to < 0) return false;
  to = std::min(to, list->Count() - 1);
  const CatalogueHistory::Step step(history_);
  if (history_ && from != to) history_->Record(edit::MoveItem{tab, to, from});
  filePickTab_ = -1;
  MoveWithinTab(*list, from, to);
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
  if (!item) return false;
  if (item->Summary == text) return true;
  const CatalogueHistory::Step step(history_);
  if (history_)
    history_->Record(edit::SwapText{tab, position, edit::Field::Summary, item->Summary});
  item->SetSummary(std::move(text));
  return true;
}

bool Catalogue::SetItemMemo(std::int32_t tab, std::int32_t position, std::string memo) {
  TMenuItem* item = d_.Item(tab, position);
  if (!item) return false;
  if (item->Memo == memo) return true;
  const CatalogueHistory::Step step(history_);
  if (history_) history_->Record(edit::SwapText{tab, position, edit::Field::Memo, item->Memo});
  item->SetMemo(std::move(memo));
  return true;
}

const TMenuItem* Catalogue::AppendItem(std::int32_t tab, std::string path, std::string summary) {
  TMList* list = d_.Tab(tab);
  if (!list) return nullptr;
  const CatalogueHistory::Step step(history_);
  if (history_) history_->Record(edit::RemoveItem{tab, list->Count()});
  return &AppendBatItem(*list, tab, std::move(path), std::move(summary));
}

std::size_t Catalogue::RelinkItems(const std::vector<ItemRelink>& changes) {
  std::size_t changed = 0;
  const CatalogueHistory::Step step(history_);
  for (const ItemRelink& change : changes) {
    TMenuItem* item = d_.Item(change.Tab, change.Position);
    if (!item || item->BatPath != change.OldPath) continue;
    if (history_ && change.NewPath != change.OldPath)
      history_->Record(
          edit::SwapText{change.Tab, change.Position, edit::Field::BatPath, item->BatPath});
    item->BatPath = change.NewPath;
    ++changed;
  }
  return changed;
}

void Catalogue::AddTab(std::string name) {
  const CatalogueHistory::Step step(history_);
  if (history_) history_->Record(edit::PopTab{});
  d_.TabNames.push_back(std::move(name));
  // Always a new tab: one past the strip from a restore becomes the named one.
  d_.TabList.push_back(std::make_unique<TMList>());
}

bool Catalogue::RenameTab(std::int32_t index, std::string name) {
  if (index < 0 || index >= TabNameCount()) return false;
  std::string& old = d_.TabNames[static_cast<std::size_t>(index)];
  if (old == name) return true;
  const CatalogueHistory::Step step(history_);
  if (history_) history_->Record(edit::RenameTab{index, old});
  old = std::move(name);
  return true;
}

bool Catalogue::MoveTab(std::int32_t from, std::int32_t to) {
  const std::int32_t names = TabNameCount();
  if (from < 0 || from >= names || to < 0 || to >= names || !d_.Tab(from) || !d_.Tab(to))
    return false;
  const CatalogueHistory::Step step(history_);
  if (history_ && from != to) history_->Record(edit::SwapTabs{from, to});
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
  const CatalogueHistory::Step step(history_);
  if (d_.TabNames.size() <= 1) {
    if (history_ && d_.TabNames.size() == 1 && !d_.TabList.empty())
      history_->Record(edit::SwapTabContents{0, d_.TabNames[0], std::move(d_.TabList[0]->Items)});
    else if (history_)
      history_->Forget();
    filePickTab_ = -1;
    d_.TabNames = {std::string(DefaultTabName)};
    if (d_.TabList.empty()) d_.TabList.push_back(std::make_unique<TMList>());
    ClearTabItems(*d_.TabList[0]);
    d_.CurrentTab = 0;
    NothingPicked();
    return true;
  }
  const std::int32_t names = TabNameCount();
  if (index < 0 || index >= names) return false;
  const std::size_t at = static_cast<std::size_t>(index);
  if (history_)
    history_->Record(edit::InsertTab{index, d_.TabNames[at],
                                     index < TabListCount() ? std::move(d_.TabList[at]) : nullptr});
  filePickTab_ = -1;
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
  const CatalogueHistory::Step step(history_);
  // The catalogue that goes is kept as its data file image when that reads
  // back exactly, and so is the restored one when it is taken back.
  edit::SwapAll old;
  if (history_) old = edit::TakeAll(d_, edit::ReadsBack(d_));
  filePickTab_ = -1;
  d_.TabList = std::move(tabs);
  d_.TabNames = std::move(names);
  if (history_) {
    old.OtherPacks = edit::ReadsBack(d_);
    history_->Record(std::move(old));
  }
  const auto last = TabNameCount() - 1;
  d_.CurrentTab = std::clamp(currentTab, 0, std::max(last, 0));
  d_.PickedIndex = pickedIndex;
}

}  // namespace zorbi
