// Any bytes as the `Editor` setting, the AWKPATH value, a BAT file's text and
// a path:
// - an editor value that is taken has a program without quotes, and the
//   command line made from it takes apart into the same program and
//   arguments;
// - AWKPATH folders hold no ';' and are never empty;
// - script names are each listed once, name an .awk file (or were cut to the
//   longest name), and are never cut inside a double-byte character;
// - the folder of a path is the start of the path.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "text/editor_launch.h"
#include "text/sjis.h"

using namespace zorbi;

namespace {

bool HasAwk(std::string name) {
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return name.find(".awk") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  if (const std::optional<EditorProgram> editor = ParseEditor(bytes)) {
    if (editor->Program.empty() || editor->Program.find('"') != std::string::npos) std::abort();
    const std::optional<EditorProgram> again = ParseEditor(EditorCommandLine(*editor, ""));
    if (!again || again->Program != editor->Program || again->Arguments != editor->Arguments)
      std::abort();
  }

  for (const std::string& folder : AwkPathFolders(bytes))
    if (folder.empty() || folder.find(';') != std::string::npos) std::abort();

  const std::vector<std::string> names = ScriptNames(bytes);
  if (std::set<std::string>(names.begin(), names.end()).size() != names.size()) std::abort();
  const bool sjis = FirstNonSjisByte(bytes) == std::string::npos;
  for (const std::string& name : names) {
    if (!HasAwk(name) && name.size() > 255) std::abort();
    if (sjis && FirstNonSjisByte(name) != std::string::npos) std::abort();
  }

  if (bytes.rfind(FolderOf(bytes), 0) != 0) std::abort();
  return 0;
}
