// TForm2, "タブ設定": renames, adds, deletes and reorders the catalogue's tabs.
// Every command acts at once on the catalogue and the main window's tab strip;
// there is no cancel.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/services.h"

namespace zorbi {

inline constexpr std::string_view SelectTabToRenameMessage =
    "先に変更するタブ名を選択してください。";
inline constexpr std::string_view SelectTabToDeleteMessage =
    "先に削除するタブ名を選択してください。";
inline constexpr std::string_view SelectTabToMoveMessage = "先に移動するタブ名を選択してください。";

// What TForm2 may do to the main window: the tab operations, each shown on the
// strip (and the grid where a shown tab goes) before it returns.
struct TabSettingsHost {
  virtual const std::vector<std::string>& TabNames() const = 0;
  virtual void AddTab(std::string name) = 0;
  virtual void RenameTab(int index, std::string name) = 0;
  virtual void DeleteTab(int index) = 0;
  virtual void MoveTab(int from, int to) = 0;
  // The dialog closes: the current tab is shown again.
  virtual void TabSettingsClosed() = 0;

 protected:
  ~TabSettingsHost() = default;
};

struct TabSettingsControls {
  ListBox& ListBox1;  // the tab names, in tab order
  EditBox& Edit1;     // the name to use
};

class TForm2 {
 public:
  TForm2(const TabSettingsControls& controls, TabSettingsHost& main, MessageBoxes& messages,
         DialogWindow& window);

  void ShowModal() { window_.ShowModal(); }
  void FormShow();
  void ListBox1Click();
  void Button2Click();  // 変更
  void Button3Click();  // 追加
  void Button6Click();  // 削除
  void Button4Click();  // △
  void Button5Click();  // ▽
  void Button1Click();  // 閉じる
  // Runs however the dialog closes.
  void FormClose();

  TabSettingsControls C;

 private:
  // The list box shows the catalogue's names, which it mirrors line for line.
  void ShowNames(int selected);
  // The list's selected line, or -1 after asking the user to select one.
  int SelectedTab(std::string_view askFirst);
  void MoveSelected(int step);
  // Edit1's text, or nullopt after telling the user why it cannot be used.
  std::optional<std::string> TypedName();

  TabSettingsHost& main_;
  MessageBoxes& messages_;
  DialogWindow& window_;
};

}  // namespace zorbi
