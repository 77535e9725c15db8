#include "text/search_fold.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "text/sjis.h"

namespace zorbi {

namespace {

constexpr std::uint16_t kFullSpace = 0x8140;
constexpr std::uint16_t kVoicedMark = 0x814A;      // ゛
constexpr std::uint16_t kSemiVoicedMark = 0x814B;  // ゜
constexpr std::uint16_t kKatakanaU = 0x8345;       // ウ
constexpr std::uint16_t kKatakanaVu = 0x8394;      // ヴ
constexpr std::uint16_t kKatakanaRepeat = 0x8152;  // ヽ

// Half-width katakana and punctuation 0xA1..0xDF as their full-width codes;
// the sound marks ﾞ and ﾟ stay apart, as folded full-width kana keep them.
constexpr std::array<std::uint16_t, 63> kHalfWidth = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342,      0x8344,
    0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B, 0x8341,      0x8343,
    0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E, 0x8350, 0x8352,      0x8354,
    0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365,      0x8367,
    0x8369, 0x836A, 0x836B, 0x836C, 0x836D, 0x836E, 0x8371, 0x8374,      0x8377,
    0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386,      0x8388,
    0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, kVoicedMark, kSemiVoicedMark};

// ASCII folded: capitals to small letters, blanks to spaces.
constexpr std::array<char, 128> kAscii = [] {
  std::array<char, 128> table{};
  for (std::size_t b = 0; b < table.size(); ++b)
    table[b] = b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a')
               : b >= 1 && b <= 32  ? ' '
                                    : static_cast<char>(b);
  return table;
}();

char* PutCode(int code, char* out) {
  if (code < 0x80) {
    *out++ = static_cast<char>(code);
    return out;
  }
  *out++ = static_cast<char>(0xE0 | (code >> 12));
  *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  *out++ = static_cast<char>(0x80 | (code & 0x3F));
  return out;
}

// A full-width katakana as its base kana and sound mark, if it has one.
char* PutKatakana(int code, char* out) {
  const int k = code - 0x8300;
  int mark = 0;
  if ((k >= 0x4B && k <= 0x61 && k % 2 == 1) || k == 0x64 || k == 0x66 || k == 0x68) {
    mark = kVoicedMark;
    --code;
  } else if (k >= 0x6E && k <= 0x7C && (k - 0x6E) % 3 != 0) {
    mark = (k - 0x6E) % 3 == 1 ? kVoicedMark : kSemiVoicedMark;
    code -= (k - 0x6E) % 3;
  } else if (code == kKatakanaVu) {
    mark = kVoicedMark;
    code = kKatakanaU;
  }
  out = PutCode(code, out);
  return mark != 0 ? PutCode(mark, out) : out;
}

// Full-width punctuation as its ASCII character, 0 for any other code. The
// letters and digits are ranges of their own.
char FullWidthPunctuation(int code) {
  switch (code) {
    // clang-format off
    case 0x8143: return ',';  case 0x8144: return '.';  case 0x8146: return ':';
    case 0x8147: return ';';  case 0x8148: return '?';  case 0x8149: return '!';
    case 0x814D: return '`';  case 0x814F: return '^';  case 0x8151: return '_';
    case 0x815E: return '/';  case 0x815F: return '\\'; case 0x8160: return '~';
    case 0x8162: return '|';  case 0x8169: return '(';  case 0x816A: return ')';
    case 0x816D: return '[';  case 0x816E: return ']';  case 0x816F: return '{';
    case 0x8170: return '}';  case 0x817B: return '+';  case 0x817C: return '-';
    case 0x8181: return '=';  case 0x8183: return '<';  case 0x8184: return '>';
    case 0x8190: return '$';  case 0x8193: return '%';  case 0x8194: return '#';
    case 0x8195: return '&';  case 0x8196: return '*';  case 0x8197: return '@';
    case 0xFA56: return '\''; case 0xFA57: return '"';
    // clang-format on
    default:
      return 0;
  }
}

char* PutDoubleByte(int code, char* out) {
  if (code == kFullSpace) return PutCode(' ', out);
  if (const char c = FullWidthPunctuation(code)) return PutCode(c, out);
  // ゝ and ゞ as ヽ and ヾ, and ヾ as ヽ with its mark, as the kana below.
  if (code == 0x8154) return PutCode(kKatakanaRepeat, out);
  if (code == 0x8153 || code == 0x8155) return PutCode(kVoicedMark, PutCode(kKatakanaRepeat, out));
  if (code >= 0x824F && code <= 0x8258) return PutCode('0' + (code - 0x824F), out);  // ０..９
  if (code >= 0x8260 && code <= 0x8279) return PutCode('a' + (code - 0x8260), out);  // Ａ..Ｚ
  if (code >= 0x8281 && code <= 0x829A) return PutCode('a' + (code - 0x8281), out);  // ａ..ｚ
  // ぁ..み as ァ..ミ, む..ん as ム..ン: the katakana skip 0x837F.
  if (code >= 0x829F && code <= 0x82DD) return PutKatakana(code + 0xA1, out);
  if (code >= 0x82DE && code <= 0x82F1) return PutKatakana(code + 0xA2, out);
  if (code >= 0x8340 && code <= 0x8396) return PutKatakana(code, out);
  return PutCode(code, out);
}

}  // namespace

char* FoldInto(std::string_view sjis, char* out) {
  const std::size_t n = sjis.size();
  for (std::size_t i = 0; i < n;) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    if (b < 0x80) {
      *out++ = kAscii[b];
      ++i;
    } else if (i + 1 < n && IsSjisLeadByte(b) &&
               IsSjisTrailByte(static_cast<unsigned char>(sjis[i + 1]))) {
      out = PutDoubleByte(b << 8 | static_cast<unsigned char>(sjis[i + 1]), out);
      i += 2;
    } else {
      out = b >= 0xA1 && b <= 0xDF ? PutKatakana(kHalfWidth[b - 0xA1u], out) : PutCode(b, out);
      ++i;
    }
  }
  return out;
}

std::string SearchFold(std::string_view sjis) {
  std::string out(sjis.size() * kMaxFoldGrowth, '\0');
  out.resize(static_cast<std::size_t>(FoldInto(sjis, out.data()) - out.data()));
  return out;
}

std::vector<std::string> SearchWords(std::string_view sjis) {
  std::vector<std::string> words;
  const std::string folded = SearchFold(sjis);
  std::size_t i = 0;
  while (i < folded.size()) {
    const std::size_t end = std::min(folded.find(' ', i), folded.size());
    if (end > i) words.push_back(folded.substr(i, end - i));
    i = end + 1;
  }
  return words;
}

}  // namespace zorbi
