#include "catalogue/data_file.h"

#include <algorithm>

#include "text/sjis.h"

namespace zorbi {

void WriteInt32(std::string& stream, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  const char bytes[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                         static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
  stream.append(bytes, 4);
}

void WriteZString(std::string& stream, std::string_view text) {
  stream.append(text.substr(0, text.find('\0')));
  stream += '\0';
}

void WriteCountedString(std::string& stream, std::string_view text) {
  const std::string_view stored = SjisPrefix(text.substr(0, text.find('\0')), MaxStoredTextBytes);
  WriteInt32(stream, static_cast<std::int32_t>(stored.size() + 1));
  stream.append(stored);
  stream += '\0';
}

bool ByteReader::ReadInt32(std::int32_t& value) {
  if (bytes_.size() - pos_ < 4) return false;
  std::uint32_t u = 0;
  for (int k = 3; k >= 0; --k)
    u = (u << 8) | static_cast<unsigned char>(bytes_[pos_ + static_cast<std::size_t>(k)]);
  pos_ += 4;
  value = static_cast<std::int32_t>(u);
  return true;
}

bool ByteReader::ReadZString(std::string& text) {
  const std::size_t end = bytes_.find('\0', pos_);
  if (end == std::string_view::npos) return false;
  text.assign(bytes_.substr(pos_, end - pos_));
  pos_ = end + 1;
  return true;
}

bool ByteReader::ReadCountedString(std::string& text) {
  std::string_view view;
  if (!ReadCountedView(view)) return false;
  text.assign(view);
  return true;
}

bool ByteReader::ReadCountedView(std::string_view& text) {
  std::int32_t n = 0;
  if (!ReadInt32(n) || n < 1 || n > MaxCountedLength) return false;
  const auto len = static_cast<std::size_t>(n);
  if (bytes_.size() - pos_ < len) return false;
  const std::string_view field = bytes_.substr(pos_, len);
  text = field.substr(0, field.find('\0'));
  pos_ += len;
  return true;
}

void WriteTabItems(const TMList& tab, std::string& stream) {
  for (const auto& item : tab.Items) {
    WriteCountedString(stream, item->BatPath);
    WriteCountedString(stream, item->Summary);
    WriteInt32(stream, item->TabNo);
    WriteInt32(stream, item->Position);
    WriteCountedString(stream, item->Memo);
    WriteCountedString(stream, item->Reserved1);
    WriteCountedString(stream, item->Reserved2);
    WriteInt32(stream, item->PickState);
    WriteInt32(stream, item->Reserved3);
  }
}

std::string CatalogueImage(const CatalogueData& catalogue, std::int32_t tabCount,
                           const std::vector<std::string>& tabNames) {
  // Tabs past the strip carry no items. Should one ever hold some, its name is
  // stored too (empty), or the file would name a tab it doesn't have and be
  // refused at the next start.
  std::int64_t names = tabCount < 0 ? 0 : tabCount;
  for (std::size_t t = 0; t < catalogue.TabList.size(); ++t)
    if (!catalogue.TabList[t]->Items.empty() && static_cast<std::int64_t>(t) >= names)
      names = static_cast<std::int64_t>(t) + 1;

  // Sized first, as a 100,000-item file is about 10 MB: five counted strings
  // and four numbers per item.
  std::size_t size = DataFileHeader.size() + 1 + 8;
  for (std::int64_t i = 0; i < names; ++i) {
    const auto k = static_cast<std::size_t>(i);
    size += 5 + (k < tabNames.size() ? tabNames[k].size() : 0);
  }
  for (const auto& tab : catalogue.TabList)
    for (const auto& item : tab->Items)
      size += 5 * 5 + 4 * 4 + item->BatPath.size() + item->Summary.size() + item->Memo.size() +
              item->Reserved1.size() + item->Reserved2.size();
  std::string image;
  image.reserve(size);
  WriteZString(image, DataFileHeader);
  WriteInt32(image, static_cast<std::int32_t>(names));
  WriteInt32(image, static_cast<std::int32_t>(catalogue.TotalItemCount()));
  for (std::int64_t i = 0; i < names; ++i) {
    const auto k = static_cast<std::size_t>(i);
    WriteCountedString(image, k < tabNames.size() ? std::string_view(tabNames[k]) : "");
  }
  for (const auto& tab : catalogue.TabList) WriteTabItems(*tab, image);
  return image;
}

namespace {

// Five counted strings of at least one byte and four numbers.
constexpr std::size_t MinItemRecordBytes = 5 * 5 + 4 * 4;

bool ReadText(ByteReader& in, ItemText& text) {
  std::string_view view;
  if (!in.ReadCountedView(view)) return false;
  text.ViewBytes(view);
  return true;
}

bool ReadItem(ByteReader& in, TMenuItem& item) {
  return ReadText(in, item.BatPath) && ReadText(in, item.Summary) && in.ReadInt32(item.TabNo) &&
         in.ReadInt32(item.Position) && ReadText(in, item.Memo) && ReadText(in, item.Reserved1) &&
         ReadText(in, item.Reserved2) && in.ReadInt32(item.PickState) &&
         in.ReadInt32(item.Reserved3);
}

}  // namespace

bool ParseCatalogueImage(std::string_view bytes, DataFileContents& contents) {
  return ParseCatalogueImage(std::make_shared<const std::string>(bytes), contents);
}

bool ParseCatalogueImage(std::shared_ptr<const std::string> source, DataFileContents& contents) {
  const std::string_view bytes(*source);
  ByteReader in(bytes);
  std::string header;
  if (!in.ReadZString(header) || header != DataFileHeader) return false;
  std::int32_t tabCount = 0, itemCount = 0;
  if (!in.ReadInt32(tabCount) || !in.ReadInt32(itemCount)) return false;
  // A negative count is damage, not "none": reading it as none would rewrite
  // the file without the items at the next close.
  if (tabCount < 0 || itemCount < 0) return false;

  std::vector<std::string> names;
  for (std::int32_t t = 0; t < tabCount; ++t) {
    if (!in.ReadCountedString(names.emplace_back())) return false;
  }
  std::vector<std::vector<std::unique_ptr<TMenuItem>>> tabItems(names.size());
  // Room for as many items as the bytes left can hold, never for a count
  // that the file merely claims; the usual catalogue has most on one tab.
  const std::size_t room = std::min(static_cast<std::size_t>(itemCount),
                                    (bytes.size() - in.Position()) / MinItemRecordBytes);
  std::size_t reserved = 0;
  std::int32_t pickTab = -1, pickPosition = 0;
  bool markedAfterPick = false;
  for (std::int32_t k = 0; k < itemCount; ++k) {
    auto item = std::make_unique<TMenuItem>();
    item->Source = source;
    // An item needs a named tab: one past the names could never be shown.
    if (!ReadItem(in, *item) || item->TabNo < 0 ||
        static_cast<std::size_t>(item->TabNo) >= names.size())
      return false;
    auto& list = tabItems[static_cast<std::size_t>(item->TabNo)];
    if (list.empty() && reserved < room) {
      list.reserve(room - reserved);
      reserved = room;
    }
    // The place in the file is the place: a stored Position may disagree.
    item->Position = static_cast<std::int32_t>(list.size());
    if (item->PickState == 2) {
      pickTab = item->TabNo;
      pickPosition = item->Position;
      markedAfterPick = false;
    } else if (item->PickState != 0 && item->TabNo == pickTab) {
      markedAfterPick = true;
    }
    list.push_back(std::move(item));
  }
  // The room went to the first tab that had items; another may hold it.
  for (auto& list : tabItems)
    if (list.capacity() > 2 * list.size() + 64) list.shrink_to_fit();
  if (names.empty() && itemCount == 0) names.emplace_back(DefaultTabName);
  contents.TabNames = std::move(names);
  contents.TabItems = std::move(tabItems);
  contents.PickTab = pickTab;
  contents.PickPosition = pickPosition;
  contents.PickLastMarked = pickTab >= 0 && !markedAfterPick;
  contents.Used = in.Position();
  return true;
}

void AddCatalogueContents(CatalogueData& catalogue, DataFileContents contents,
                          std::vector<std::string>& tabNames) {
  for (std::size_t t = 0; t < contents.TabNames.size(); ++t)
    catalogue.TabList.push_back(std::make_unique<TMList>());
  tabNames = std::move(contents.TabNames);
  std::int32_t pickOffset = 0;
  for (std::size_t t = 0; t < contents.TabItems.size(); ++t) {
    auto& items = contents.TabItems[t];
    TMList& tab = *catalogue.TabList[t];
    if (static_cast<std::int32_t>(t) == contents.PickTab) pickOffset = tab.Count();
    if (tab.Items.empty()) {
      tab.Items = std::move(items);
      continue;
    }
    // A tab that was there before: the items go after its own.
    tab.Items.reserve(tab.Items.size() + items.size());
    for (auto& item : items) {
      item->SetPosition(tab.Count());
      AddItem(tab, std::move(item));
    }
  }
  if (contents.PickTab >= 0) {
    catalogue.CurrentTab = contents.PickTab;
    catalogue.PickedIndex = pickOffset + contents.PickPosition;
  }
}

bool ReadCatalogueImage(CatalogueData& catalogue, std::string_view bytes,
                        std::vector<std::string>& tabNames, std::size_t* used) {
  // Everything is read and checked before the catalogue is touched.
  DataFileContents contents;
  if (!ParseCatalogueImage(bytes, contents)) return false;
  if (used) *used = contents.Used;
  AddCatalogueContents(catalogue, std::move(contents), tabNames);
  return true;
}

}  // namespace zorbi
