#include "catalogue/catalogue_history.h"

#include <algorithm>
#include <utility>

#include "catalogue/data_file.h"

namespace zorbi {

namespace {

using namespace edit;

std::size_t At(std::int32_t n) {
  return static_cast<std::size_t>(n);
}

void NumberTabsFrom(CatalogueData& d, std::int32_t index) {
  for (std::size_t t = At(index); t < d.TabList.size(); ++t)
    SetTabNumbers(d.TabList[t].get(), static_cast<std::int32_t>(t));
}

ItemText& FieldOf(TMenuItem& item, Field which) {
  switch (which) {
    case Field::BatPath:
      return item.BatPath;
    case Field::Memo:
      return item.Memo;
    case Field::Summary:
      break;
  }
  return item.Summary;
}

// Each edit applied to `d`, giving the edit that takes it back. The history
// plays them only in the order they were made, so each finds the catalogue
// as it was when it was recorded.
struct Apply {
  CatalogueData& d;

  CatalogueEdit operator()(InsertItem& e) const {
    TMList& tab = *d.Tab(e.Tab);
    e.Item->SetTabNo(e.Tab);
    tab.Items.insert(tab.Items.begin() + e.Position, std::move(e.Item));
    RenumberItems(tab, At(e.Position));
    return RemoveItem{e.Tab, e.Position};
  }
  CatalogueEdit operator()(RemoveItem& e) const {
    TMList& tab = *d.Tab(e.Tab);
    auto item = std::move(tab.Items[At(e.Position)]);
    tab.Items.erase(tab.Items.begin() + e.Position);
    RenumberItems(tab, At(e.Position));
    return InsertItem{e.Tab, e.Position, std::move(item)};
  }
  CatalogueEdit operator()(MoveItem& e) const {
    MoveWithinTab(*d.Tab(e.Tab), e.From, e.To);
    return MoveItem{e.Tab, e.To, e.From};
  }
  CatalogueEdit operator()(SwapText& e) const {
    std::swap(FieldOf(*d.Item(e.Tab, e.Position), e.Which), e.Text);
    return std::move(e);
  }
  CatalogueEdit operator()(PushTab& e) const {
    d.TabNames.push_back(std::move(e.Name));
    d.TabList.push_back(e.Tab ? std::move(e.Tab) : std::make_unique<TMList>());
    SetTabNumbers(d.TabList.back().get(), static_cast<std::int32_t>(d.TabList.size() - 1));
    return PopTab{};
  }
  CatalogueEdit operator()(PopTab&) const {
    PushTab back{std::move(d.TabNames.back()), std::move(d.TabList.back())};
    d.TabNames.pop_back();
    d.TabList.pop_back();
    return back;
  }
  CatalogueEdit operator()(InsertTab& e) const {
    d.TabNames.insert(d.TabNames.begin() + e.Index, std::move(e.Name));
    if (e.Tab) d.TabList.insert(d.TabList.begin() + e.Index, std::move(e.Tab));
    NumberTabsFrom(d, e.Index);
    return RemoveTab{e.Index};
  }
  CatalogueEdit operator()(RemoveTab& e) const {
    InsertTab back{e.Index, std::move(d.TabNames[At(e.Index)]), nullptr};
    d.TabNames.erase(d.TabNames.begin() + e.Index);
    if (At(e.Index) < d.TabList.size()) {
      back.Tab = std::move(d.TabList[At(e.Index)]);
      d.TabList.erase(d.TabList.begin() + e.Index);
    }
    NumberTabsFrom(d, e.Index);
    return back;
  }
  CatalogueEdit operator()(RenameTab& e) const {
    std::swap(d.TabNames[At(e.Index)], e.Name);
    return std::move(e);
  }
  CatalogueEdit operator()(SwapTabs& e) const {
    std::swap(d.TabNames[At(e.A)], d.TabNames[At(e.B)]);
    std::swap(d.TabList[At(e.A)], d.TabList[At(e.B)]);
    SetTabNumbers(d.Tab(e.A), e.A);
    SetTabNumbers(d.Tab(e.B), e.B);
    return e;
  }
  CatalogueEdit operator()(SwapTabContents& e) const {
    std::swap(d.TabNames[At(e.Index)], e.Name);
    std::swap(d.TabList[At(e.Index)]->Items, e.Items);
    return std::move(e);
  }
  CatalogueEdit operator()(SwapAll& e) const {
    // Each side was found to read back from its image when the restore was made.
    SwapAll back = TakeAll(d, e.OtherPacks);
    back.OtherPacks = e.Image != nullptr;
    PutAll(d, std::move(e));
    return back;
  }
};

std::int64_t CountItems(const TTabList& tabs) {
  std::int64_t n = 0;
  for (const auto& tab : tabs)
    if (tab) n += tab->Count();
  return n;
}

}  // namespace

namespace edit {

bool ReadsBack(const CatalogueData& d) {
  const auto names = static_cast<std::int32_t>(d.TabNames.size());
  const std::string image = CatalogueImage(d, names, d.TabNames);
  CatalogueData again;
  std::vector<std::string> againNames;
  DataFileContents contents;
  if (!ParseCatalogueImage(std::string_view(image), contents)) return false;
  AddCatalogueContents(again, std::move(contents), againNames);
  return again.TabList.size() <= d.TabList.size() &&
         CatalogueImage(again, names, againNames) == image;
}

SwapAll TakeAll(CatalogueData& d, bool pack) {
  SwapAll all;
  all.TabCount = static_cast<std::int32_t>(d.TabList.size());
  all.Items = CountItems(d.TabList);
  if (pack) {
    all.Image = std::make_shared<const std::string>(
        CatalogueImage(d, static_cast<std::int32_t>(d.TabNames.size()), d.TabNames));
    d.TabNames.clear();
    d.TabList.clear();
  } else {
    all.Names = std::move(d.TabNames);
    all.Tabs = std::move(d.TabList);
  }
  return all;
}

void PutAll(CatalogueData& d, SwapAll all) {
  d.TabNames.clear();
  d.TabList.clear();
  if (!all.Image) {
    d.TabNames = std::move(all.Names);
    d.TabList = std::move(all.Tabs);
    return;
  }
  DataFileContents contents;
  ParseCatalogueImage(all.Image, contents);
  CatalogueData read;
  AddCatalogueContents(read, std::move(contents), d.TabNames);
  d.TabList = std::move(read.TabList);
  while (static_cast<std::int32_t>(d.TabList.size()) < all.TabCount)
    d.TabList.push_back(std::make_unique<TMList>());
}

}  // namespace edit

std::int64_t HeldItems(const CatalogueEdit& e) {
  if (std::holds_alternative<InsertItem>(e)) return 1;
  if (const auto* p = std::get_if<PushTab>(&e)) return p->Tab ? p->Tab->Count() : 0;
  if (const auto* i = std::get_if<InsertTab>(&e)) return i->Tab ? i->Tab->Count() : 0;
  if (const auto* s = std::get_if<SwapTabContents>(&e))
    return static_cast<std::int64_t>(s->Items.size());
  if (const auto* a = std::get_if<SwapAll>(&e)) return a->Items;
  return 0;
}

CatalogueHistory::CatalogueHistory(Catalogue& cat) : cat_(cat) {
  cat_.history_ = this;
}

CatalogueHistory::~CatalogueHistory() {
  cat_.history_ = nullptr;
}

void CatalogueHistory::Begin() {
  // The marks as they were before the step.
  if (depth_++ == 0) open_.Before = Marks();
}

void CatalogueHistory::Record(CatalogueEdit edit) {
  open_.Held += zorbi::HeldItems(edit);
  open_.Edits.push_back(std::move(edit));
}

void CatalogueHistory::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  Entry step = std::exchange(open_, {});
  if (step.Edits.empty()) return;
  step.After = Marks();
  held_ += step.Held;
  while (!redo_.empty()) Drop(redo_, false);
  undo_.push_back(std::move(step));
  Trim();
  Changed();
}

