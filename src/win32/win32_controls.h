// The form logic's control and service interfaces over real Win32 controls.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/services.h"
#include "window.h"

namespace zorbi::win32 {

// An interface derived from Control, over one window.
template <typename Interface>
class WindowControl : public Interface {
 public:
  void Attach(HWND handle) { handle_ = handle; }
  HWND Handle() const { return handle_; }
  void SetEnabled(bool enabled) override { EnableWindow(handle_, enabled ? TRUE : FALSE); }
  bool Enabled() const override { return IsWindowEnabled(handle_) != FALSE; }

 protected:
  HWND handle_ = nullptr;
};

// A font made from its settings, owned; the size in points is turned into
// pixels at the given dots per inch.
class OwnedFont {
 public:
  void Set(const FontSpec& spec, int dpi = 96);
  const FontSpec& Spec() const { return spec_; }
  HFONT Handle() const { return font_.Get(); }

 private:
  FontSpec spec_;
  FontHandle font_;
};

LOGFONTW LogFontOf(const FontSpec& spec, int dpi);

// A common-controls tab strip. Names show as typed: a '&' is no mnemonic.
class TabStripControl final : public WindowControl<TabStrip> {
 public:
  void SetTabs(std::vector<std::string> names) override;
  int TabIndex() const override;
  void SetTabIndex(int index) override;
  bool MultiLine() const override;
  void SetMultiLine(bool on) override;
  // The strip's rows changed in number: the page below them moved.
  std::function<void()> OnRowsChanged;
  // The space around each name, in pixels at the strip's DPI.
  void SetPadding(int across, int down);
  // On several rows every tab shows its whole name: a strip that would
  // squeeze one (Wine puts as many tabs on each row, whatever their widths)
  // makes every tab as wide as the widest name needs, while that leaves the
  // page below a third of the strip. Run after a change of size or font;
  // names and the row mode see to it themselves.
  void FitWidths();

 private:
  void CheckRows();
  int rows_ = 1;
  int padding_ = 0;
  // What the widths were last fitted for.
  struct Fitted {
    int width = -1, height = -1;
    HFONT font = nullptr;
    bool multi_line = false;
    bool operator==(const Fitted&) const = default;
  } fitted_;
};

// A multi-line edit box, read-only until the memo is edited.
class MemoControl final : public WindowControl<Memo> {
 public:
  std::vector<std::string> Lines() const override;
  void SetLines(std::vector<std::string> lines) override;
  void SetReadOnly(bool read_only) override;
  void SetFocus() override { ::SetFocus(handle_); }
  bool AcceptText() override;
  // Typed text the memo cannot store: the code point of its first character
  // without a CP932 form.
  std::function<void(char32_t refused)> OnRefused;
  FontSpec Font() const override { return font_.Spec(); }
  void SetFont(const FontSpec& font) override;
  void SetDpi(int dpi);

 private:
  OwnedFont font_;
  int dpi_ = 96;
};

class LabelControl final : public Label {
 public:
  void Attach(HWND handle) { handle_ = handle; }
  void SetCaption(std::string text) override;
  void SetVisible(bool visible) override;
  bool Visible() const override;

 private:
  HWND handle_ = nullptr;
};

class ButtonControl final : public WindowControl<Button> {};

// A list box. It keeps the lines' bytes, so a line reads back exactly as set.
class ListBoxControl final : public WindowControl<ListBox> {
 public:
  void SetItems(std::vector<std::string> lines) override;
  int ItemIndex() const override;
  void SetItemIndex(int index) override;
  std::string Item(int index) const override;
  // The scroll width for the longest line in the box's font: a box with a
  // horizontal scroll bar shows it when a line is cut. Run after a new font.
  void FitScrollWidth();

 private:
  std::vector<std::string> items_;
};

// A one-line edit box. What it was given comes back byte for byte while the
// user leaves it unchanged, even bytes that UTF-16 cannot carry.
class EditBoxControl final : public WindowControl<EditBox> {
 public:
  TypedText Text() const override;
  void SetText(std::string text) override;

 private:
  std::string given_;
};

// One command of a menu, found by its id.
class MenuItemControl final : public MenuCommand {
 public:
  void Attach(HMENU menu, UINT id) {
    menu_ = menu;
    id_ = id;
  }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  void SetChecked(bool checked) override;
  bool Checked() const override;

 private:
  HMENU menu_ = nullptr;
  UINT id_ = 0;
};

// Message boxes owned by a window, captioned with the application title.
class MessageBoxService final : public MessageBoxes {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void ShowMessage(const std::string& text, MessageKind kind) override;
  bool Confirm(const std::string& text) override;
  bool Ask(const std::string& text, MessageKind kind) override;
  Answer AskOrCancel(const std::string& text, MessageKind kind) override;
  Answer ShowList(const std::string& text, const std::vector<std::string>& lines, MessageKind kind,
                  Answers answers) override;

 private:
  int Show(const std::string& text, MessageKind kind, UINT buttons);
  void PaintOwner() const;
  HWND owner_ = nullptr;
};

class FileDialogService final : public FileDialogs {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  std::optional<std::vector<ChosenFile>> OpenFiles(const OpenDialogOptions& options) override;
  std::optional<ChosenFile> ChooseFolder(const std::string& title,
                                         const std::string& initialDir) override;

 private:
  HWND owner_ = nullptr;
};

// The font dialog: existing screen fonts only, sizes limited, with effects.
class FontDialogService final : public FontDialogs {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  std::optional<FontSpec> PickFont(const FontSpec& initial, int minSize, int maxSize) override;

 private:
  HWND owner_ = nullptr;
};

class SystemService final : public System {
 public:
  std::string ExePath() override;
  ScreenRect WorkArea() override;
  CalendarTime LocalTimeAt(std::int64_t unixTime) override;
};

// The program's own path, or nullopt when it has no CP932 form.
std::optional<std::string> ModulePath();

// A file the user chose or dropped, as the form takes it.
ChosenFile ChosenFromPath(const std::wstring& path);

// The open dialog's flags for these options.
DWORD OpenDialogFlags(const OpenDialogOptions& options);

// "description|pattern" as the dialog wants it: pairs separated by NULs.
std::wstring DialogFilter(const std::string& filter);

// The files of a multi-select open dialog's result buffer: either one full
// path, or a folder followed by names, each ended by a NUL, then an extra NUL.
std::vector<std::wstring> SplitDialogResult(const std::wstring& buffer);

}  // namespace zorbi::win32
