#pragma once
// Small helpers for the content tests: reading the reference rows and
// installing a game link for the duration of a test.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "content/GameLink.h"

namespace content_test {

inline std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t");
    size_t b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// The typographic minus and the multiplication sign as plain ASCII.
inline std::string Plain(std::string s) {
    const std::string minus = "\xE2\x88\x92";
    const std::string times = "\xC3\x97";
    for (size_t p; (p = s.find(minus)) != std::string::npos;) s.replace(p, minus.size(), "-");
    for (size_t p; (p = s.find(times)) != std::string::npos;) s.replace(p, times.size(), "x");
    return s;
}

inline std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::string cur;
    std::istringstream in(s);
    while (std::getline(in, cur, sep)) out.push_back(Trim(cur));
    return out;
}

// Cells of every "| a | b | ... |" line of a block, leading and trailing bars removed.
inline std::vector<std::vector<std::string>> TableRows(const char* block) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(Plain(block));
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.size() < 2 || line.front() != '|') continue;
        std::vector<std::string> cells = Split(line.substr(1, line.size() - 2), '|');
        rows.push_back(cells);
    }
    return rows;
}

inline double Num(const std::string& s) { return s.empty() ? 0.0 : std::stod(s); }

// Installs a fixed link while alive and restores the default afterwards.
class ScopedLink {
public:
    ScopedLink() { SetContentLink(&link); }
    ~ScopedLink() { SetContentLink(nullptr); }
    ScopedLink(const ScopedLink&) = delete;
    ScopedLink& operator=(const ScopedLink&) = delete;

    void Battle(int stage) {
        link.m_iCurrentPage = BATTLE_PAGE_INDEX;
        link.m_bSwitchPending = false;
        link.m_iCurrentStage = stage;
    }
    void SwitchingToBattle(int stage) {
        link.m_iCurrentPage = -1;
        link.m_bSwitchPending = true;
        link.m_iPendingPage = BATTLE_PAGE_INDEX;
        link.m_iCurrentStage = stage;
    }
    void Menu(int stage) {
        link.m_iCurrentPage = 1;
        link.m_bSwitchPending = false;
        link.m_iCurrentStage = stage;
    }

    CFixedContentLink link;
};

}  // namespace content_test
