// One change to the catalogue's tabs and items as the history keeps it:
// applying an edit changes the catalogue and gives the edit that takes the
// change back. Edits that swap a value are their own way back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "catalogue/catalogue.h"

namespace zorbi::edit {

struct InsertItem {
  std::int32_t Tab = 0, Position = 0;
  std::unique_ptr<TMenuItem> Item;
};
struct RemoveItem {
  std::int32_t Tab = 0, Position = 0;
};
struct MoveItem {
  std::int32_t Tab = 0, From = 0, To = 0;
};
enum class Field : unsigned char { BatPath, Summary, Memo };
// The item's text swapped with Text.
struct SwapText {
  std::int32_t Tab = 0, Position = 0;
  Field Which = Field::Summary;
  ItemText Text;
};
// A tab past the last, with its name.
struct PushTab {
  std::string Name;
  std::unique_ptr<TMList> Tab;
};
struct PopTab {};
// A named tab at Index; Tab is null when the tab list held no tab there.
struct InsertTab {
  std::int32_t Index = 0;
  std::string Name;
  std::unique_ptr<TMList> Tab;
};
struct RemoveTab {
  std::int32_t Index = 0;
};
// Tab Index's name swapped with Name.
struct RenameTab {
  std::int32_t Index = 0;
  std::string Name;
};
struct SwapTabs {
  std::int32_t A = 0, B = 0;
};
// Tab Index's name and items swapped with these.
struct SwapTabContents {
  std::int32_t Index = 0;
  std::string Name;
  std::vector<std::unique_ptr<TMenuItem>> Items;
};
// Every tab and name swapped with these: kept as the data file's image of
// them (about a third of their memory) when it reads back byte for byte,
// else as they are.
struct SwapAll {
  std::vector<std::string> Names;
  TTabList Tabs;
  std::shared_ptr<const std::string> Image;  // when set, Names and Tabs are empty
  std::int32_t TabCount = 0;                 // tabs held, named or not
  std::int64_t Items = 0;
  // The catalogue this edit takes out in exchange reads back from its image.
  bool OtherPacks = false;
};

// Whether `d`'s data file image reads back as `d`, byte for byte.
bool ReadsBack(const CatalogueData& d);
// Takes every tab and name out of `d`: as the image when `pack`, else as
// they are. Puts them back.
SwapAll TakeAll(CatalogueData& d, bool pack);
void PutAll(CatalogueData& d, SwapAll all);

}  // namespace zorbi::edit

namespace zorbi {

using CatalogueEdit =
    std::variant<edit::InsertItem, edit::RemoveItem, edit::MoveItem, edit::SwapText, edit::PushTab,
                 edit::PopTab, edit::InsertTab, edit::RemoveTab, edit::RenameTab, edit::SwapTabs,
                 edit::SwapTabContents, edit::SwapAll>;

// How many items an edit keeps out of the catalogue: what it costs to hold.
std::int64_t HeldItems(const CatalogueEdit& e);

// Every item with a pick state, the shown tab and the pick's place: what
// an undo puts back as it was before the change.
struct PickMarks {
  struct Mark {
    std::int32_t Tab, Position, State;
  };
  std::vector<Mark> Marks;
  std::int32_t CurrentTab = 0;
  std::int32_t PickedIndex = 0;
  std::int32_t FilePickTab = -1;
  std::int32_t FilePickPosition = 0;
};

}  // namespace zorbi
