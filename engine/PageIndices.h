#pragma once
// Page-table places that code outside the pages refers to.

// The battle page's index in the page table.
constexpr int BATTLE_PAGE_INDEX = 3;
