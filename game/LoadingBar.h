#pragma once
// The loading bar shown while the game leaves its logo page.

constexpr int LOADING_PROGRESS_FULL = 300;

// Bar fill for a loading fraction: fast to 0.691 over the first tenth, a slow
// crawl to 0.8305 until nine tenths, then the rest to 0.97.
float LoadingBarFill(float fraction);
// The progress one loading-screen frame later.
int NextLoadingProgress(int progress, bool pageReady);
