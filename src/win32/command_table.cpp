#include "command_table.h"

#include "cp932.h"

namespace zorbi::win32 {

namespace {

constexpr UINT kFirstCommandId = 1000;

using P = Place;
using F = TForm1;
using M = MenuItems;
using Offered::NotOnResults;

// In menu order; a menu's rows stand together, a submenu's after its parent's.
constexpr Command kCommands[] = {
    {P::MenuBar, "ﾌｧｲﾙ(&F)", nullptr, nullptr, P::FileMenu},
    {P::MenuBar, "ｵﾌﾟｼｮﾝ(&O)", nullptr, nullptr, P::OptionMenu},
    {P::MenuBar, "ﾍﾙﾌﾟ(&H)", nullptr, nullptr, P::HelpMenu},

    {P::FileMenu, "BATファイル編集(&B)", "BEdit1Click", &F::BEdit1Click},
    {P::FileMenu, "スクリプト編集(&S)", "SEditClick", &F::SEditClick},
    {P::FileMenu, nullptr},
    {P::FileMenu, "設定(&E)", "K11Click", &F::K11Click},
    {P::FileMenu, nullptr},
    {P::FileMenu, "ｷｬﾝｾﾙ(&C)", "Button4Click", &F::Button4Click},
    {P::FileMenu, "終了(&X)", "Button2Click", &F::Button2Click},

    {P::OptionMenu, "タブ設定(&T)", "K3Click", &F::K3Click},
    {P::OptionMenu, "タブを全て表示(&A)", "K6Click", &F::K6Click, P::None, &M::K7},
    {P::OptionMenu, nullptr},
    {P::OptionMenu, "キー選択で即実行(&K)", "K10Click", &F::K10Click, P::None, &M::K10},
    {P::OptionMenu, "バッチファイル名の表示(&N)", "K15Click", &F::K15Click, P::None, &M::K15},
    {P::OptionMenu, "JW_WINのチェックを行う(&J)", "JWWIN1Click", &F::JWWIN1Click, P::None,
     &M::JWWIN1},
    {P::OptionMenu, nullptr},
    {P::OptionMenu, "項目修復(&R)", nullptr, nullptr, P::RepairMenu},
    {P::OptionMenu, "フォントの設定(&F)", nullptr, nullptr, P::FontMenu},
    {P::OptionMenu, nullptr},
    {P::OptionMenu, "リンク切れ項目の再リンク(&L)...", "Relink1Click", &F::Relink1Click},
    {P::RepairMenu, "Z_Orbi.dat から復旧(&D)", "RestoreFromDataFile", &F::RestoreFromDataFile,
     P::None, &M::DatRestore1},
    {P::RepairMenu, "PATH.TXT から復旧(&P)", "PATHTXT1Click", &F::PATHTXT1Click, P::None,
     &M::PATHTXT1},
    {P::RepairMenu, "バックアップから復旧(&B)...", "RestoreFromBackup", &F::RestoreFromBackup},
    {P::FontMenu, "項目リスト(&I)", "K13Click", &F::K13Click},
    {P::FontMenu, "メモ(&M)", "K14Click", &F::K14Click},

    {P::HelpMenu, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", "About1Click", &F::About1Click},

    {P::PopupMenu1, "元に戻す(&U)\tCtrl+Z", "Undo1Click", &F::Undo1Click, P::None, &M::Undo1},
    {P::PopupMenu1, "やり直し(&R)\tCtrl+Y", "Redo1Click", &F::Redo1Click, P::None, &M::Redo1},
    {P::PopupMenu1, nullptr},
    {P::PopupMenu1, "項目追加(&A)", "m2Click", &F::m2Click, P::None, nullptr, NotOnResults},
    {P::PopupMenu1, "フォルダから登録(&F)...", "FolderRegister1Click", &F::FolderRegister1Click,
     P::None, nullptr, NotOnResults},
    {P::PopupMenu1, "項目削除(&D)", "m1Click", &F::m1Click, P::None, nullptr, NotOnResults},
    {P::PopupMenu1, nullptr},
    {P::PopupMenu1, "項目編集(&E)", "Edit1Click", &F::Edit1Click, P::None, nullptr, NotOnResults},
    {P::PopupMenu1, "項目移動(&M)", "K8Click", &F::K8Click, P::None, nullptr, NotOnResults},
    {P::PopupMenu1, "確定終了(&X)", "K4Click", &F::K4Click},
    {P::PopupMenu1, nullptr},
    {P::PopupMenu1, "タブ設定(&T)", "K3Click", &F::K3Click},
    {P::PopupMenu1, "タブ表示(&V)", nullptr, nullptr, P::TabViewMenu},
    {P::PopupMenu1, nullptr},
    {P::PopupMenu1, "バッチファイル編集(&B)", "BEdit1Click", &F::BEdit1Click},
    {P::PopupMenu1, "スクリプト編集(&S)", "SEditClick", &F::SEditClick},
    {P::PopupMenu1, "エディタ起動(&O)", "N8Click", &F::N8Click},
    {P::PopupMenu1, nullptr},
    {P::PopupMenu1, "タブで表示(&I)", "TabView1Click", &F::TabView1Click, P::None, nullptr,
     Offered::OnResults},
    {P::TabViewMenu, "タブを全て表示(&A)", "K6Click", &F::K6Click, P::None, &M::K6},

    {P::PopupMenu2, "メモ編集(&E)", "n1Click", &F::n1Click, P::None, nullptr, NotOnResults},
    {P::PopupMenu2, "確定終了(&X)", "Exit2Click", &F::Exit2Click},

    // The never-visible "閉る" is reached with Tab from the grid.
    {P::Buttons, "OK", "Button2Click", &F::Button2Click},
    {P::Buttons, "キャンセル", "Button4Click", &F::Button4Click},
    {P::Buttons, "閉る", "Button2Click", &F::Button2Click},
};

}  // namespace

std::span<const Command> Commands() {
  return kCommands;
}

UINT CommandId(const Command& command) {
  return kFirstCommandId + static_cast<UINT>(&command - kCommands);
}

const Command* FindCommand(UINT id) {
  if (id < kFirstCommandId || id - kFirstCommandId >= std::size(kCommands)) return nullptr;
  const Command& command = kCommands[id - kFirstCommandId];
  return command.handler != nullptr ? &command : nullptr;
}

std::string PlainCaption(std::string_view caption) {
  // "(&" never occurs inside a double-byte character: both bytes are below
  // the range of trail bytes.
  const std::size_t at = caption.find("(&");
  if (at == std::string_view::npos || at + 4 > caption.size() || caption[at + 3] != ')')
    return std::string(caption);
  return std::string(caption.substr(0, at)) + std::string(caption.substr(at + 4));
}

const Command* FindCommand(Place place, std::string_view caption) {
  for (const Command& command : kCommands)
    if (command.place == place && command.caption != nullptr &&
        PlainCaption(command.caption) == PlainCaption(caption))
      return &command;
  return nullptr;
}

bool IsContextMenuKey(UINT message, WPARAM key, ShiftState shift) {
  if (message == WM_KEYUP || message == WM_SYSKEYUP) return key == VK_APPS;
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
    return key == VK_F10 && shift.Shift && !shift.Ctrl && !shift.Alt;
  return false;
}

HMENU BuildMenu(Place place, MenuItems& items) {
  HMENU menu = place == Place::MenuBar ? CreateMenu() : CreatePopupMenu();
  for (const Command& command : kCommands) {
    if (command.place != place) continue;
    if (command.caption == nullptr) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (command.opens != Place::None) {
      AppendMenuW(menu, MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(BuildMenu(command.opens, items)),
                  Widen(command.caption).c_str());
    } else {
      AppendMenuW(menu, MF_STRING, CommandId(command), Widen(command.caption).c_str());
      if (command.item != nullptr) (items.*command.item).Attach(menu, CommandId(command));
    }
  }
  return menu;
}

}  // namespace zorbi::win32
