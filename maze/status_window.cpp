#include "maze/status_window.h"

namespace qvr {

// Being written: the window's model and its commands.
void ShowStatus(Game&, int, StatusMode) {}

} // namespace qvr
