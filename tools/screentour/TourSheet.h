#pragma once
// The tour's contact sheet: every shot shrunk into one labelled overview.
#include <string>
#include <vector>

// Reads <folder>/<shot>.png for each shot, in order, and writes the sheet.
bool WriteContactSheet(const std::string& folder, const std::vector<std::string>& shots, const std::string& path);
