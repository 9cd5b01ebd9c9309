// The behaviours that the roles, abilities and special Machines bring: the
// state machine calls them at their places already. Until those behaviours
// are written they leave the unit as it is, so a unit of any role walks,
// stands, takes damage and dies, but does not look for targets, produce,
// carry, guard or run a timer, and the special Machines move as plain ones.
#include "battle/units/GameRobot.h"

// Roles. A shooter counts its action timer up to its interval (a Machine
// that has just attacked walks on once its timer is past its attack); the
// target scan and the attack decision are not written yet.
void CCom_GameRobot::UpdateAttack() {
    if (m_iLifeFrames != -1 || m_iState == ROBOT_DYING) return;
    if (m_iActionTimer < m_Unit.m_iActionInterval) ++m_iActionTimer;
}
void CCom_GameRobot::UpdateProducer() {}
void CCom_GameRobot::UpdateGuard() {}
void CCom_GameRobot::UpdatePlatform() {}
void CCom_GameRobot::UpdateCarrier() {}
void CCom_GameRobot::UpdateTimer() {}
void CCom_GameRobot::StrikeArea() {}

// Abilities, production and the item drop.
void CCom_GameRobot::RunAreaAbility() {}
void CCom_GameRobot::RecycleMachine() {}
void CCom_GameRobot::PickCardTarget() {}
void CCom_GameRobot::ProduceItems() {}
void CCom_GameRobot::RollItemDrop() {}

// Special Machines: the Time Bomb's count, the Destroyers, the Jumper's hops
// and the Ultra Cycler's jumps.
void CCom_GameRobot::UpdateTimeBomb() {}
void CCom_GameRobot::UpdateDestroyer() {}
void CCom_GameRobot::StopBossHands() {}
void CCom_GameRobot::FireBossVolley() {}
void CCom_GameRobot::UpdateJumperMotion() {}
void CCom_GameRobot::UpdateCyclerJump() {}
