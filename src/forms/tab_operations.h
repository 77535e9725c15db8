// What タブ設定 does to the main window: each tab operation on the catalogue,
// shown at once on the strip, and the grid refilled where the shown tab goes.
#pragma once

#include "catalogue/catalogue.h"
#include "forms/item_view.h"
#include "forms/tab_settings_form.h"

namespace zorbi {

class TabOperations final : public TabSettingsHost {
 public:
  TabOperations(Catalogue& cat, ItemView& view) : cat_(cat), view_(view) {}

  const std::vector<std::string>& TabNames() const override { return cat_.TabNames(); }
  void AddTab(std::string name) override;
  void RenameTab(int index, std::string name) override;
  void DeleteTab(int index) override;
  // The grid is refilled when the dialog closes.
  void MoveTab(int from, int to) override;
  void TabSettingsClosed() override { view_.ShowTabsAgain(true); }

 private:
  Catalogue& cat_;
  ItemView& view_;
};

}  // namespace zorbi
