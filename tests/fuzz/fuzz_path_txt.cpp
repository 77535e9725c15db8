// Any bytes, twice over:
// - as PATH.TXT: either a catalogue of every usable line is restored, or the
//   file is refused whole; a restored catalogue exports to a file that
//   restores to the same export;
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
  PathTxtCatalogue again;
  if (!RestorePathTxt(image, {}, out.TabList.size(), Head, again, error)) {
    if (!LooksLikeUtf8(image)) std::abort();
    return;
  }
  if (!again.Skipped.empty() || PathTxtImage(again.TabNames, again.TabList) != image) std::abort();
}

// Shift-JIS characters made from the input: a lead byte takes the next byte
// as a trail, the bytes that are no character and the line ends become
// the bytes that need quoting.
class Chars {
 public:
  explicit Chars(std::string_view bytes) : bytes_(bytes) {}
  bool Done() const { return at_ >= bytes_.size(); }
  unsigned Byte() { return Done() ? 0 : static_cast<unsigned char>(bytes_[at_++]); }
  std::string Text(std::size_t count) {
    std::string text;
    for (std::size_t k = 0; k < count && !Done(); ++k) {
      const unsigned b = Byte();
      if (IsUnassignedSjisLead(static_cast<unsigned char>(b))) {
        text += 'e';
      } else if (IsSjisLeadByte(static_cast<unsigned char>(b))) {
        unsigned t = 0x40 + Byte() % (0xFC - 0x40);
        if (t >= 0x7F) ++t;
        text += static_cast<char>(b);
        text += static_cast<char>(t);
      } else if (b == '\r' || b == 0x80 || b == 0xFD) {
        text += ',';
      } else if (b == '\n' || b == 0xA0 || b == 0xFE) {
        text += '"';
      } else {
        text += static_cast<char>(b == 0xFF ? ' ' : b);
      }
    }
    return text;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

void CheckAsCatalogue(const std::string& bytes) {
  Chars in(bytes);
  std::vector<std::string> names(1 + in.Byte() % 4);
  for (std::string& name : names) name = in.Text(in.Byte() % 8);
  TTabList tabs;
  for (std::size_t t = 0; t < names.size(); ++t) tabs.push_back(std::make_unique<TMList>());
  while (!in.Done()) {
    const auto tab = static_cast<std::int32_t>(in.Byte() % names.size());
    // A path from a dialog never begins or ends with a blank.
    auto item = std::make_unique<TMenuItem>();
    item->InitItem("C:\\" + in.Text(in.Byte() % 16) + ".BAT", "s", tab, 0, "", "", "", 0, 0);
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
