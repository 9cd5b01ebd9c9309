#pragma once
// File access for the unzip core that reads the archive in blocks and serves
// its many small reads (a byte at a time through the directory) from the
// block in memory: opening the game's archive read each entry's records with
// a seek and a read of the system each, a twentieth of a second at start-up.
#include <unzip.h>

// Functions for unzOpen2_64; the path is a UTF-8 file name.
zlib_filefunc64_def ZipBlockFileFunctions();
