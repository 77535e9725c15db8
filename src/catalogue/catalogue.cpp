#include "catalogue/catalogue.h"

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
