// Any bytes, twice over:
// - as PATH.TXT: either a catalogue of every usable line is restored, or the
//   file is refused whole; a restored catalogue exports to a file that
//   restores to the same export; each line left out is named by its real
//   number and text, in file order, with a reason its path bears out;
// - as a catalogue (tab names and paths of any Shift-JIS characters, commas,
//   quotes and blanks included): its export reads back equal.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue/path_txt.h"
#include "text/sjis.h"
#include "text/text_split.h"

using namespace zorbi;

namespace {

// BAT files from their names: an 'x' cannot be read, an 'e' is empty.
std::optional<std::string> Head(const std::string& path) {
  if (path.find('x') != std::string::npos) return std::nullopt;
  if (path.find('e') != std::string::npos) return std::string();
  return "@REM " + path + "\r\n";
}

std::optional<std::string> AnyHead(const std::string&) {
  return "@REM s\r\n";
}

void CheckAsFile(const std::string& bytes) {
  PathTxtCatalogue out;
  out.TabNames = {"before"};
  PathTxtError error;
  if (!RestorePathTxt(bytes, {"T1", "T2"}, 2, Head, out, error)) {
    if (out.TabNames != std::vector<std::string>{"before"} || !out.TabList.empty()) std::abort();
    if (error.Fault != PathTxtFault::Utf8 && error.Fault != PathTxtFault::Utf16 &&
        error.Fault != PathTxtFault::NotShiftJis)
      std::abort();
    return;
  }
  if (out.TabNames.empty() || out.TabList.size() < out.TabNames.size()) std::abort();
  // One item for every usable item line: never a part of the file.
  const std::vector<NumberedLine> lines = NumberedLines(bytes);
  std::size_t itemLines = 0;
  for (std::size_t k = 1; k < lines.size(); ++k) itemLines += !TrimBytes(lines[k].Text).empty();
  const std::string image = PathTxtImage(out.TabNames, out.TabList);
  if (SplitTextLines(image).size() != 1 + itemLines - out.Skipped.size()) std::abort();
  std::size_t at = 1;
  for (const PathTxtError& e : out.Skipped) {
    while (at < lines.size() && lines[at].No < e.LineNo) ++at;
    if (at == lines.size() || lines[at].No != e.LineNo || lines[at].Text != e.Line) std::abort();
    ++at;  // the next one comes later in the file
    const bool unreadable = e.BatPath.find('x') != std::string::npos;
    const bool empty = !unreadable && e.BatPath.find('e') != std::string::npos;
    if ((e.Fault == PathTxtFault::UnreadableBat) != unreadable ||
        (e.Fault == PathTxtFault::EmptyBat) != empty)
      std::abort();
  }
  PathTxtCatalogue again;
  if (!RestorePathTxt(image, {}, out.TabList.size(), Head, again, error)) {
    if (!LooksLikeUtf8(image)) std::abort();
    return;
  }
  if (!again.Skipped.empty() || PathTxtImage(again.TabNames, again.TabList) != image) std::abort();
}

unsigned Byte(std::string_view& in) {
  if (in.empty()) return 0;
  const auto b = static_cast<unsigned char>(in[0]);
  in.remove_prefix(1);
  return b;
}

// Shift-JIS text from the input: a lead byte with a trail byte after it is
// one character; a byte that is no character, and a line end, becomes a
// comma or a quote.
std::string Text(std::string_view& in, std::size_t count) {
  std::string text;
  for (; count > 0 && !in.empty(); --count) {
    if (SjisCharLen(in, 0) == 2 && FirstNonSjisByte(in.substr(0, 2)) == std::string_view::npos) {
      text += in.substr(0, 2);
      in.remove_prefix(2);
      continue;
    }
    const unsigned b = Byte(in);
    const char c = static_cast<char>(b);
    const bool character = b != '\r' && b != '\n' &&
                           FirstNonSjisByte(std::string_view(&c, 1)) == std::string_view::npos;
    text += character ? c : b % 2 ? ',' : '"';
  }
  return text;
}

void CheckAsCatalogue(std::string_view in) {
  std::vector<std::string> names(1 + Byte(in) % 4);
  for (std::string& name : names) name = Text(in, Byte(in) % 8);
  TTabList tabs;
  for (std::size_t t = 0; t < names.size(); ++t) tabs.push_back(std::make_unique<TMList>());
  while (!in.empty()) {
    const auto tab = static_cast<std::int32_t>(Byte(in) % names.size());
    // A path from a dialog never begins or ends with a blank.
    auto item = std::make_unique<TMenuItem>();
    item->InitItem("C:\\" + Text(in, Byte(in) % 16) + ".BAT", "s", tab, 0, "", "", "", 0, 0);
    AddItem(*tabs[static_cast<std::size_t>(tab)], std::move(item));
  }
  const std::string image = PathTxtImage(names, tabs);
  PathTxtCatalogue out;
  PathTxtError error;
  if (!RestorePathTxt(image, {}, names.size(), AnyHead, out, error)) {
    // Shift-JIS that is also UTF-8 with a kana or kanji: taken for UTF-8.
    if (error.Fault != PathTxtFault::Utf8 || !LooksLikeUtf8(image)) std::abort();
    return;
  }
  if (!out.Skipped.empty() || out.TabNames != names) std::abort();
  if (PathTxtImage(out.TabNames, out.TabList) != image) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CheckAsFile(bytes);
  CheckAsCatalogue(bytes);
  return 0;
}
