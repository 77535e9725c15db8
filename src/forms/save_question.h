// A write that failed on the way out: the user is told and asked whether to
// close without that file.
#pragma once

#include <string>

#include "platform/services.h"

namespace zorbi {

// True to go on closing. Always a way out: a folder or disk that refuses
// every write must not keep the window, and the host waiting behind it, open
// for ever.
bool AskCloseWithoutSaving(MessageBoxes& messages, const std::string& path,
                           const std::string& error);

}  // namespace zorbi
