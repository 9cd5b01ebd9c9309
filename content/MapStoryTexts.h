#pragma once
// The chapters of the story told on the first stage of each area.

// index = (episode - 1) * 5 + area - 1, 0 to 14; "" for any other index.
const char* GetMapStoryText(int index);
