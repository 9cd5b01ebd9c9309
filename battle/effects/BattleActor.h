#pragma once
// An effect that acts on the battle as well as drawing it (makes, crushes or
// grabs units, pays out what it carries) keeps the model it acts on.
class CBattleModel;

class BattleActor {
public:
    void ActOn(CBattleModel* battle) { m_pBattle = battle; }

protected:
    CBattleModel* m_pBattle = nullptr;
};
