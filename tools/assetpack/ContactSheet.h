#pragma once
// Overview sheets for review: pictures shrunk into labelled cells.
#include "tools/assetpack/Canvas.h"

// The picture shrunk (area-averaged, aspect kept) into a box x box cell at
// (x, y), centred, over a checkerboard where it is see-through.
void PasteThumbnail(Canvas& sheet, const Canvas& pic, int x, int y, int box);
