#pragma once

// The keyboard as the game knows it: letters, digits and the handful of
// named keys its menus and maze use. Everything else is Key::None and goes
// nowhere.

#include <Qt>

#include "core/keys.h"

namespace qvr {

Key MapQtKey(int qtKey);

} // namespace qvr
