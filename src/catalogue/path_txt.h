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

inline constexpr std::string_view PathTxtName = "PATH.TXT";

std::string PathTxtImage(const std::vector<std::string>& tabNames, const TTabList& tabs);

// Lines cut at CR, LF or CR LF; a last line without an end counts too.
std::vector<std::string_view> SplitTextLines(std::string_view bytes);

// A line of text and its number as an editor shows it, from 1: CR LF, LF, a
// lone CR and a run of CRs before LF (CR CR LF, left by some tools) each end one line.
struct NumberedLine {
  std::string_view Text;
  std::size_t No = 0;
};
std::vector<NumberedLine> NumberedLines(std::string_view bytes);

// Valid UTF-8 with a character of three or more bytes (every kana and kanji).
// Shift-JIS text almost never is: its kanji lead bytes 0x81 to 0x9F and its
// half-width kana are UTF-8 continuation bytes, which cannot start a character.
bool LooksLikeUtf8(std::string_view bytes);

enum class PathTxtFault {
  None,
  BadTabNumber,
  NoPath,
  NoSuchTab,
  UnreadableBat,
  EmptyBat,
  Utf8,        // the whole file: saved as UTF-8, with or without its byte order mark
  Utf16,       // the whole file: saved as UTF-16
  NotShiftJis  // the whole file: a byte that is no Shift-JIS character
};

struct PathTxtError {
  PathTxtFault Fault = PathTxtFault::None;
  std::size_t LineNo = 0;  // from 1
  std::string Line;
  std::string BatPath;
};

// A catalogue rebuilt from PATH.TXT, not yet in use, and the item lines
// that could not be used, in file order.
struct PathTxtCatalogue {
  std::vector<std::string> TabNames;
  TTabList TabList;
  std::vector<PathTxtError> Skipped;
};

// The head of a BAT file (at least BatHeadBytes when it is that long), or
// nullopt when it cannot be read.
using BatHeadReader = std::function<std::optional<std::string>(const std::string& path)>;

// Rebuilds the catalogue from the file's bytes: `tabNames` and `tabCount`
// emptied tabs are what the catalogue holds now. Every BAT file is read again
// for its summary. Blank lines are skipped. An item line is "TabNo,BatPath":
// the path is all after the first comma, so a path with a comma reads back.
// Lines naming a tab the first line does not name, or a BAT file that cannot
// be registered, go to `Skipped`, the rest into `out`. False, with `out`
// untouched, when the file is not Shift-JIS text (`error` tells where).
// `going`, when given, hears how many lines were taken of how many before each
// BAT file is read, and stops the restore by returning false: false is then
// returned with `out` untouched and `error` telling no fault.
bool RestorePathTxt(std::string_view bytes, std::vector<std::string> tabNames, std::size_t tabCount,
                    const BatHeadReader& readHead, PathTxtCatalogue& out, PathTxtError& error,
                    const std::function<bool(std::size_t done, std::size_t total)>& going = {});

}  // namespace zorbi
