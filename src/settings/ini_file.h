// An INI file held as its bytes. Reading and writing follow the profile
// functions' rules: section and key names match whatever their letter case,
// blanks around a value are dropped, and so are the double quotes around a
// value that is one quoted string. A write changes only the line of its key
// (or adds one), so comments, unknown keys and sections, blank lines and the
// line ends survive as they are; a key that already reads as the value written
// keeps its line as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbi {

class IniFile {
 public:
  explicit IniFile(std::string_view bytes = {});

  // The value, or nullopt when the key is missing.
  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
  // Decimal, "0x" or "$" hexadecimal; nullopt when missing or not an integer.
  std::optional<std::int32_t> ReadInteger(std::string_view section, std::string_view key) const;
  // Any integer other than 0 is true; a missing or non-integer value is false.
  bool ReadBool(std::string_view section, std::string_view key) const;

  // `value` is the text after "=", cut at a line break, which would end the
  // line. False, and nothing changed, for a section or key name the file
  // cannot hold.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  bool WriteBool(std::string_view section, std::string_view key, bool value);

  std::string Bytes() const;

 private:
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", "\r" or "" for a last line without one
  };
  struct Found {
    std::optional<std::size_t> header;  // the section's header line
    std::optional<std::size_t> key;     // the key's line
    std::size_t insertAt = 0;           // where a new key of the section goes
  };

  Found Find(std::string_view section, std::string_view key) const;

  std::vector<Line> lines_;
  std::string newline_ = "\r\n";
};

// The integer in a profile value, by the rules of ReadInteger.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

// The text to write for a value so that it reads back as `value`: in double
// quotes when `quoted` or when blanks around it would be lost, unless a quote
// inside would close them early.
std::string ProfileValue(std::string_view value, bool quoted = false);

}  // namespace zorbi
