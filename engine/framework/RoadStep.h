#pragma once
// The game's side of one frame of the render road, shared by the window's
// road and the headless stage runner so that both step the game alike: the
// tick, the input, the scene (or the overlays over a still), the still's
// capture and the screen shake's random draws. The window puts its device
// passes between these steps; a headless run calls RunRoadFrameHeadless.
class CVxXApplication;

// Counts the frame or carries out a pending switch. True when this frame only
// shows the loading screen (a switch was or still is pending).
bool RoadStartFrame(CVxXApplication& app);
// The screen dim of the black-screen fade (true when it changed the dim) and
// the input of the frame.
bool RoadPrepareScene(CVxXApplication& app);
// The page's frame, or only the overlays while a still is shown.
void RoadRunScene(CVxXApplication& app);
// After a capture the still shows from the next frame on.
void RoadFinishStill(CVxXApplication& app);
// One step of the screen shake: the offset of this frame's picture (two
// random draws, x first, while it shakes) and the amplitude falling by one.
void RoadShakeStep(float& dx, float& dy);

// All of the above without a device.
void RunRoadFrameHeadless(CVxXApplication& app);
