#include "engine/VxNumber.h"

#include "engine/VxBillboard.h"
#include "engine/VxTexture.h"
#include "platform/host/MessageBox.h"

CVxNumber::CVxNumber() {
    CVxObject::Reset();
    m_iOwnerId = OWNER_NONE;
    for (CVxBillboard*& board : m_apDigitBoards) {
        board = new CVxBillboard(nullptr, nullptr, nullptr);
        board->SetAlphaBlend(true);
    }
}

CVxNumber::~CVxNumber() { CVxNumber::Release(); }

void CVxNumber::Release() {
    for (CVxBillboard*& board : m_apDigitBoards) {
        delete board;
        board = nullptr;
    }
    for (int i = 0; i < 10; ++i) {
        if (!m_abTextureShared[i]) delete m_apDigitTextures[i];
        m_apDigitTextures[i] = nullptr;
        m_abTextureShared[i] = false;
    }
    FreeNames();
    ResetResource();
}

bool CVxNumber::Load(const char* name, const char* folder) { return CVxResource::Load(name, folder); }

void CVxNumber::LoadDigitTexture(const char* name, int columns, int rows, const char* folder) {
    CVxResource::Load(name, folder);
    if (m_apDigitTextures[0]) {
        host::ShowMessageBox("CGraphic_UI_Number Error !!", "Loading Share Texture Error !!", host::MB_OK);
        return;
    }
    m_apDigitTextures[0] = new CVxTexture(name, folder);
    m_aSheetGrid[0].cols = columns;
    m_aSheetGrid[0].rows = rows;
}

bool CVxNumber::DigitRect(int digit, int cols, int rows, float rect[4]) {
    if (cols == 1 && rows == 1) return false;
    if (cols == 1) {
        // Ten digits side by side.
        rect[0] = float(digit) * 0.1f;
        rect[1] = 0.0f;
        rect[2] = 0.1f;
        rect[3] = 1.0f;
        return true;
    }
    if (cols < 1 || rows < 1) return false;
    rect[0] = float(digit % cols) / float(cols);
    rect[1] = float(digit / cols) / float(rows);
    rect[2] = 1.0f / float(cols);
    rect[3] = 1.0f / float(rows);
    return true;
}

void CVxNumber::DrawDigit(int digit, float offsetX) {
    if (digit < 0 || digit > 9 || !m_apDigitBoards[digit]) return;
    CVxBillboard* board = m_apDigitBoards[digit];
    CopyObjectLook(*this, *board);
    board->SetAlphaBlend(true);
    int sheet = m_aiDigitSheet[digit];
    if (sheet < 0 || sheet > 9) sheet = 0;
    float rect[4];
    if (DigitRect(digit, m_aSheetGrid[sheet].cols, m_aSheetGrid[sheet].rows, rect))
        board->SetTextureRect(rect[0], rect[1], rect[2], rect[3]);
    if (m_apDigitTextures[sheet]) board->ShareTexture(m_apDigitTextures[sheet]);
    board->SetPosition(m_vPosition.x + offsetX, m_vPosition.y, m_vPosition.z);
    board->SetSize(m_vSize.x, m_vSize.y, 1.0f);
    board->UpdateWorldMatrix();
    board->Render();
}

void CVxNumber::Draw(int value) {
    if (value < 0) return;
    int n = 0;
    for (int rest = value / 10; rest != 0; rest /= 10) ++n;
    if (n < m_nMinDigits - 1) n = m_nMinDigits - 1;
    int start = 0;
    if (m_iAlign == 0) start = int(m_fSpacing * float(n) * 0.5f);
    else if (m_iAlign < 0) start = int(m_fSpacing * float(n));
    int rest = value;
    for (int k = 0; rest != 0 || k < m_nMinDigits; ++k) {
        const int digit = rest % 10;
        rest /= 10;
        DrawDigit(digit, float(int(float(start) - m_fSpacing * float(k))));
    }
}
