// The catalogue: tabs (TMList) holding registered BAT files (TMenuItem).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zorbi {

inline constexpr std::string_view VersionCaption = "Z_Orbi Ver" ZORBI_VERSION;
inline constexpr std::string_view DataFileName = "Z_Orbi.DAT";
inline constexpr std::string_view DefaultTabName = "Tab1";

// One registered BAT file. Field order is the data file's record order.
class TMenuItem {
 public:
  std::string BatPath;
  std::string Summary;
  std::int32_t TabNo = 0;
  std::int32_t Position = 0;
  std::string Memo;  // comma text
  std::string Reserved1;
  std::string Reserved2;
  std::int32_t PickState = 0;  // 0 none, 1 remembered pick of a left tab, 2 current pick
  std::int32_t Reserved3 = 0;

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

}  // namespace zorbi
