// The extended-length form of a Windows path ("\\?\C:\...", "\\?\UNC\server\share\..."),
// which lifts the 260-character limit. In that form the system takes the path
// literally, so it must already be what the usual parsing would have made of it.
#pragma once

#include <string>
#include <string_view>

namespace zorbi {

// `path` (CP932) in the extended-length form when it is a drive or UNC path:
// '/' becomes '\', empty and "." parts go, ".." takes back one part but never
// the drive or share. Relative paths, paths already in a "\\?\" or "\\.\"
// form and paths with a part ending in a dot or a blank (which the usual
// parsing would trim) come back unchanged.
std::string ExtendedLengthPath(std::string_view path);

}  // namespace zorbi
