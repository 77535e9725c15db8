#include "platform/grid_cells.h"

#include <algorithm>
#include <utility>

namespace zorbi {

GridCells::GridCells(int col_count, int row_count)
    : col_count_(std::max(1, col_count)), row_count_(std::max(0, row_count)) {}

void GridCells::SetRowCount(int rows) {
  row_count_ = std::max(0, rows);
  written_.erase(written_.lower_bound(row_count_), written_.end());
  source_rows_ = std::max(0, std::min(source_rows_, row_count_ - 1));
}

std::string GridCells::Cell(int col, int row) const {
  if (col < 0 || col >= col_count_ || row < 0 || row >= row_count_) return {};
  if (const auto it = written_.find(row); it != written_.end())
    return it->second.cells[static_cast<std::size_t>(col)];
  return FromSource(row) ? source_->Cell(col, row) : std::string();
}

void GridCells::SetCell(int col, int row, std::string text) {
  if (col < 0 || col >= col_count_ || row < 0 || row >= row_count_) return;
  Written(row).cells[static_cast<std::size_t>(col)] = std::move(text);
}

const TMenuItem* GridCells::Item(int row) const {
  if (row < 0 || row >= row_count_) return nullptr;
  if (const auto it = written_.find(row); it != written_.end()) return it->second.item;
  return FromSource(row) ? source_->Item(row) : nullptr;
}

bool GridCells::Dimmed(int row) const {
  if (row < 0 || row >= row_count_) return false;
  if (const auto it = written_.find(row); it != written_.end()) return it->second.dimmed;
  return FromSource(row) && source_->Dimmed(row);
}

void GridCells::SetItem(int row, const TMenuItem* item) {
  if (row >= 0 && row < row_count_) Written(row).item = item;
}

void GridCells::SetSource(const GridRowSource* source) {
  written_.erase(written_.upper_bound(0), written_.end());
  source_ = source;
  source_rows_ = source != nullptr ? std::max(0, std::min(source->Count(), row_count_ - 1)) : 0;
}

GridCells::Row& GridCells::Written(int row) {
  const auto [it, made] = written_.try_emplace(row);
  Row& written = it->second;
  if (made) {
    written.cells.resize(static_cast<std::size_t>(col_count_));
    if (FromSource(row)) {
      for (int col = 0; col < col_count_; ++col)
        written.cells[static_cast<std::size_t>(col)] = source_->Cell(col, row);
      written.item = source_->Item(row);
      written.dimmed = source_->Dimmed(row);
    }
  }
  return written;
}

int GridCells::FilledRows() const {
  int last = source_rows_;
  // Rows written past the source, the header never among them.
  for (auto it = written_.rbegin(); it != written_.rend() && it->first > last; ++it) {
    const Row& row = it->second;
    if (row.item != nullptr || std::any_of(row.cells.begin(), row.cells.end(),
                                           [](const std::string& c) { return !c.empty(); }))
      last = it->first;
  }
  return last;
}

void GridCells::MoveRow(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= row_count_ || to >= row_count_) return;
  // Only the rows between move: a drag spans the rows the user scrolled past.
  const int low = std::min(from, to), high = std::max(from, to);
  std::vector<Row> rows;
  rows.reserve(static_cast<std::size_t>(high - low + 1));
  for (int row = low; row <= high; ++row) rows.push_back(std::move(Written(row)));
  if (from < to) {
    std::rotate(rows.begin(), rows.begin() + 1, rows.end());
  } else {
    std::rotate(rows.begin(), rows.end() - 1, rows.end());
  }
  for (int row = low; row <= high; ++row)
    written_[row] = std::move(rows[static_cast<std::size_t>(row - low)]);
}

}  // namespace zorbi
