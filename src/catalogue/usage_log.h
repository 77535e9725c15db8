// Which BAT files the user hands to the host, how often and how lately, kept
// beside the catalogue in Z_Orbi.use. Each launch adds 1 to its file's score,
// and a score halves for every 14 days that pass: a file run often lately
// scores highest, one run often long ago fades (a "frecency" score).
//
// The file: a first line "Z_Orbi.use 1", then one line per file,
// "<score in thousandths>\t<last launch, seconds since 1970 UTC>\t<path>",
// Shift-JIS, lines ended by CR LF. At most MaxUsageEntries files are kept:
// beyond that the lowest score goes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zorbi {

inline constexpr std::string_view UsageFileName = "Z_Orbi.use";
inline constexpr std::size_t MaxUsageEntries = 2000;
inline constexpr std::int64_t UsageHalfLifeSeconds = 14 * 24 * 60 * 60;

class UsageLog {
 public:
  // The file's entries; false, and nothing kept, for bytes that are no usage
  // file. A line that cannot be read is left out.
  bool Parse(std::string_view bytes);
  std::string Image() const;

  // A launch of `path` at `now`.
  void Record(std::string_view path, std::int64_t now);
  // The score of `path` at `now`; 0 for a file never launched. Paths that
  // differ only in the case of ASCII letters are one file.
  double Score(std::string_view path, std::int64_t now) const;
  // A relinked item's file keeps its history.
  void Relink(std::string_view oldPath, std::string_view newPath);

  std::size_t Size() const { return entries_.size(); }
  bool Changed() const { return changed_; }

 private:
  struct Entry {
    double Score = 0;  // at Last
    std::int64_t Last = 0;
  };
  // Paths as keys, ASCII letters of either case alike; looked up without
  // making a string, as a search asks for every item's path.
  struct SameFileHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view path) const;
  };
  struct SameFile {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  using Entries = std::unordered_map<std::string, Entry, SameFileHash, SameFile>;
  static double Decayed(const Entry& e, std::int64_t now);
  void DropLowest(std::int64_t now);

  Entries entries_;
  bool changed_ = false;
};

}  // namespace zorbi
