// The one rule of what may run now. Every command, key, drop, double click and
// confirm of the main window asks it before it runs: the answer says whether
// it runs, what must end first, and what the user is told when it does not.
#pragma once

#include <string_view>

namespace zorbi {

// The main window's modes; one at a time.
enum class FormMode { Normal, ItemEdit, Move, MemoEdit };

enum class Command {
  Confirm,          // OK, 終了, Enter, a key with キー選択で即実行, a double click
  Cancel,           // キャンセル
  CloseRequest,     // the close box, the system menu, Alt+F4
  PickRow,          // a click on a row, a number key
  SwitchTab,        // the tab strip, Ctrl+number
  StartItemEdit,    // 項目編集
  StartMove,        // 項目移動
  DeleteItem,       // 項目削除
  StartMemoEdit,    // メモ編集
  Register,         // 項目追加, フォルダから登録...
  DropFiles,        // files or folders dropped on the grid
  CatalogueWide,    // タブ設定, the restores
  UndoRedo,         // 元に戻す, やり直し
  Relink,           // リンク切れ項目の再リンク...
  Search,           // text typed in the search box
  ShowResultOnTab,  // タブで表示, Ctrl+Enter
};

// What the rule looks at.
struct FormState {
  FormMode Mode = FormMode::Normal;
  bool Searching = false;
  bool ResultHighlighted = false;  // a result row is highlighted
  // The exchange file told of an unstable host: OK, the grid and the tabs
  // are disabled.
  bool ConfirmDisabled = false;
  bool Closing = false;  // a close is asking or writing, or is done
  // The gesture that confirms also picked (Enter on a result, a double
  // click, a number key with キー選択で即実行), and the pick's file is missing.
  bool PickedNowMissing = false;
};

struct Verdict {
  bool Runs = false;
  // Before it runs: the mode ends, storing what it edits (a refused store
  // stops the command); the search ends with the tab shown as it was; the
  // highlighted result is picked on its own tab.
  bool EndModeFirst = false;
  bool LeaveSearchFirst = false;
  bool PickResultFirst = false;
  // It closes without handing anything to the host.
  bool ChainNothing = false;
  // Said when it does not run; empty for nothing.
  std::string_view Message;
};

inline constexpr std::string_view NoResultMessage =
    "検索に一致する項目がないため、実行できません。";
inline constexpr std::string_view FinishEditingMessage = "項目編集を終了して下さい。";

Verdict MayRun(Command command, const FormState& state);

// The window's side of the rule: its state, and a command asked about with
// what must come first run.
struct CommandGate {
  virtual FormState State(bool pickedNow) const = 0;
  // False when the command must not run (the user has been told why, where
  // there is something to say).
  virtual bool Allowed(Command command, bool pickedNow = false) = 0;

 protected:
  ~CommandGate() = default;
};

}  // namespace zorbi
