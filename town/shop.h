#pragma once

// The shop fraShop: one member at a time buys from the shop's stock, sells
// to it, has curses lifted and items identified, or takes the party's gold.

namespace qvr {

class Game;

// The shop's menu, its kinds of ware, its item list and its use of the
// party list.
void BuildShopPanels(Game& game);
// The castle town's door: with a party, the party list asks who comes in.
void OpenShop(Game& game);

} // namespace qvr
