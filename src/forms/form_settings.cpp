#include "forms/form_settings.h"

#include <cstdint>

#include "forms/grid_columns.h"
#include "forms/save_question.h"
#include "settings/ini_file.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

constexpr std::int32_t kMissing = -1;
// Beyond these a size or position would overflow the layout's arithmetic or
// leave a window nobody can use; such a value counts as missing.
constexpr std::int32_t kMaxFontSize = 1000;
constexpr std::int32_t kMaxCoordinate = 32767;
// Narrower than this a text column is as good as hidden.
constexpr std::int32_t MinColWidth = 8;

std::string_view WidthKey(int col) {
  return GridColumns[static_cast<std::size_t>(col)].WidthKey;
}

std::int32_t IntegerOr(const IniFile& ini, std::string_view section, std::string_view key) {
  return ini.ReadInteger(section, key).value_or(kMissing);
}

// The value when it is present and within [low, high], else nullopt.
std::optional<std::int32_t> ValueIn(const IniFile& ini, std::string_view section,
                                    std::string_view key, std::int32_t low, std::int32_t high) {
  const std::int32_t v = IntegerOr(ini, section, key);
  if (v == kMissing || v < low || v > high) return std::nullopt;
  return v;
}

// Name, size and style of a font; -1 and an empty name leave it as it is.
FontSpec ReadFont(const IniFile& ini, std::string_view section, FontSpec font) {
  const std::string name = ini.ReadString(section, "FontName").value_or("");
  if (!name.empty()) font.Name = name;
  if (const auto size = ValueIn(ini, section, "FontSize", 1, kMaxFontSize)) font.Size = *size;
  if (const std::int32_t style = IntegerOr(ini, section, "FontStyle"); style != kMissing)
    font.Style = style & kFontStyleBits;
  return font;
}

void WriteFont(IniFile& ini, std::string_view section, const FontSpec& font) {
  ini.WriteString(section, "FontName", ProfileValue(font.Name, true));
  ini.WriteInteger(section, "FontSize", font.Size);
  ini.WriteInteger(section, "FontStyle", font.Style & kFontStyleBits);
}

constexpr std::string_view UnrepresentableFontMessage =
    "フォント名に Shift-JIS で表せない文字があるため、設定できません。";

}  // namespace

std::string SettingsPathOf(const std::string& exe) {
  const std::string name = FileNamePart(exe);
  const std::size_t dot = name.rfind('.');
  const std::size_t cut = dot == std::string::npos ? exe.size() : exe.size() - name.size() + dot;
  return exe.substr(0, cut) + ".ini";
}

void FormSettings::Read(const std::string& path) {
  // A missing or unreadable file reads as if every key were missing.
  const IniFile ini(files_.ReadAll(path).value_or(""));

  if (std::string v = ini.ReadString("File", "Editor").value_or(""); !v.empty()) Values.Editor = v;
  if (std::string v = ini.ReadString("File", "AWKPath").value_or(""); !v.empty())
    Values.AWKPath = v;

  // The mark is set to the opposite first, so the toggle lands on the value.
  if (const std::int32_t v = IntegerOr(ini, "Option", "MultiLine"); v == 0 || v == 1) {
    C.K6.SetChecked(v == 0);
    C.K7.SetChecked(v == 0);
    ToggleMultiLine();
  }
  if (const std::int32_t v = IntegerOr(ini, "Option", "KeyRan"); v == 0 || v == 1) {
    C.K10.SetChecked(v == 0);
    ToggleKeyRan();
  }
  Values.Info = ini.ReadBool("Option", "Info");
  C.K15.SetChecked(Values.Info);
  Values.JWCheck = ini.ReadBool("Option", "JWCheck");
  C.JWWIN1.SetChecked(Values.JWCheck);

  const FontSpec gridFont = C.StringGrid1.Font();
  const FontSpec readGridFont = ReadFont(ini, "List", gridFont);
  if (readGridFont != gridFont) C.StringGrid1.SetFont(readGridFont);
  // The number column follows a font size the user chose; the default size
  // keeps the first width, with which the columns fit the window.
  if (ValueIn(ini, "List", "FontSize", 1, kMaxFontSize) && readGridFont.Size != gridFont.Size)
    ApplyGridFontSize(readGridFont.Size);
  // A width that would hide its column is not taken.
  if (const auto v = ValueIn(ini, "List", WidthKey(FileNameColumn), MinColWidth, kMaxCoordinate))
    C.StringGrid1.SetColWidth(FileNameColumn, *v);
  const std::optional<std::int32_t> summaryWidth = ini.ReadInteger("List", WidthKey(SummaryColumn));

  const FontSpec memoFont = C.Memo1.Font();
  const FontSpec readMemoFont = ReadFont(ini, "Memo", memoFont);
  if (readMemoFont != memoFont) C.Memo1.SetFont(readMemoFont);

  // Each value goes through the window, which keeps its minimum size and the
  // placement rule, and a new size re-places what follows it.
  const auto apply = [&](std::string_view key, int Bounds::*field, bool resizes) {
    const auto v = ValueIn(ini, "Form", key, -kMaxCoordinate, kMaxCoordinate);
    if (!v) return;
    Bounds bounds = window_.WindowBounds();
    bounds.*field = *v;
    window_.SetWindowBounds(bounds);
    if (resizes) Resized();
  };
  apply("Top", &Bounds::Top, false);
  apply("Left", &Bounds::Left, false);
  apply("Width", &Bounds::Width, true);
  apply("Height", &Bounds::Height, true);
  // Stored as at the first width: the window's excess over it comes back
  // once the window has its width.
  if (summaryWidth && *summaryWidth >= -kMaxCoordinate && *summaryWidth <= kMaxCoordinate) {
    const int width = *summaryWidth + (resizedWidth_ - MinFormWidth);
    if (width >= MinColWidth) C.StringGrid1.SetColWidth(SummaryColumn, width);
  }
}

