// "PATH.TXT": the plain-text export of the catalogue. Line 1 holds the tab
// names as comma text, then one "TabNo,BatPath" line per item; CR LF ends
// every line.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"

namespace zorbi {

std::string PathTxtImage(const std::vector<std::string>& tabNames, const TTabList& tabs);

// Lines cut at CR, LF or CR LF; a last line without an end counts too.
std::vector<std::string_view> SplitTextLines(std::string_view bytes);

enum class PathTxtFault { None, BadTabNumber, NoPath, NoSuchTab, UnreadableBat, EmptyBat };

struct PathTxtError {
  PathTxtFault Fault = PathTxtFault::None;
  std::size_t LineNo = 0;  // from 1
  std::string Line;
  std::string BatPath;
};

// A catalogue rebuilt from PATH.TXT, not yet in use.
struct PathTxtCatalogue {
  std::vector<std::string> TabNames;
  TTabList TabList;
};

// The head of a BAT file (at least BatHeadBytes when it is that long), or
// nullopt when it cannot be read.
using BatHeadReader = std::function<std::optional<std::string>(const std::string& path)>;

// Rebuilds the catalogue from the file's bytes: `tabNames` and `tabCount`
// emptied tabs are what the catalogue holds now. Every BAT file is read again
// for its summary. Either the whole file goes into `out`, or nothing does and
// `error` names the first line that could not be taken.
bool RestorePathTxt(std::string_view bytes, std::vector<std::string> tabNames, std::size_t tabCount,
                    const BatHeadReader& readHead, PathTxtCatalogue& out, PathTxtError& error);

}  // namespace zorbi
