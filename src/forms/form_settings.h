// The settings file beside the program (read once at start-up, written once
// at close), the option toggles, the two fonts and the window's width.
// Values read are applied through the same steps as the menu items.
#pragma once

#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/services.h"

namespace zorbi {

// The window's first bounds; it is never narrower than their width.
inline constexpr Bounds DesignFormBounds{193, 113, 545, 357};
inline constexpr int MinFormWidth = 545;
inline constexpr int MinFontSize = 9;
inline constexpr int MaxFontSize = 20;

// The settings that are no control's state.
struct ProgramSettings {
  std::string Editor = "notepad.exe";
  std::string AWKPath;
  bool KeyRan = false;
  bool Info = false;
  bool JWCheck = false;
};

struct SettingsControls {
  Grid& StringGrid1;
  Memo& Memo1;
  TabStrip& TabControl1;
  MenuCommand& K10;     // "キー選択で即実行"
  MenuCommand& K6;      // grid menu "タブを全て表示"
  MenuCommand& K7;      // option menu "タブを全て表示"
  MenuCommand& K15;     // "バッチファイル名の表示"
  MenuCommand& JWWIN1;  // "JW_WINのチェックを行う"
};

// The settings file of the program at `exePath`: its name with ".ini".
std::string SettingsPathOf(const std::string& exePath);

class FormSettings {
 public:
  FormSettings(const SettingsControls& controls, FormWindow& window, FileSystem& files,
               MessageBoxes& messages, FontDialogs& fonts)
      : C(controls), window_(window), files_(files), messages_(messages), fonts_(fonts) {}

  ProgramSettings Values;

  // A missing or unreadable file reads as if every key were missing.
  void Read(const std::string& path);
  // Lines of the file that we don't own are kept; false when the write
  // failed and the user chose to stay.
  bool Write(const std::string& path);

  // "タブを全て表示" in both menus.
  void ToggleMultiLine();
  void ToggleKeyRan();
  void ToggleInfo();
  void ToggleJWCheck();
  // "フォントの設定" ▸ "項目リスト" and "メモ".
  void PickGridFont();
  void PickMemoFont();
  // The window was resized: it keeps its minimum width, and the summary
  // column takes up the change.
  void Resized();

 private:
  // Row height and number column follow the grid font's size.
  void ApplyGridFontSize(int size);
  // The font dialog; nullopt when cancelled or refused (reported).
  std::optional<FontSpec> PickFont(const FontSpec& initial);

  SettingsControls C;
  FormWindow& window_;
  FileSystem& files_;
  MessageBoxes& messages_;
  FontDialogs& fonts_;
  // The width the summary column last followed; it takes up every change.
  int resizedWidth_ = MinFormWidth;
};

}  // namespace zorbi
