// The editor's command lines and the AWK scripts a BAT file runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorbi {

// The editor on a file: each path in double quotes, one space between.
std::string EditorCommandLine(std::string_view editor, std::string_view file);

// The editor alone. A path with a space is quoted, or Windows would try its
// first word as a program ("C:\Program.exe"); a line the user quoted stays.
std::string EditorAloneCommandLine(std::string_view editor);

// The script names on the BAT file's lines that hold ".awk " (case-blind),
// taken from words holding ".awk" with a leading "-f" dropped; sorted as
// the user sees names ordered (case-blind first, then lower case before
// upper), an exact repeat listed once.
std::vector<std::string> ScriptNames(std::string_view batText);

// The folder of a path without the backslash before the name; a root such
// as "C:\" or "\" keeps its backslash.
std::string FolderOf(std::string_view path);

}  // namespace zorbi
