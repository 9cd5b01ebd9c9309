#pragma once
// A whole open stream read into a VxFile: NUL after the data, read position 0.
#include <cstdio>

#include "platform/ResourceArchive.h"

// Closes the stream either way. Null for a null stream, one whose length
// cannot be read, or a short read.
VxFile* ReadWholeFile(std::FILE* stream);
