#pragma once
// The story page's caption texts: one to three lines each, split at line feeds.

constexpr int STORY_EPISODES = 3;
constexpr int STORY_CAPTIONS = 8;

// Caption 1 to 8 of the episode's intro or ending; null for any other
// episode or caption number (nothing is drawn then).
const char* IntroCaption(int episode, int caption);
const char* EndingCaption(int episode, int caption);
