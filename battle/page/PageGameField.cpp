// Field pick-ups, item drops and the field-effect list of the battle page,
// and the part of its input that reaches them.
#include <cmath>

#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_Paratrooper.h"
#include "battle/effects/Effect_Reward.h"
#include "battle/effects/Effect_Summary.h"
#include "battle/effects/Effect_Unlocked.h"
#include "battle/model/ItemFlights.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameItem.h"
#include "engine/InputRecord.h"
#include "platform/Random.h"
#include "engine/VxSound.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "game/GameApplication.h"
#include "content/UnitIds.h"

// The pop-ups take every click first, in their fixed order; the hand and
// the field get what they leave.
int CPageGame::HandleScreenInput(int subScreen) {
    if (subScreen == 0) HandleBattleInput();
    if (subScreen == 1) HandleRobopediaInput();
    return 0;
}
