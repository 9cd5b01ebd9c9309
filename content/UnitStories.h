#pragma once
// The encyclopedia stories, split by side; GetUnitStory picks between them.

// Robot ids 0 to 39; null otherwise.
const char* GetRobotStory(int robotId);
// Machine types 1000 to 1032; null otherwise.
const char* GetMachineStory(int type);
