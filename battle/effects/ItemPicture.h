#pragma once
// The picture an item of a kind is drawn with while it flies to the panel or
// fades where it was taken: energy and parts, a capsule's card, an unlock.
class CBattleModel;
class BattleView;
class CVxBillboard;

// Null when the kind has none (or its card or unlock is not known here).
CVxBillboard* ItemPicture(int kind, const CBattleModel* battle, const BattleView* view);