void CatalogueHistory::Drop(std::deque<Entry>& steps, bool front) {
  held_ -= front ? steps.front().Held : steps.back().Held;
  if (front)
    steps.pop_front();
  else
    steps.pop_back();
}

void CatalogueHistory::Trim() {
  // The steps hold at most twice the catalogue's items: a restore and what
  // followed it can be taken back. The newest step stays whatever it holds.
  const std::int64_t room = std::max<std::int64_t>(2 * cat_.TotalItemCount(), 1000);
  while (undo_.size() > MaxSteps || (held_ > room && undo_.size() > 1)) Drop(undo_, true);
}

void CatalogueHistory::Forget() {
  const bool had = !undo_.empty() || !redo_.empty();
  undo_.clear();
  redo_.clear();
  open_ = {};
  held_ = 0;
  if (had) Changed();
}

bool CatalogueHistory::Undo() {
  if (depth_ > 0 || undo_.empty()) return false;
  Play(undo_, redo_, true);
  return true;
}

bool CatalogueHistory::Redo() {
  if (depth_ > 0 || redo_.empty()) return false;
  Play(redo_, undo_, false);
  return true;
}

void CatalogueHistory::Play(std::deque<Entry>& from, std::deque<Entry>& to, bool undo) {
  Entry step = std::move(from.back());
  from.pop_back();
  held_ -= step.Held;
  std::vector<CatalogueEdit> back;
  back.reserve(step.Edits.size());
  step.Held = 0;
  lastReplacedAll_ = false;
  for (auto e = step.Edits.rbegin(); e != step.Edits.rend(); ++e) {
    lastReplacedAll_ = lastReplacedAll_ || std::holds_alternative<SwapAll>(*e);
    back.push_back(std::visit(Apply{cat_.d_}, *e));
    step.Held += zorbi::HeldItems(back.back());
  }
  step.Edits = std::move(back);
  held_ += step.Held;
  Restore(undo ? step.Before : step.After);
  to.push_back(std::move(step));
  Changed();
}

PickMarks CatalogueHistory::Marks() const {
  const CatalogueData& d = cat_.d_;
  PickMarks m;
  for (std::size_t t = 0; t < d.TabList.size(); ++t)
    for (const auto& item : d.TabList[t]->Items)
      if (item->PickState != 0)
        m.Marks.push_back({static_cast<std::int32_t>(t), item->Position, item->PickState});
  m.CurrentTab = d.CurrentTab;
  m.PickedIndex = d.PickedIndex;
  m.FilePickTab = cat_.filePickTab_;
  m.FilePickPosition = cat_.filePickPosition_;
  return m;
}

void CatalogueHistory::Restore(const PickMarks& m) {
  CatalogueData& d = cat_.d_;
  for (const auto& tab : d.TabList)
    for (auto& item : tab->Items)
      if (item->PickState != 0) item->SetPickState(0);
  for (const PickMarks::Mark& mark : m.Marks)
    if (TMenuItem* item = d.Item(mark.Tab, mark.Position)) item->SetPickState(mark.State);
  d.CurrentTab = m.CurrentTab;
  d.PickedIndex = m.PickedIndex;
  cat_.filePickTab_ = m.FilePickTab;
  cat_.filePickPosition_ = m.FilePickPosition;
}

}  // namespace zorbi
