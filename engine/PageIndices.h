#pragma once
// The page table's places, in the order the pages are built.

constexpr int LOGO_PAGE_INDEX = 0;
constexpr int MENU_PAGE_INDEX = 1;
constexpr int STORY_PAGE_INDEX = 2;
constexpr int BATTLE_PAGE_INDEX = 3;
constexpr int TEST_PAGE_INDEX = 4;
