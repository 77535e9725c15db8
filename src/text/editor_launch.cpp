#include "text/editor_launch.h"

#include <algorithm>

#include "text/sjis.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

constexpr std::size_t MaxScriptName = 255;

// Only A to Z change; the second byte of a double-byte character never does.
std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t len = SjisCharLen(out, i);
    if (len == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    i += len;
  }
  return out;
}

bool ScriptNameLess(const std::string& a, const std::string& b) {
  const std::string la = AsciiLower(a), lb = AsciiLower(b);
  if (la != lb) return la < lb;
  // Same letters: the first difference is one of case, lower case first.
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return a[i] >= 'a' && a[i] <= 'z';
  return false;
}

void AddNamesOfLine(std::string_view line, std::vector<std::string>& names) {
  if (AsciiLower(line).find(".awk ") == std::string::npos) return;
  TokenList words;
  SplitBy(' ', line, words);
  for (const std::string& word : words) {
    if (AsciiLower(word).find(".awk") == std::string::npos) continue;
    // Cut at the longest name, never inside a double-byte character.
    const std::string_view name = word.rfind("-f", 0) == 0
                                      ? SjisPrefix(std::string_view(word).substr(2), MaxScriptName)
                                      : std::string_view(word);
    names.emplace_back(TrimBytes(name));
  }
}

}  // namespace

std::optional<EditorProgram> ParseEditor(std::string_view editor) {
  editor = TrimBytes(editor);
  EditorProgram parsed;
  if (!editor.starts_with('"')) {
    if (editor.find('"') != std::string_view::npos) return std::nullopt;
    parsed.Program = std::string(editor);
  } else {
    const std::size_t close = editor.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    parsed.Program = std::string(TrimBytes(editor.substr(1, close - 1)));
    const std::string_view rest = editor.substr(close + 1);
    // "C:\ed.exe"x would run as one word with the quote taken out.
    if (!rest.empty() && !IsBlank(static_cast<unsigned char>(rest[0]))) return std::nullopt;
    parsed.Arguments = std::string(TrimBytes(rest));
  }
  if (parsed.Program.empty()) return std::nullopt;
  return parsed;
}

std::string EditorCommandLine(const EditorProgram& editor, std::string_view file) {
  std::string line = "\"" + editor.Program + "\"";
  if (!editor.Arguments.empty()) line += " " + editor.Arguments;
  if (!file.empty()) line.append(" \"").append(file).append("\"");
  return line;
}

std::vector<std::string> AwkPathFolders(std::string_view value) {
  std::vector<std::string> folders;
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find(';', start);
    if (end == std::string_view::npos) end = value.size();
    std::string_view folder = TrimBytes(value.substr(start, end - start));
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
      folder = TrimBytes(folder.substr(1, folder.size() - 2));
    if (!folder.empty()) folders.emplace_back(folder);
    start = end + 1;
  }
  return folders;
}

std::vector<std::string> ScriptNames(std::string_view batText) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < batText.size()) {
    std::size_t end = batText.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = batText.size();
    AddNamesOfLine(batText.substr(start, end - start), names);
    start = end + (batText.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  std::sort(names.begin(), names.end(), ScriptNameLess);
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

std::string FolderOf(std::string_view path) {
  std::string folder(path.substr(0, path.size() - FileNamePart(path).size()));
  const bool root = folder == "\\" || (folder.size() == 3 && folder[1] == ':');
  if (!root && !folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace zorbi
