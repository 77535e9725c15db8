// A message with a list: the message above, the lines in a read-only box
// that scrolls and whose text can be selected and copied, our own Japanese
// buttons below. It is sized and placed by LayOutListDialog, so it never
// reaches past the work area, however long the list or large the DPI.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "modal_window.h"
#include "platform/list_dialog_layout.h"
#include "platform/services.h"

namespace zorbi::win32 {

class ListWindow final : public ModalWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TListMessageForm";
  static constexpr UINT kListId = 101;  // the edit box of the lines

  ListWindow(std::string text, std::vector<std::string> lines, MessageKind kind, Answers answers);
  ~ListWindow() override;
  bool Create(HWND owner, const std::string& caption);
  // With the sound of a message box of its kind.
  void ShowModal() override;
  // The button pressed; the safe answer for Esc and the close box.
  Answer Result() const { return answer_; }

 private:
  void Arrange();
  void OnLayout() override { Arrange(); }
  void PlaceOnOpening() override {}  // Arrange placed it
  void OnCommand(UINT id, UINT code, HWND control) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  HBRUSH ColourStatic(HDC dc, HWND control) override;
  bool PaintsItself() const override { return icon_ != nullptr; }
  void Paint(HDC dc) override;
  LRESULT ListMessage(ControlHook& hook, UINT message, WPARAM wparam, LPARAM lparam);

  std::string text_;
  std::vector<std::string> lines_;
  MessageKind kind_;
  Answers answers_;
  Answer answer_;
  HICON icon_ = nullptr;  // the system's, not ours to destroy
  PixelBox icon_box_;
  HWND message_ = nullptr, list_ = nullptr;
  std::vector<HWND> buttons_;
  std::size_t default_button_ = 0;  // what Enter presses when no button has the focus
  ControlHook list_hook_;
};

}  // namespace zorbi::win32
