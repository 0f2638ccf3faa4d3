#pragma once

// Why the system refused a file operation, in the player's language: the
// C library's own texts are English whatever the desktop speaks.

#include <string>

namespace qvr {

// The reason for an errno value, e.g. ENOSPC -> "ディスクの空きがありません";
// a value without a text of its own gives its number.
std::string OsErrorText(int err);

} // namespace qvr
