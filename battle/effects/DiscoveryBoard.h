#pragma once
// Steps the new-Machine and new-robot boards share: the slide, the rays
// behind the content and the close rule of their OK button.
#include "engine/VxMatrix.h"
#include "game/PopupDrawing.h"

class CVxBillboard;
class CVxButton;
class CGameApplication;

constexpr int DISCOVERY_SLIDE_START = 675;
constexpr int DISCOVERY_SLIDE_STEP = 25;
constexpr int DISCOVERY_REST_Y = 40;
// Render-target slot that keeps a discovery board's content.
constexpr int DISCOVERY_CONTENT_SLOT = 0;

// y of a board of kind 0 (sliding in, resting) or 1 (sliding out) at age.
float DiscoverySlideY(int kind, int age);

// The rays turning behind the content, stretched into an oval.
void DrawDiscoveryRays(CGameApplication& app, CVxBillboard* rays, const VxVec3& at);

// OK clicked or Enter released on device 0 (the key is used up).
bool TakeBoardClose(CVxButton* ok);
