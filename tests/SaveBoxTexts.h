#pragma once
// What the game's boxes say about its save data, as the player reads them.
// The tests keep their own copy rather than the game's strings: a test that
// read those could not catch a wrong word.
#include <string>

inline const std::string kCorrupted = "The save file can not be used because the data is corrupted.";
inline const std::string kLost = "The save file can not be used because the data is lost.";
inline const std::string kCreate = "Do you want to create new save data?";
inline const std::string kRecovery = "Do you want to recovery save data from back up system?";
inline const std::string kClosed = "The program will be closed.";
inline const std::string kNotKept = "No save is being kept";