bool FormSettings::Write(const std::string& path) {
  // Lines of the file that we don't own are kept, so a file we cannot read
  // is not replaced.
  std::optional<std::string> old = files_.ReadAll(path);
  if (!old && files_.Exists(path)) return AskCloseWithoutSaving(messages_, path, "");
  IniFile ini(old.value_or(""));

  ini.WriteInteger("Option", "MultiLine", C.K6.Checked() || C.K7.Checked() ? 1 : 0);
  ini.WriteInteger("Option", "KeyRan", C.K10.Checked() ? 1 : 0);
  ini.WriteBool("Option", "Info", Values.Info);
  ini.WriteBool("Option", "JWCheck", Values.JWCheck);
  ini.WriteString("File", "Editor", ProfileValue(Values.Editor));
  ini.WriteString("File", "AWKPath", ProfileValue(Values.AWKPath));
  WriteFont(ini, "List", C.StringGrid1.Font());
  ini.WriteInteger("List", WidthKey(FileNameColumn), C.StringGrid1.ColWidth(FileNameColumn));
  // The summary column is stored as it is at the first width: the window's
  // own width is added back when the file is read.
  ini.WriteInteger("List", WidthKey(SummaryColumn),
                   C.StringGrid1.ColWidth(SummaryColumn) - (resizedWidth_ - MinFormWidth));
  WriteFont(ini, "Memo", C.Memo1.Font());
  const Bounds bounds = window_.WindowBounds();
  ini.WriteInteger("Form", "Top", bounds.Top);
  ini.WriteInteger("Form", "Left", bounds.Left);
  ini.WriteInteger("Form", "Width", bounds.Width);
  ini.WriteInteger("Form", "Height", bounds.Height);

  std::string error;
  if (!files_.ReplaceAll(path, ini.Bytes(), error))
    return AskCloseWithoutSaving(messages_, path, error);
  return true;
}

void FormSettings::ToggleMultiLine() {
  const bool multiLine = !(C.K6.Checked() || C.K7.Checked());
  C.K6.SetChecked(multiLine);
  C.K7.SetChecked(multiLine);
  C.TabControl1.SetMultiLine(multiLine);
}

void FormSettings::ToggleInfo() {
  Values.Info = !Values.Info;
  C.K15.SetChecked(Values.Info);
}

void FormSettings::ToggleJWCheck() {
  Values.JWCheck = !C.JWWIN1.Checked();
  C.JWWIN1.SetChecked(Values.JWCheck);
}

void FormSettings::ApplyGridFontSize(int size) {
  C.StringGrid1.SetDefaultRowHeight(2 * size);
  C.StringGrid1.SetColWidth(NumberColumn, 3 * size);
}

std::optional<FontSpec> FormSettings::PickFont(const FontSpec& initial) {
  std::optional<FontSpec> font = fonts_.PickFont(initial, MinFontSize, MaxFontSize);
  // The name could not be kept in the settings file: say so, not a silent cancel.
  if (font && font->Name.empty()) {
    messages_.ShowMessage(std::string(UnrepresentableFontMessage), MessageKind::Warning);
    return std::nullopt;
  }
  return font;
}

void FormSettings::PickGridFont() {
  const std::optional<FontSpec> font = PickFont(C.StringGrid1.Font());
  if (!font) return;
  C.StringGrid1.SetFont(*font);
  ApplyGridFontSize(font->Size);
}

void FormSettings::PickMemoFont() {
  const std::optional<FontSpec> font = PickFont(C.Memo1.Font());
  if (font) C.Memo1.SetFont(*font);
}

void FormSettings::Resized() {
  Bounds bounds = window_.WindowBounds();
  if (bounds.Width < MinFormWidth) {
    bounds.Width = MinFormWidth;
    window_.SetWindowBounds(bounds);
  }
  // The memo and the buttons follow the window in its own layout; the summary
  // column takes up the change so its right edge stays at the grid's.
  const int change = bounds.Width - resizedWidth_;
  resizedWidth_ = bounds.Width;
  if (change != 0)
    C.StringGrid1.SetColWidth(SummaryColumn, C.StringGrid1.ColWidth(SummaryColumn) + change);
}

void FormSettings::ToggleKeyRan() {
  Values.KeyRan = !C.K10.Checked();
  C.K10.SetChecked(Values.KeyRan);
}

}  // namespace zorbi
