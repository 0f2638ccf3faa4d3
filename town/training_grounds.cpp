#include "town/training_grounds.h"

namespace qvr {

// Being written: the menu, character creation and class change.
void BuildTrainingPanels(Game&) {}
void OpenTrainingGrounds(Game&) {}

} // namespace qvr
