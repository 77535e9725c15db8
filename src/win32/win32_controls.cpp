#include "win32_controls.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shobjidl.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "application.h"
#include "cp932.h"
#include "dpi.h"
#include "list_window.h"
#include "platform/services.h"

namespace zorbi::win32 {

namespace {

std::wstring WindowTextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got < 0 ? 0 : got));
  return text;
}

}  // namespace

LOGFONTW LogFontOf(const FontSpec& spec, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(spec.Size, dpi, 72);
  font.lfWeight = (spec.Style & 1) != 0 ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (spec.Style & 2) != 0 ? TRUE : FALSE;
  font.lfUnderline = (spec.Style & 4) != 0 ? TRUE : FALSE;
  font.lfStrikeOut = (spec.Style & 8) != 0 ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = Widen(spec.Name);
  face.copy(font.lfFaceName, std::size(font.lfFaceName) - 1);
  return font;
}

void OwnedFont::Set(const FontSpec& spec, int dpi) {
  const LOGFONTW font = LogFontOf(spec, dpi);
  HFONT made = CreateFontIndirectW(&font);
  if (made == nullptr) return;
  font_.Reset(made);
  spec_ = spec;
}

void TabStripControl::SetTabs(std::vector<std::string> names) {
  const int keep = TabIndex();
  TabCtrl_DeleteAllItems(handle_);
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::wstring text;
    for (const wchar_t c : Widen(names[i])) text.append(c == L'&' ? 2 : 1, c);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(handle_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  const int count = static_cast<int>(names.size());
  if (count > 0) TabCtrl_SetCurSel(handle_, keep < 0 ? 0 : (keep < count ? keep : count - 1));
  fitted_ = Fitted{};
  FitWidths();
  CheckRows();
}

void TabStripControl::SetPadding(int across, int down) {
  padding_ = across;
  TabCtrl_SetPadding(handle_, across, down);
  fitted_ = Fitted{};
}

void TabStripControl::FitWidths() {
  RECT client{};
  GetClientRect(handle_, &client);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
  const Fitted now{client.right, client.bottom, font, MultiLine()};
  if (now == fitted_) return;
  fitted_ = now;
  // The control's own widths first: names as long as they need.
  TabCtrl_SetMinTabWidth(handle_, -1);
  if (!now.multi_line) return;
  const WindowDc dc(handle_);
  const Selected selected(dc.Get(), font);
  int widest = 0;
  bool squeezed = false;
  const int count = TabCtrl_GetItemCount(handle_);
  for (int i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(handle_, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), text, static_cast<int>(wcslen(text)), &size);
    RECT r{};
    TabCtrl_GetItemRect(handle_, i, &r);
    widest = std::max(widest, static_cast<int>(size.cx));
    squeezed = squeezed || r.right - r.left < size.cx + padding_;
  }
  if (!squeezed) return;
  TabCtrl_SetMinTabWidth(handle_, widest + 2 * padding_);
  // Not at any price: one name far longer than the others would put a tab
  // on each row. The page below keeps a third of the strip.
  RECT page = client;
  TabCtrl_AdjustRect(handle_, FALSE, &page);
  if (page.bottom - page.top < client.bottom / 3) TabCtrl_SetMinTabWidth(handle_, -1);
}

void TabStripControl::CheckRows() {
  const int rows = TabCtrl_GetRowCount(handle_);
  if (rows == rows_) return;
  rows_ = rows;
  if (OnRowsChanged) OnRowsChanged();
}

int TabStripControl::TabIndex() const {
  return TabCtrl_GetCurSel(handle_);
}

void TabStripControl::SetTabIndex(int index) {
  TabCtrl_SetCurSel(handle_, index);
}

bool TabStripControl::MultiLine() const {
  return (GetWindowLongPtrW(handle_, GWL_STYLE) & TCS_MULTILINE) != 0;
}

