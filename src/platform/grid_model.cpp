#include "platform/grid_model.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace zorbi {

GridModel::GridModel(int col_count, int row_count, int col_width, int row_height)
    : cells_(std::max(2, col_count), std::max(2, row_count)),
      col_widths_(static_cast<std::size_t>(cells_.ColCount()), col_width),
      row_height_(std::max(1, row_height)) {
  selection_ = {1, 1, ColCount() - 1, 1};
}

void GridModel::SetRowCount(int rows) {
  rows = std::max(2, rows);
  cells_.SetRowCount(rows);
  const int last = rows - 1;
  row_ = std::min(row_, last);
  selection_.Top = std::min(selection_.Top, last);
  selection_.Bottom = std::min(selection_.Bottom, last);
  top_row_ = std::clamp(top_row_, 1, MaxTopRow());
}

int GridModel::SetWidth(int col) const {
  return col >= 0 && col < ColCount() ? col_widths_[static_cast<std::size_t>(col)] : 0;
}

int GridModel::ColWidthIn(int col, int client_width) const {
  const int last = ColCount() - 1;
  if (client_width <= 0 || (col != 0 && col != last)) return SetWidth(col);
  if (col == 0) return std::max(SetWidth(0), std::min(fixed_fit_, client_width / 3));
  int others = ColWidthIn(0, client_width) + 1;
  for (int c = 1; c < last; ++c) others += SetWidth(c) + 1;
  return std::max(kMinLastColWidth, client_width - others - 1);
}

void GridModel::FitFixedColumn(std::string_view widest, const TextMeasure& measure) {
  std::string zeros(widest);
  for (char& c : zeros)
    if (c >= '1' && c <= '9') c = '0';
  fixed_fit_ = zeros.empty() ? 0 : measure(zeros) + 2 * kTextMargin;
}

void GridModel::SetColWidth(int col, int width) {
  if (col >= 0 && col < ColCount()) col_widths_[static_cast<std::size_t>(col)] = std::max(0, width);
}

void GridModel::SetRowHeight(int height) {
  row_height_ = std::max(1, height);
  top_row_ = std::clamp(top_row_, 1, MaxTopRow());
}

void GridModel::SetClientSize(int width, int height) {
  client_width_ = width;
  client_height_ = height;
}

std::pair<bool, bool> GridModel::ScrollBarsNeeded(int width, int height, int bar_width,
                                                  int bar_height) const {
  const int rows = RowCount() - 1;
  // Each bar takes room from the other direction; two rounds settle it.
  bool vertical = false, horizontal = false;
  for (int round = 0; round < 3; ++round) {
    const int h = height - (horizontal ? bar_height : 0);
    vertical = rows > std::max(0, (h - RowPitch()) / RowPitch());
    const int w = width - (vertical ? bar_width : 0);
    horizontal = ScrollingWidthIn(w) > w - (ColWidthIn(0, w) + 1);
  }
  return {vertical, horizontal};
}

int GridModel::ScrollingWidthIn(int client_width) const {
  int width = 0;
  for (int c = 1; c < ColCount(); ++c) width += ColWidthIn(c, client_width) + 1;
  return width;
}

int GridModel::ColLeft(int col) const {
  if (col <= 0) return 0;
  int left = FixedWidth() - left_offset_;
  for (int c = 1; c < col && c < ColCount(); ++c) left += ColWidth(c) + 1;
  return left;
}

int GridModel::RowTop(int row) const {
  return row <= 0 ? 0 : RowPitch() * (1 + row - top_row_);
}

int GridModel::RowAtY(int y) const {
  return y < RowPitch() ? 0 : top_row_ + (y - RowPitch()) / RowPitch();
}

int GridModel::VisibleRowCount() const {
  return std::max(0, (client_height_ - RowPitch()) / RowPitch());
}

int GridModel::MaxTopRow() const {
  return std::max(1, RowCount() - VisibleRowCount());
}

int GridModel::MaxLeftOffset() const {
  return std::max(0, ScrollingWidth() - (client_width_ - FixedWidth()));
}

GridBox GridModel::CellRect(int col, int row) const {
  const int left = ColLeft(col), top = RowTop(row);
  return GridBox{left, top, left + ColWidth(col), top + row_height_};
}

