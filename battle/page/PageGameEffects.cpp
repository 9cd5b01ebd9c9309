// The battle's effect objects: built once per battle, in the order of the
// overlays, and deleted again when the battle is left.
#include "battle/page/PageGame.h"

#include "battle/effects/Effect_CardFull.h"
#include "battle/effects/Effect_CopterEnemyFadeOut.h"
#include "battle/effects/Effect_Cross.h"
#include "battle/effects/Effect_DestroyerHand.h"
#include "battle/effects/Effect_Fish.h"
#include "battle/effects/Effect_Flower.h"
#include "battle/effects/Effect_FontInstruction.h"
#include "battle/effects/Effect_GreenBall.h"
#include "battle/effects/Effect_HeartDecreased.h"
#include "battle/effects/Effect_HowToMiniGame.h"
#include "battle/effects/Effect_HowToPlay.h"
#include "battle/effects/Effect_ItemAmount.h"
#include "battle/effects/Effect_ItemFadeDisappear.h"
#include "battle/effects/Effect_ItemTransToInterface.h"
#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_Meteor.h"
#include "battle/effects/Effect_MeteorEnemy.h"
#include "battle/effects/Effect_NewAchievementInGame.h"
#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "battle/effects/Effect_Oxygen.h"
#include "battle/effects/Effect_Paratrooper.h"
#include "battle/effects/Effect_Remover.h"
#include "battle/effects/Effect_Reward.h"
#include "battle/effects/Effect_RobotJumpOut.h"
#include "battle/effects/Effect_SandWind.h"
#include "battle/effects/Effect_SmokeLowHP.h"
#include "battle/effects/Effect_Snow.h"
#include "battle/effects/Effect_Spike.h"
#include "battle/effects/Effect_Summary.h"
#include "battle/effects/Effect_TextBegin.h"
#include "battle/effects/Effect_TextEnd.h"
#include "battle/effects/Effect_TextMiss.h"
#include "battle/effects/Effect_TextStage.h"
#include "battle/effects/Effect_TextWave.h"
#include "battle/effects/Effect_Tutorials.h"
#include "battle/effects/Effect_Unlocked.h"
#include "game/Effect_ScaleAndDiffuseOut.h"

#include <initializer_list>

namespace {

template <class T>
void DeleteEffect(T*& effect) {
    delete effect;
    effect = nullptr;
}

// The effects draw what they see of the battle through the page's view; those
// that show the battle's own records (flights, hands, the tutorial's steps)
// read them from the model.
void HandBattleToEffects(CPageGame& page) {
    BattleView* view = &page;
    const CBattleModel* battle = &page.m_Battle;
    for (BattleViewer* viewer : std::initializer_list<BattleViewer*>{
             page.m_pEffectTextBegin, page.m_pEffectNewEnemy, page.m_pEffectNewRobot, page.m_pEffectUnlocked,
             page.m_pEffectSummary, page.m_pEffectItemTransToInterface, page.m_pEffectItemFadeDisappear,
             page.m_pEffectSpike, page.m_pEffectRemover, page.m_pEffectReward, page.m_pEffectHeartDecreased,
             page.m_pEffectGreenBall, page.m_pEffectSandWind, page.m_pEffectSnow, page.m_pEffectFlower,
             page.m_pEffectFish, page.m_pEffectFontInstruction})
        viewer->SeeBattle(view);
    for (BattleReader* reader : std::initializer_list<BattleReader*>{
             page.m_pEffectItemTransToInterface, page.m_pEffectItemFadeDisappear, page.m_pEffectParatrooper,
             page.m_pEffectMeteorEnemy, page.m_pEffectDestroyerHand, page.m_pEffectRobotJumpOut,
             page.m_pEffectTutorials})
        reader->ReadBattle(battle);
    page.m_pEffectTutorials->ShowSteps(&battle->State().m_Tutorial);
}

}  // namespace

