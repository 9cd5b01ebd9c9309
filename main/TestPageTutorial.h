#pragma once
// The tutorial effect of the battle, made for the test page.
#include "frontend/PageTest.h"

CTestPageTutorial* MakeTestPageTutorial();