void TabStripControl::SetMultiLine(bool on) {
  const LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
  // The settings set it at every start, most often to what it is.
  if (((style & TCS_MULTILINE) != 0) == on) return;
  SetWindowLongPtrW(handle_, GWL_STYLE,
                    on ? style | TCS_MULTILINE : style & ~LONG_PTR{TCS_MULTILINE});
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  FitWidths();
  InvalidateRect(handle_, nullptr, TRUE);
  rows_ = TabCtrl_GetRowCount(handle_);
  if (OnRowsChanged) OnRowsChanged();
}

void MemoControl::SetDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  if (font_.Handle() != nullptr) SetFont(font_.Spec());
}

void MemoControl::SetFont(const FontSpec& font) {
  font_.Set(font, dpi_);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

std::vector<std::string> MemoControl::Lines() const {
  const std::string text = Narrow(WindowTextOf(handle_)).value_or(std::string());
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void MemoControl::SetLines(std::vector<std::string> lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  // Emptied first: Wine's edit control keeps the widest line it ever held as
  // its horizontal scroll range, and a short memo after a long one would
  // show a scroll thumb.
  if (GetWindowTextLengthW(handle_) > 0) SetWindowTextW(handle_, L"");
  SetWindowTextW(handle_, Widen(text).c_str());
}

TypedText EditBoxControl::Text() const {
  const std::wstring shown = WindowTextOf(handle_);
  if (shown == Widen(given_)) return TypedText{given_};
  if (std::optional<std::string> narrow = Narrow(shown)) return TypedText{*narrow};
  TypedText refused;
  refused.Refused = FirstUnrepresentable(shown);
  if (refused.Refused == 0) refused.Refused = 0xFFFD;  // no single culprit; never stored anyway
  return refused;
}

void MemoControl::SetReadOnly(bool read_only) {
  SendMessageW(handle_, EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
}

bool MemoControl::AcceptText() {
  const std::wstring text = WindowTextOf(handle_);
  if (Narrow(text)) return true;
  if (OnRefused) {
    const char32_t refused = FirstUnrepresentable(text);
    OnRefused(refused != 0 ? refused : 0xFFFD);
  }
  return false;
}

void LabelControl::SetCaption(std::string text) {
  SetWindowTextW(handle_, Widen(text).c_str());
}

void ListBoxControl::SetItems(std::vector<std::string> lines) {
  items_ = std::move(lines);
  SendMessageW(handle_, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : items_)
    SendMessageW(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
  FitScrollWidth();
}

void ListBoxControl::FitScrollWidth() {
  const WindowDc dc(handle_);
  const Selected font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(handle_, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (const std::string& line : items_) {
    const std::wstring wide = Widen(line);
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  // The box draws a line a few pixels in from its left edge.
  const int margin = 2 * GetSystemMetrics(SM_CXEDGE) + 2;
  SendMessageW(handle_, LB_SETHORIZONTALEXTENT,
               static_cast<WPARAM>(widest > 0 ? widest + margin : 0), 0);
}

int ListBoxControl::ItemIndex() const {
  const LRESULT index = SendMessageW(handle_, LB_GETCURSEL, 0, 0);
  return index == LB_ERR || index >= static_cast<LRESULT>(items_.size()) ? -1
                                                                         : static_cast<int>(index);
}

void ListBoxControl::SetItemIndex(int index) {
  SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string ListBoxControl::Item(int index) const {
  return index >= 0 && index < static_cast<int>(items_.size())
             ? items_[static_cast<std::size_t>(index)]
             : std::string();
}

void EditBoxControl::SetText(std::string text) {
  given_ = std::move(text);
  SetWindowTextW(handle_, Widen(given_).c_str());
}

void LabelControl::SetVisible(bool visible) {
  ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

bool LabelControl::Visible() const {
  return IsWindowVisible(handle_) != FALSE;
}

void MenuItemControl::SetEnabled(bool enabled) {
  EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool MenuItemControl::Enabled() const {
  return (GetMenuState(menu_, id_, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void MenuItemControl::SetChecked(bool checked) {
  CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MenuItemControl::Checked() const {
  return (GetMenuState(menu_, id_, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MessageBoxService::ShowMessage(const std::string& text, MessageKind kind) {
  Show(text, kind, MB_OK);
}

bool MessageBoxService::Ask(const std::string& text, MessageKind kind) {
  return Show(text, kind, MB_YESNO) == IDYES;
}

Answer MessageBoxService::AskOrCancel(const std::string& text, MessageKind kind) {
  switch (Show(text, kind, MB_YESNOCANCEL)) {
    case IDYES:
      return Answer::Yes;
    case IDNO:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

void MessageBoxService::PaintOwner() const {
  // What changed under a box (a row just highlighted) is drawn before the box
  // covers the window: its loop paints only once the box is up.
  if (owner_ != nullptr) RedrawWindow(owner_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

Answer MessageBoxService::ShowList(const std::string& text, const std::vector<std::string>& lines,
                                   MessageKind kind, Answers answers) {
  PaintOwner();
  const Application* app = Application::Current();
  ListWindow window(text, lines, kind, answers);
  if (window.Create(owner_, app ? app->Title() : std::string(ApplicationTitle))) {
    window.ShowModal();
    return window.Result();
  }
  // No window to be had: the lines in a message box, which may not fit.
  std::string whole = text;
  for (const std::string& line : lines) whole += "\r\n" + line;
  switch (answers) {
    case Answers::YesNo:
      return Ask(whole, kind) ? Answer::Yes : Answer::No;
    case Answers::YesNoSafe:
      return Show(whole, kind, MB_YESNO | MB_DEFBUTTON2) == IDYES ? Answer::Yes : Answer::No;
    case Answers::YesNoCancel:
      return AskOrCancel(whole, kind);
    case Answers::Ok:
      break;
  }
  ShowMessage(whole, kind);
  return Answer::Ok;
}

int MessageBoxService::Show(const std::string& text, MessageKind kind, UINT buttons) {
  UINT style = buttons;
  switch (kind) {
    case MessageKind::Plain:
      break;
    case MessageKind::Information:
      style |= MB_ICONINFORMATION;
      break;
    case MessageKind::Warning:
      style |= MB_ICONWARNING;
      break;
    case MessageKind::Error:
      style |= MB_ICONERROR;
      break;
  }
  PaintOwner();
  const Application* app = Application::Current();
  const std::wstring caption = Widen(app ? app->Title() : std::string(ApplicationTitle));
  return MessageBoxW(owner_, WidenForDisplay(text).c_str(), caption.c_str(), style);
}

bool MessageBoxService::Confirm(const std::string& text) {
  return Show(text, MessageKind::Information, MB_OKCANCEL) == IDOK;
}

DWORD OpenDialogFlags(const OpenDialogOptions& options) {
  DWORD flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (options.MultiSelect) flags |= OFN_ALLOWMULTISELECT;
  if (options.FileMustExist) flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  return flags;
}

std::wstring DialogFilter(const std::string& filter) {
  std::wstring wide = Widen(filter);
  for (wchar_t& c : wide)
    if (c == L'|') c = L'\0';
  wide.push_back(L'\0');
  wide.push_back(L'\0');
  return wide;
}

std::vector<std::wstring> SplitDialogResult(const std::wstring& buffer) {
  std::vector<std::wstring> parts;
  std::size_t start = 0;
  while (start < buffer.size() && buffer[start] != L'\0') {
    const std::size_t end = buffer.find(L'\0', start);
    if (end == std::wstring::npos) break;
    parts.push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::wstring folder = parts[0];
  if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
  std::vector<std::wstring> files;
  for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
  return files;
}

ChosenFile ChosenFromPath(const std::wstring& path) {
  ChosenFile file;
  if (std::optional<std::string> narrow = Narrow(path)) {
    file.Path = *narrow;
    file.DisplayName = *narrow;
  } else {
    file.Representable = false;
    file.DisplayName = NarrowForDisplay(path);
  }
  return file;
}

std::optional<std::vector<ChosenFile>> FileDialogService::OpenFiles(
    const OpenDialogOptions& options) {
  std::wstring result(64 * 1024, L'\0');
  const std::wstring filter = DialogFilter(options.Filter);
  const std::wstring folder = Widen(options.InitialDir);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = result.data();
  dialog.nMaxFile = static_cast<DWORD>(result.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.Flags = OpenDialogFlags(options);
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;

  std::vector<ChosenFile> chosen;
  for (const std::wstring& path : SplitDialogResult(result)) chosen.push_back(ChosenFromPath(path));
  return chosen;
}

namespace {

// Releases a COM interface on every way out.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace

std::optional<ChosenFile> FileDialogService::ChooseFolder(const std::string& title,
                                                          const std::string& initialDir) {
  // The folder picker users know from Explorer; it is a COM object.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  struct ComScope {
    bool ours;
    ~ComScope() {
      if (ours) CoUninitialize();
    }
  } scope{SUCCEEDED(com)};
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IFileOpenDialog, reinterpret_cast<void**>(dialog.Out()))))
    return std::nullopt;
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST |
                     FOS_NOCHANGEDIR);
  dialog->SetTitle(Widen(title).c_str());
  if (!initialDir.empty()) {
    ComPtr<IShellItem> start;
    if (SUCCEEDED(SHCreateItemFromParsingName(Widen(initialDir).c_str(), nullptr, IID_IShellItem,
                                              reinterpret_cast<void**>(start.Out()))))
      dialog->SetFolder(start.operator->());
  }
  if (FAILED(dialog->Show(owner_))) return std::nullopt;
  ComPtr<IShellItem> item;
  if (FAILED(dialog->GetResult(item.Out()))) return std::nullopt;
  wchar_t* path = nullptr;
  if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || path == nullptr)
    return std::nullopt;
  const std::wstring folder(path);
  CoTaskMemFree(path);
  return ChosenFromPath(folder);
}

std::optional<std::string> ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (got == 0) return std::nullopt;
    if (got < path.size()) {
      path.resize(got);
      break;
    }
    path.resize(path.size() * 2);
  }
  return Narrow(path);
}

std::string SystemService::ExePath() {
  return ModulePath().value_or(std::string());
}

ScreenRect SystemService::WorkArea() {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return ScreenRect{area.left, area.top, area.right, area.bottom};
}

CalendarTime SystemService::LocalTimeAt(std::int64_t unixTime) {
  // FILETIME counts 100-nanosecond steps since 1601.
  const ULONGLONG ticks = (static_cast<ULONGLONG>(unixTime) + 11644473600ULL) * 10000000ULL;
  const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME universal{}, local{};
  if (!FileTimeToSystemTime(&utc, &universal) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
    return UtcCalendarTime(unixTime);
  return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

std::optional<FontSpec> FontDialogService::PickFont(const FontSpec& initial, int minSize,
                                                    int maxSize) {
  // The dialog shows sizes in points; the face's height is given at the
  // owner's DPI so it opens on the same size.
  const int dpi = WindowDpi(owner_);
  LOGFONTW font = LogFontOf(initial, dpi);
  CHOOSEFONTW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner_;
  choose.lpLogFont = &font;
  choose.Flags =
      CF_SCREENFONTS | CF_FORCEFONTEXIST | CF_LIMITSIZE | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
  choose.rgbColors = initial.Color == kSystemTextColor ? GetSysColor(COLOR_WINDOWTEXT)
                                                       : static_cast<COLORREF>(initial.Color);
  choose.nSizeMin = minSize;
  choose.nSizeMax = maxSize;
  if (!ChooseFontW(&choose)) return std::nullopt;
  // A face without a Shift-JIS name could not be kept in the settings file.
  const std::optional<std::string> name = Narrow(font.lfFaceName);
  if (!name) return FontSpec{};
  FontSpec chosen;
  chosen.Name = *name;
  chosen.Size = choose.iPointSize > 0
                    ? (choose.iPointSize + 5) / 10
                    : MulDiv(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight, 72, dpi);
  chosen.Style = (font.lfWeight >= FW_BOLD ? 1 : 0) | (font.lfItalic ? 2 : 0) |
                 (font.lfUnderline ? 4 : 0) | (font.lfStrikeOut ? 8 : 0);
  chosen.Color = choose.rgbColors;
  return chosen;
}

}  // namespace zorbi::win32
