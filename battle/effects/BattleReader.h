#pragma once
// An effect that shows records the battle keeps (flights, hands, boards)
// reads them from the model and changes nothing there: the rules move them.
class CBattleModel;

class BattleReader {
public:
    void ReadBattle(const CBattleModel* battle) { m_pBattle = battle; }

protected:
    const CBattleModel* m_pBattle = nullptr;
};
