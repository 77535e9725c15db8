#include "forms/tab_operations.h"

namespace zorbi {

void TabOperations::AddTab(std::string name) {
  cat_.AddTab(std::move(name));
  view_.ShowTabsAgain(false);
}

void TabOperations::RenameTab(int index, std::string name) {
  if (cat_.RenameTab(index, std::move(name))) view_.ShowTabsAgain(false);
}

void TabOperations::DeleteTab(int index) {
  if (cat_.DeleteTab(index)) view_.ShowTabsAgain(true);
}

void TabOperations::MoveTab(int from, int to) {
  if (cat_.MoveTab(from, to)) view_.ShowTabsAgain(false);
}

}  // namespace zorbi
