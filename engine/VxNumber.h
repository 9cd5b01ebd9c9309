#pragma once
// Draws a non-negative integer digit by digit from a sheet of digit pictures
// (energy, metal parts, stage numbers, timers). Its own position, size,
// colours and render states are copied onto each digit.
#include <cstdint>

#include "engine/VxObject.h"
#include "engine/VxResource.h"

class CVxBillboard;
class CVxTexture;

struct DigitSheetGrid {
    int32_t cols = 1;
    int32_t rows = 1;
};

class CVxNumber : public CVxObject, public CVxResource {
public:
    CVxNumber();
    ~CVxNumber() override;
    CVxNumber(const CVxNumber&) = delete;
    CVxNumber& operator=(const CVxNumber&) = delete;

    // Loads the first sheet; a second call shows an error and keeps the first.
    void LoadDigitTexture(const char* name, int columns, int rows, const char* folder);
    void DrawDigit(int digit, float offsetX);
    // Nothing for a negative value; 0 draws m_nMinDigits zeros.
    void Draw(int value);

    void ResetResource() override {}
    void Release() override;
    bool IsEmpty() override { return true; }
    bool Load(const char* name, const char* folder) override;

    // The texture rectangle of digit d on a sheet of cols × rows cells
    // (u, v, width, height); false for a one-cell sheet (the whole picture).
    static bool DigitRect(int digit, int cols, int rows, float rect[4]);

    CVxBillboard* m_apDigitBoards[10] = {};
    CVxTexture* m_apDigitTextures[10] = {};
    bool m_abTextureShared[10] = {};
    DigitSheetGrid m_aSheetGrid[10];
    int32_t m_aiDigitSheet[10] = {};
    float m_fSpacing = 20.0f;
    int32_t m_iAlign = -1;  // < 0 first digit at the position, 0 centred, > 0 last digit at it
    int32_t m_nMinDigits = 1;
};