bool GridModel::CellAt(int x, int y, int& col, int& row) const {
  if (x < 0 || y < 0) return false;
  const int r = RowAtY(y);
  if (r >= RowCount()) return false;
  int c = 0;
  if (x >= FixedWidth()) {
    x += left_offset_ - FixedWidth();
    for (c = 1; c < ColCount() && x >= ColWidth(c) + 1; ++c) x -= ColWidth(c) + 1;
    if (c == ColCount()) return false;
  }
  col = c;
  row = r;
  return true;
}

int GridModel::SizingColumnAt(int x, int y) const {
  if (y < 0 || y >= RowPitch() || x < 0) return -1;
  int best = -1, best_distance = kSizingSlack + 1;
  for (int c = 0; c < ColCount() - 1; ++c) {
    const int border = ColLeft(c) + ColWidth(c);
    if (c > 0 && border < FixedWidth()) continue;  // scrolled under the fixed column
    const int distance = std::abs(x - border);
    // On a tie the later column wins, so a narrow column can still be widened.
    if (distance <= best_distance) {
      best = c;
      best_distance = distance;
    }
  }
  return best_distance <= kSizingSlack ? best : -1;
}

bool GridModel::SetTopRow(int row) {
  row = std::clamp(row, 1, MaxTopRow());
  if (row == top_row_) return false;
  top_row_ = row;
  return true;
}

bool GridModel::SetLeftOffset(int offset) {
  offset = std::clamp(offset, 0, MaxLeftOffset());
  if (offset == left_offset_) return false;
  left_offset_ = offset;
  return true;
}

void GridModel::ClampView() {
  top_row_ = std::clamp(top_row_, 1, MaxTopRow());
  left_offset_ = std::clamp(left_offset_, 0, MaxLeftOffset());
}

bool GridModel::ScrollIntoView(int row) {
  if (row < 1 || row >= RowCount()) return false;
  const int visible = VisibleRowCount();
  if (row < top_row_ || visible == 0) return SetTopRow(row);
  if (row >= top_row_ + visible) return SetTopRow(row - visible + 1);
  return false;
}

bool GridModel::ScrollBy(bool vertical, int request, int track) {
  enum { kLineBack, kLineOn, kPageBack, kPageOn, kThumbPosition, kThumbTrack, kFirst, kLast };
  const int line = vertical ? 1 : row_height_;
  const int page = std::max(1, vertical ? VisibleRowCount() : client_width_ - FixedWidth());
  const int now = vertical ? top_row_ : left_offset_;
  int to = now;
  switch (request) {
    case kLineBack:
    case kLineOn:
      to = now + (request == kLineBack ? -line : line);
      break;
    case kPageBack:
    case kPageOn:
      to = now + (request == kPageBack ? -page : page);
      break;
    case kThumbPosition:
    case kThumbTrack:
      to = track;
      break;
    case kFirst:
      to = vertical ? 1 : 0;
      break;
    case kLast:
      to = vertical ? MaxTopRow() : MaxLeftOffset();
      break;
    default:
      return false;
  }
  return vertical ? SetTopRow(to) : SetLeftOffset(to);
}

bool GridModel::Wheel(int delta) {
  wheel_delta_ += delta;
  const int notches = wheel_delta_ / kWheelDelta;
  wheel_delta_ %= kWheelDelta;
  return notches != 0 && SetTopRow(top_row_ - notches * kWheelRows);
}

void GridModel::SetRowSelect(bool on) {
  if (on == row_select_) return;
  row_select_ = on;
  selection_ = on ? GridRect{1, row_, ColCount() - 1, row_} : GridRect{col_, row_, col_, row_};
}

void GridModel::SetSelection(GridRect cells) {
  const int last_col = ColCount() - 1, last_row = RowCount() - 1;
  GridRect s;
  s.Left = std::clamp(std::min(cells.Left, cells.Right), 1, last_col);
  s.Right = std::clamp(std::max(cells.Left, cells.Right), 1, last_col);
  s.Top = std::clamp(std::min(cells.Top, cells.Bottom), 1, last_row);
  s.Bottom = std::clamp(std::max(cells.Top, cells.Bottom), 1, last_row);
  selection_ = s;
  col_ = s.Right;
  row_ = s.Top;
}

