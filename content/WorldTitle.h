#pragma once
// Titles of the fifteen worlds: the five map areas of the first episode and
// the chapter titles of the two later ones.

// "-" for any index outside 0 to 14.
const char* GetWorldTitle(int index);