void CPageGame::LoadEffects() {
    ReleaseEffects();
    m_pEffectTextStage = new CEffect_TextStage();
    m_pEffectNewEnemy = new CEffect_NewEnemy();
    m_pEffectNewRobot = new CEffect_NewRobot();
    m_pEffectUnlocked = new CEffect_Unlocked();
    m_pEffectTextBegin = new CEffect_TextBegin();
    m_pEffectTextEnd = new CEffect_TextEnd();
    m_pEffectSummary = new CEffect_Summary();
    m_pEffectTutorials = new CEffect_Tutorials();
    m_pEffectHowToPlay = new CEffect_HowToPlay();
    m_pEffectMapStory = new CEffect_MapStory();
    m_pEffectCardFull = new CEffect_CardFull();
    m_pEffectItemTransToInterface = new CEffect_ItemTransToInterface();
    m_pEffectItemFadeDisappear = new CEffect_ItemFadeDisappear();
    m_pEffectItemAmount = new CEffect_ItemAmount();
    m_pEffectSmokeLowHP = new CEffect_SmokeLowHP();
    m_pEffectTextMiss = new CEffect_TextMiss();
    m_pEffectCross = new CEffect_Cross();
    m_pEffectSpike = new CEffect_Spike();
    m_pEffectRemover = new CEffect_Remover();
    m_pEffectParatrooper = new CEffect_Paratrooper();
    m_pEffectCopterEnemyFadeOut = new CEffect_CopterEnemyFadeOut();
    m_pEffectReward = new CEffect_Reward();
    m_pEffectTextWave = new CEffect_TextWave();
    m_pEffectHeartDecreased = new CEffect_HeartDecreased();
    m_pEffectNewAchievementInGame = new CEffect_NewAchievementInGame();
    m_pEffectOxygen = new CEffect_Oxygen();
    m_pEffectGreenBall = new CEffect_GreenBall();
    m_pEffectSandWind = new CEffect_SandWind();
    m_pEffectSnow = new CEffect_Snow();
    m_pEffectFlower = new CEffect_Flower();
    m_pEffectFish = new CEffect_Fish();
    m_pEffectMeteor = new CEffect_Meteor();
    m_pEffectMeteorEnemy = new CEffect_MeteorEnemy(m_pEffectMeteor);
    m_pEffectDestroyerHand = new CEffect_DestroyerHand();
    m_pEffectRobotJumpOut = new CEffect_RobotJumpOut();
    m_pEffectScaleAndDiffuseOut = new CEffect_ScaleAndDiffuseOut();
    m_pEffectFontInstruction = new CEffect_FontInstruction();
    // The discovery boards start closed; the destroyer's hands behind the robots.
    m_pEffectNewEnemy->m_nPoolSize = 1;
    m_pEffectNewEnemy->m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    m_pEffectNewEnemy->Clear(0);
    m_pEffectNewRobot->m_nPoolSize = 1;
    m_pEffectNewRobot->m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    m_pEffectNewRobot->Clear(0);
    m_pEffectDestroyerHand->m_iLayer = 0;
    HandBattleToEffects(*this);
}

void CPageGame::ReleaseEffects() {
    DeleteEffect(m_pEffectTextStage);
    DeleteEffect(m_pEffectNewEnemy);
    DeleteEffect(m_pEffectNewRobot);
    DeleteEffect(m_pEffectUnlocked);
    DeleteEffect(m_pEffectTextBegin);
    DeleteEffect(m_pEffectTextEnd);
    DeleteEffect(m_pEffectSummary);
    DeleteEffect(m_pEffectTutorials);
    DeleteEffect(m_pEffectHowToPlay);
    DeleteEffect(m_pEffectMapStory);
    DeleteEffect(m_pEffectCardFull);
    DeleteEffect(m_pEffectItemTransToInterface);
    DeleteEffect(m_pEffectItemFadeDisappear);
    DeleteEffect(m_pEffectItemAmount);
    DeleteEffect(m_pEffectSmokeLowHP);
    DeleteEffect(m_pEffectTextMiss);
    DeleteEffect(m_pEffectCross);
    DeleteEffect(m_pEffectSpike);
    DeleteEffect(m_pEffectRemover);
    DeleteEffect(m_pEffectParatrooper);
    DeleteEffect(m_pEffectCopterEnemyFadeOut);
    DeleteEffect(m_pEffectReward);
    DeleteEffect(m_pEffectTextWave);
    DeleteEffect(m_pEffectHeartDecreased);
    DeleteEffect(m_pEffectNewAchievementInGame);
    DeleteEffect(m_pEffectOxygen);
    DeleteEffect(m_pEffectGreenBall);
    DeleteEffect(m_pEffectSandWind);
    DeleteEffect(m_pEffectSnow);
    DeleteEffect(m_pEffectFlower);
    DeleteEffect(m_pEffectFish);
    DeleteEffect(m_pEffectMeteor);
    DeleteEffect(m_pEffectMeteorEnemy);
    DeleteEffect(m_pEffectDestroyerHand);
    DeleteEffect(m_pEffectRobotJumpOut);
    DeleteEffect(m_pEffectScaleAndDiffuseOut);
    DeleteEffect(m_pEffectFontInstruction);
    DeleteEffect(m_pEffectHowToMiniGame);
}