bool GridModel::MoveTo(int col, int row) {
  if (col < 1 || col >= ColCount() || row < 1 || row >= RowCount()) return false;
  col_ = col;
  row_ = row;
  selection_ = row_select_ ? GridRect{1, row, ColCount() - 1, row} : GridRect{col, row, col, row};
  ScrollIntoView(row);
  return true;
}

std::optional<GridModel::Target> GridModel::NavigationKey(int vk, ShiftState shift) {
  const int last_row = RowCount() - 1, last_col = ColCount() - 1;
  const int page = std::max(1, VisibleRowCount());
  Target to{col_, row_, std::nullopt};
  // With whole rows selected, Left and Right scroll the view a column at a time.
  auto scroll_columns = [this](int direction) {
    int start = 0, target = direction < 0 ? 0 : MaxLeftOffset();
    for (int c = 1; c < ColCount(); ++c) {
      if (direction < 0 && start < left_offset_) target = start;
      if (direction > 0 && start > left_offset_) {
        target = start;
        break;
      }
      start += ColWidth(c) + 1;
    }
    SetLeftOffset(target);
  };
  const bool rows = row_select_;
  if (shift.Ctrl) {
    switch (vk) {
      case kUp:
        SetTopRow(top_row_ - 1);
        return std::nullopt;
      case kDown:
        SetTopRow(top_row_ + 1);
        return std::nullopt;
      case kLeft:
        if (rows) return SetLeftOffset(0), std::nullopt;
        to.Col = 1;
        break;
      case kRight:
        if (rows) return SetLeftOffset(MaxLeftOffset()), std::nullopt;
        to.Col = last_col;
        break;
      case kPrior:
        to.Row = top_row_;
        break;
      case kNext:
        to.Row = top_row_ + page - 1;
        break;
      case kHome:
      case kEnd:
        if (!rows) to.Col = vk == kHome ? 1 : last_col;
        to.Row = vk == kHome ? 1 : last_row;
        break;
      default:
        return std::nullopt;
    }
  } else {
    switch (vk) {
      case kUp:
      case kDown:
        to.Row += vk == kUp ? -1 : 1;
        break;
      case kLeft:
      case kRight:
        if (rows) return scroll_columns(vk == kLeft ? -1 : 1), std::nullopt;
        to.Col += vk == kLeft ? -1 : 1;
        break;
      case kPrior:
      case kNext:
        to.Row += vk == kPrior ? -page : page;
        to.Top = top_row_ + (vk == kPrior ? -page : page);
        break;
      case kHome:
      case kEnd:
        (rows ? to.Row : to.Col) = vk == kHome ? 1 : (rows ? last_row : last_col);
        break;
      default:
        return std::nullopt;
    }
  }
  to.Row = std::clamp(to.Row, 1, last_row);
  to.Col = std::clamp(to.Col, 1, last_col);
  if (to.Row == row_ && to.Col == col_) return std::nullopt;
  return to;
}

bool GridModel::Go(const Target& to) {
  if (!MoveTo(to.Col, to.Row)) return false;
  // A page key turns the page, not only the least needed to show the row.
  if (to.Top) {
    SetTopRow(*to.Top);
    ScrollIntoView(row_);
  }
  return true;
}

GridModel::Target GridModel::SelectTarget(int x, int y) const {
  // Dragging past the top or bottom edge reaches the next hidden row.
  int row = y < RowPitch() ? top_row_ - 1 : RowAtY(y);
  if (y >= client_height_) row = top_row_ + VisibleRowCount();
  row = std::clamp(row, 1, RowCount() - 1);
  int col = col_;
  if (!row_select_) {
    int hit_col = 0, hit_row = 0;
    col =
        CellAt(std::max(FixedWidth(), x), RowPitch(), hit_col, hit_row) ? hit_col : ColCount() - 1;
  }
  return Target{col, row, std::nullopt};
}

void GridModel::BeginSizing(int col, int x) {
  mouse_ = Mouse::Sizing;
  sizing_col_ = col;
  sizing_start_width_ = ColWidth(col);
  sizing_origin_ = x - sizing_start_width_;
}

