#include "town/astrology_office.h"

namespace qvr {

// Being written: the panel and its rankings.
void BuildAstrologyPanels(Game&) {}
void OpenAstrologyOffice(Game&) {}

} // namespace qvr
