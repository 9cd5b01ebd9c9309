#pragma once
// The tour's contact sheet: every shot shrunk into one labelled overview.
#include <cstdint>
#include <string>
#include <vector>

// Reads <folder>/<shot>.png for each shot, in order, and writes the sheet.
bool WriteContactSheet(const std::string& folder, const std::vector<std::string>& shots, const std::string& path);

// Writes the part of a shot (RGBA rows, top first) from (x, y), w by h,
// enlarged `scale` times pixel for pixel: a close look at a small sight.
bool WriteCloseUp(const std::vector<uint8_t>& rgba, int width, int height, int x, int y, int w, int h, int scale,
                  const std::string& path);
