#pragma once
// Plain files on disk under the game's resource names: '\' separators and
// any letter case, as the archive lookup accepts them.
#include <cstdio>
#include <string>

// The path on disk that the name refers to, or "" when nothing matches.
// A component is matched exactly first, then ignoring ASCII letter case.
std::string ResolveLoosePath(const std::string& name);

// fopen on the resolved path; null when there is no such file.
std::FILE* OpenLooseFile(const std::string& name, const char* mode);