bool GridModel::SizeTo(int x) {
  const int width = std::max(kMinDraggedColWidth, x - sizing_origin_);
  if (mouse_ != Mouse::Sizing || width == ColWidth(sizing_col_)) return false;
  SetColWidth(sizing_col_, width);
  return true;
}

void GridModel::BeginMoving(int row, int x, int y) {
  mouse_ = Mouse::Moving;
  move_from_ = move_to_ = row;
  move_x_ = x;
  move_y_ = y;
}

bool GridModel::UpdateDropRow(int x, int y) {
  move_x_ = x;
  move_y_ = y;
  const int last_visible = std::max(top_row_, top_row_ + VisibleRowCount() - 1);
  const int row = std::clamp(y < RowPitch() ? top_row_ : RowAtY(y), top_row_,
                             std::min(last_visible, RowCount() - 1));
  if (row == move_to_) return false;
  move_to_ = row;
  return true;
}

bool GridModel::ScrollTick() {
  if (mouse_ != Mouse::Moving) return false;
  const int zone = RowPitch() / 2;
  const int bottom = std::min(client_height_, RowPitch() * (1 + VisibleRowCount()));
  bool scrolled = false;
  if (move_y_ < RowPitch() + zone) {
    scrolled = SetTopRow(top_row_ - 1);
  } else if (move_y_ >= bottom - zone) {
    scrolled = SetTopRow(top_row_ + 1);
  }
  move_to_ = 0;  // worked out again against the scrolled rows
  UpdateDropRow(move_x_, move_y_);
  return scrolled;
}

GridModel::Ended GridModel::EndMouse(bool drop) {
  Ended ended;
  ended.Was = mouse_;
  mouse_ = Mouse::None;
  if (ended.Was == Mouse::Moving && drop) ended.Moved = MoveRow(move_from_, move_to_);
  if (ended.Was == Mouse::Sizing && ColWidth(sizing_col_) != sizing_start_width_)
    ended.Resized = sizing_col_;
  return ended;
}

namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string GridModel::TableName() const {
  // Only the results put a header over the number column (their tabs).
  const bool results = !cells_.Cell(0, 0).empty();
  if (FilledRows() == 0)
    return results ? "該当する項目はありません" : "このタブには項目がありません";
  return results ? "検索結果" : "項目";
}

std::string GridModel::RowName(int row) const {
  std::string name;
  for (int col = 0; col < ColCount(); ++col) {
    const std::string text = CellName(col, row);
    if (text.empty()) continue;
    if (!name.empty()) name += ' ';
    name += text;
  }
  return name;
}

std::string GridModel::CellName(int col, int row) const {
  return std::string(Trimmed(cells_.Cell(col, row)));
}

GridModel::RowState GridModel::StateOf(int row, bool has_focus) const {
  RowState state;
  state.Selected = row >= selection_.Top && row <= selection_.Bottom;
  state.Focused = has_focus && row == row_;
  state.Offscreen = row < top_row_ || RowTop(row) >= client_height_;
  return state;
}

GridBox GridModel::RowRect(int row) const {
  GridBox box = CellRect(0, row);
  const GridBox last = CellRect(ColCount() - 1, row);
  box.Right = std::min(last.Right, client_width_);
  box.Bottom = std::min(box.Bottom, client_height_);
  if (row < top_row_ || box.Top >= box.Bottom) return GridBox{};
  return box;
}

GridModel::Part GridModel::PartAt(int x, int y) const {
  int col = 0, row = 0;
  if (!CellAt(x, y, col, row) || row < 1 || row > FilledRows()) return {};
  return {row, col};
}

std::optional<std::pair<int, int>> GridModel::MoveRow(int from, int to) {
  if (from == to || std::min(from, to) < 1 || std::max(from, to) >= RowCount()) return std::nullopt;
  cells_.MoveRow(from, to);
  return std::pair{from, to};
}

std::optional<std::pair<int, int>> GridModel::MoveRowByKey(int vk, ShiftState shift) {
  if (mouse_ != Mouse::None || !shift.CtrlAlone() || (vk != kUp && vk != kDown))
    return std::nullopt;
  return MoveRow(row_, row_ + (vk == kUp ? -1 : 1));
}

}  // namespace zorbi
