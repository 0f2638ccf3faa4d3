#pragma once

// The creation wizard: a name, then race, alignment and sex, the bonus
// points spread over the six attributes, a class those attributes allow, and
// the player's last word before the character joins the roster. There is no
// way back but the last question's "いいえ".

namespace qvr {

class Game;

// fraMaking (the steps and the last question), fraBounas (the distribution)
// and fraClass (the classes the distribution allows), all hidden.
void BuildCreationPanels(Game& game);

// The training grounds' "C" row.
void CreateCharacter(Game& game);

} // namespace qvr
