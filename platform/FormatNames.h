#pragma once
// Names of display formats and multisample types for the statistics text and
// the settings dialog.
#include <cstdint>
#include <string>

std::u16string D3DFormatName(uint32_t format, bool withPrefix);
std::u16string MultisampleTypeName(uint32_t type);
std::string WideToUtf8(const std::u16string& text);
std::u16string Utf8ToWide(const std::string& text);
