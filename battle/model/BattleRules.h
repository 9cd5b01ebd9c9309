#pragma once
// The rules' own way into a battle's state. Only the model, the units and the
// test tooling include this; the page reads the state through
// CBattleModel::State() and changes it with the model's acts and commands.
#include "battle/model/BattleModel.h"

class BattleRules {
public:
    static BattleData& Of(CBattleModel& model) { return model; }
    static const BattleData& Of(const CBattleModel& model) { return model; }
};

inline BattleData& RuleState(CBattleModel& model) { return BattleRules::Of(model); }
inline const BattleData& RuleState(const CBattleModel& model) { return BattleRules::Of(model); }
