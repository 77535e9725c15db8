// "Z_Orbi.DAT": the binary catalogue file, as bytes in memory.
//
// Layout: "Z_Orbi.DataFile" + 0x00, tab count T, item count I (32-bit LE),
// T counted strings (tab names), I item records (TMenuItem's fields in order).
// A counted string is N = text bytes + 1, then the text and one 0x00 byte.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"

namespace zorbi {

inline constexpr std::string_view DataFileHeader = "Z_Orbi.DataFile";
inline constexpr std::string_view NotDataFileMessage = "データファイルではありません、終了します。";
// Strings pass through a 100,000-byte buffer, terminator included.
inline constexpr std::int32_t MaxCountedLength = 100'000;
inline constexpr std::size_t MaxStoredTextBytes = MaxCountedLength - 1;

void WriteInt32(std::string& stream, std::int32_t value);
void WriteZString(std::string& stream, std::string_view text);
// Stores `text` up to its first 0x00 byte, cut to at most 99,999 bytes at a
// character boundary.
void WriteCountedString(std::string& stream, std::string_view text);

// Reads the stream front to back; every read fails instead of passing the end.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
  bool ReadInt32(std::int32_t& value);
  bool ReadZString(std::string& text);
  // Fails on a length below 1 or above 100,000 as well.
  bool ReadCountedString(std::string& text);
  // The same as a view of the stream's bytes.
  bool ReadCountedView(std::string_view& text);
  std::size_t Position() const { return pos_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

void WriteTabItems(const TMList& tab, std::string& stream);

// The whole file image: `tabCount` names from `tabNames` (empty past its end),
// then the items of every tab of the catalogue.
std::string CatalogueImage(const CatalogueData& catalogue, std::int32_t tabCount,
                           const std::vector<std::string>& tabNames);

// Loads a file image into the catalogue: appends one tab per stored name,
// places each item on the tab its TabNo names (counting tabs that were already
// there) at the next place, and replaces `tabNames`. Items must lie on the
// stored names' tabs. A file without tabs or items reads as one
// empty tab "Tab1". Returns false and changes nothing when the bytes are not a
// well-formed data file (negative counts included); the caller then shows
// NotDataFileMessage. `used`, when given, gets the number of bytes read: bytes
// after the last item are ignored, so a count that is too small shows there.
bool ReadCatalogueImage(CatalogueData& catalogue, std::string_view bytes,
                        std::vector<std::string>& tabNames, std::size_t* used = nullptr);

// ReadCatalogueImage in two steps, so that the slow one, which touches no
// catalogue, can run on another thread: the tabs and items of a file image
// read and checked, then added.
struct DataFileContents {
  std::vector<std::string> TabNames;
  // The items by the tab their TabNo names, in file order, each Position its
  // place there: adding them moves whole lists.
  std::vector<std::vector<std::unique_ptr<TMenuItem>>> TabItems;
  // The last item with pick state 2, when there is one.
  std::int32_t PickTab = -1;
  std::int32_t PickPosition = 0;
  // No later item on the pick's tab has a pick state: the pick is the tab's
  // remembered one, and start-up need not look for it.
  bool PickLastMarked = false;
  std::size_t Used = 0;  // bytes read
};
// False when ReadCatalogueImage would refuse `bytes`. The items' texts view
// the bytes, which they keep alive: no allocation per text.
bool ParseCatalogueImage(std::shared_ptr<const std::string> bytes, DataFileContents& contents);
// The same on a copy of `bytes`.
bool ParseCatalogueImage(std::string_view bytes, DataFileContents& contents);
// The tabs and items of a parse for this catalogue's tab count, added.
void AddCatalogueContents(CatalogueData& catalogue, DataFileContents contents,
                          std::vector<std::string>& tabNames);

}  // namespace zorbi
