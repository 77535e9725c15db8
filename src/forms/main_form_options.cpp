// The option toggles, the two fonts, resizing and the About box.
#include "forms/about_form.h"
#include "forms/main_form.h"

namespace zorbi {

namespace {

constexpr std::string_view UnrepresentableFontMessage =
    "フォント名に Shift-JIS で表せない文字があるため、設定できません。";

}  // namespace

void TForm1::K6Click() {
  const bool multiLine = !(C.K6.Checked() || C.K7.Checked());
  C.K6.SetChecked(multiLine);
  C.K7.SetChecked(multiLine);
  C.TabControl1.SetMultiLine(multiLine);
}

void TForm1::K15Click() {
  Info = !Info;
  C.K15.SetChecked(Info);
}

void TForm1::JWWIN1Click() {
  JWCheck = !C.JWWIN1.Checked();
  C.JWWIN1.SetChecked(JWCheck);
}

void TForm1::ApplyGridFontSize(int size) {
  C.StringGrid1.SetDefaultRowHeight(2 * size);
  C.StringGrid1.SetColWidth(0, 3 * size);
}

std::optional<FontSpec> TForm1::PickFont(const FontSpec& initial) {
  std::optional<FontSpec> font = fonts_.PickFont(initial, MinFontSize, MaxFontSize);
  // The name could not be kept in the settings file: say so, not a silent cancel.
  if (font && font->Name.empty()) {
    messages_.ShowMessage(std::string(UnrepresentableFontMessage), MessageKind::Warning);
    return std::nullopt;
  }
  return font;
}

void TForm1::K13Click() {
  const std::optional<FontSpec> font = PickFont(C.StringGrid1.Font());
  if (!font) return;
  C.StringGrid1.SetFont(*font);
  ApplyGridFontSize(font->Size);
}

void TForm1::K14Click() {
  const std::optional<FontSpec> font = PickFont(C.Memo1.Font());
  if (font) C.Memo1.SetFont(*font);
}

void TForm1::FormResize() {
  Bounds bounds = window_.WindowBounds();
  if (bounds.Width < MinFormWidth) {
    bounds.Width = MinFormWidth;
    window_.SetWindowBounds(bounds);
  }
  // The memo and the buttons follow the window in its own layout; the summary
  // column takes up the change so its right edge stays at the grid's.
  const int change = bounds.Width - resizedWidth_;
  resizedWidth_ = bounds.Width;
  if (change != 0) C.StringGrid1.SetColWidth(2, C.StringGrid1.ColWidth(2) + change);
}

void TForm1::About1Click() {
  if (TForm3* form3 = Form3()) form3->ShowModal();
}

}  // namespace zorbi
