#include "engine/VxObject.h"

#include <cmath>

CVxObject::CVxObject() { Reset(); }

CVxObject::CVxObject(const CVxObject& other) { *this = other; }

CVxObject& CVxObject::operator=(const CVxObject& other) {
    if (this == &other) return *this;
    CopyObjectState(other, *this);
    m_bPointSampling = other.m_bPointSampling;
    CVxObject* copy = other.m_pSavedState ? new CVxObject(*other.m_pSavedState) : nullptr;
    delete m_pSavedState;
    m_pSavedState = copy;
    return *this;
}

CVxObject::~CVxObject() {
    delete m_pSavedState;
    m_pSavedState = nullptr;
}

void CVxObject::Reset() {
    m_iKind = OBJECT_KIND_PLAIN;
    m_vPosition = {0.0f, 0.0f, 0.0f};
    m_vRotation = {0.0f, 0.0f, 0.0f};
    m_vSize = {100.0f, 100.0f, 100.0f};
    m_vScale = {1.0f, 1.0f, 1.0f};
    m_iRotationOrder = ROTATION_ZYX;
    m_matWorld = VxMatrix();
    m_matTranslation = VxMatrix();
    m_matRotation = VxMatrix();
    m_matScaling = VxMatrix();
    m_colDiffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    m_colAmbient = {1.0f, 1.0f, 1.0f, 1.0f};
    m_colSpecular = {1.0f, 1.0f, 1.0f, 1.0f};
    m_colEmissive = {1.0f, 1.0f, 1.0f, 1.0f};
    m_fAuxValue = 0.0f;
    m_iTextureOp = 0;
    m_bPointSampling = 0;
    m_iBlendMode = BLEND_ALPHA;
    m_bAlphaBlend = false;
    m_iAlphaRef = 10;
    m_bZTest = false;
    m_bZWrite = false;
    m_iCullMode = CULL_CCW;
    m_bFog = false;
    // The snapshot is owned; forgetting it here would leak it.
    delete m_pSavedState;
    m_pSavedState = nullptr;
}

void CVxObject::SetRotationOrder(int order) { m_iRotationOrder = order; }
void CVxObject::SetScale(float x, float y, float z) { m_vScale = {x, y, z}; }
void CVxObject::SetPositionV(const VxVec3& v) { m_vPosition = v; }
void CVxObject::SetPosition(float x, float y, float z) { m_vPosition = {x, y, z}; }
void CVxObject::SetRotationV(const VxVec3& v) { m_vRotation = v; }
void CVxObject::SetRotation(float x, float y, float z) { m_vRotation = {x, y, z}; }
void CVxObject::SetRotationX(float a) { m_vRotation = {a, 0.0f, 0.0f}; }
void CVxObject::SetRotationY(float a) { m_vRotation = {0.0f, a, 0.0f}; }
void CVxObject::SetRotationZ(float a) { m_vRotation = {0.0f, 0.0f, a}; }
void CVxObject::SetSizeV(const VxVec3& v) { m_vSize = v; }
void CVxObject::SetSizeUniform(float s) { m_vSize = {s, s, s}; }
void CVxObject::SetSize(float x, float y, float z) { m_vSize = {x, y, z}; }
void CVxObject::SetSize2D(float s) { SetSize(s, s, 1.0f); }
void CVxObject::ScaleSizeUniform(float s) { ScaleSize2D(s, s); }
void CVxObject::ScaleSize2D(float fx, float fy) { SetSize(m_vSize.x * fx, m_vSize.y * fy, 1.0f); }

void CVxObject::SetRotationDegrees(float x, float y, float z) {
    m_vRotation = {x * VX_DEG_TO_RAD, y * VX_DEG_TO_RAD, z * VX_DEG_TO_RAD};
}

void CVxObject::UpdateWorldMatrix() { ComposeRST(); }
void CVxObject::Render() {}

namespace {
// Adding +0 turns -0 into +0 and leaves every other value alone: a product
// with an identity's zeros does the same to the entries it copies.
float PlusZero(float v) { return v + 0.0f; }

bool Finite(const VxVec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Nearly everything drawn turns in the plane alone. The turns about x and y are
// then identities, and the product of the three is the turn about z with its
// zeros made positive: building that directly gives the same bits for a
// fraction of the work, which the drawing of every frame spends.
bool TurnsInPlane(const VxVec3& r, int order) {
    return r.x == 0.0f && r.y == 0.0f && std::isfinite(r.z) && order >= ROTATION_ZYX && order <= ROTATION_YXZ;
}

VxMatrix PlaneTurn(float angle) {
    VxMatrix m = MatrixRotationZ(angle);
    m.m[0][1] = PlusZero(m.m[0][1]);
    m.m[1][0] = PlusZero(m.m[1][0]);
    return m;
}

// The world matrix of a plane turn and a scaling (scaled first or turned
// first), then moved, all finite: each entry is the one product the full
// multiplications would round, the rest of its sum being zeros.
VxMatrix PlaneWorld(const VxMatrix& turn, const VxVec3& scale, const VxVec3& to, bool scaledFirst) {
    const float s[2] = {scale.x, scale.y};
    VxMatrix w;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) w.m[i][j] = PlusZero((scaledFirst ? s[i] : s[j]) * turn.m[i][j]);
    w.m[2][2] = PlusZero(scale.z);
    w.m[3][0] = PlusZero(to.x);
    w.m[3][1] = PlusZero(to.y);
    w.m[3][2] = PlusZero(to.z);
    w.m[3][3] = 1.0f;
    return w;
}
}  // namespace

VxMatrix BuildRotationMatrix(const VxVec3& r, int order) {
    if (TurnsInPlane(r, order)) return PlaneTurn(r.z);
    VxMatrix x = MatrixRotationX(r.x), y = MatrixRotationY(r.y), z = MatrixRotationZ(r.z);
    switch (order) {
    case ROTATION_ZYX: return MatrixMultiply(MatrixMultiply(z, y), x);
    case ROTATION_YZX: return MatrixMultiply(MatrixMultiply(y, z), x);
    case ROTATION_ZXY: return MatrixMultiply(MatrixMultiply(z, x), y);
    case ROTATION_XZY: return MatrixMultiply(MatrixMultiply(x, z), y);
    case ROTATION_XYZ: return MatrixMultiply(MatrixMultiply(x, y), z);
    case ROTATION_YXZ: return MatrixMultiply(MatrixMultiply(y, x), z);
    default: return MatrixIdentity();
    }
}

void CVxObject::BuildMatrices() {
    m_matScaling = MatrixScaling(m_vSize.x * m_vScale.x, m_vSize.y * m_vScale.y, m_vSize.z * m_vScale.z);
    m_matTranslation = MatrixTranslation(m_vPosition.x, m_vPosition.y, m_vPosition.z);
    m_matRotation = BuildRotationMatrix(m_vRotation, m_iRotationOrder);
}

bool CVxObject::PlaneOnly() const {
    return TurnsInPlane(m_vRotation, m_iRotationOrder) && Finite(m_vPosition) &&
           Finite({m_matScaling.m[0][0], m_matScaling.m[1][1], m_matScaling.m[2][2]});
}

void CVxObject::ComposeRST() {
    BuildMatrices();
    if (PlaneOnly()) {
        m_matWorld = PlaneWorld(m_matRotation, {m_matScaling.m[0][0], m_matScaling.m[1][1], m_matScaling.m[2][2]},
                                m_vPosition, false);
        return;
    }
    m_matWorld = MatrixMultiply(MatrixMultiply(m_matRotation, m_matScaling), m_matTranslation);
}

void CVxObject::ComposeSRT() {
    BuildMatrices();
    if (PlaneOnly()) {
        m_matWorld = PlaneWorld(m_matRotation, {m_matScaling.m[0][0], m_matScaling.m[1][1], m_matScaling.m[2][2]},
                                m_vPosition, true);
        return;
    }
    m_matWorld = MatrixMultiply(MatrixMultiply(m_matScaling, m_matRotation), m_matTranslation);
}

void CVxObject::ComposeSTR() {
    BuildMatrices();
    m_matWorld = MatrixMultiply(MatrixMultiply(m_matScaling, m_matTranslation), m_matRotation);
}

void CVxObject::RenderRST() {
    ComposeRST();
    Render();
}

void CVxObject::RenderSRT() {
    ComposeSRT();
    Render();
}

void CVxObject::RenderSTR() {
    ComposeSTR();
    Render();
}

void CVxObject::SetDiffuse(float r, float g, float b, float a) { m_colDiffuse = {r, g, b, a}; }
void CVxObject::SetAmbient(float r, float g, float b, float a) { m_colAmbient = {r, g, b, a}; }
void CVxObject::SetSpecular(float r, float g, float b, float a) { m_colSpecular = {r, g, b, a}; }
void CVxObject::SetEmissive(float r, float g, float b, float a) { m_colEmissive = {r, g, b, a}; }
void CVxObject::SetAuxValue(float v) { m_fAuxValue = v; }
void CVxObject::SetAlphaRef(int ref) { m_iAlphaRef = ref; }
void CVxObject::SetSrcBlend(int factor) { m_iSrcBlend = factor; }
void CVxObject::SetDestBlend(int factor) { m_iDestBlend = factor; }
void CVxObject::SetAlphaBlend(bool on) { m_bAlphaBlend = on; }

void CVxObject::SetBlendMode(int mode, int alphaRef) {
    SetAlphaRef(alphaRef);
    m_iBlendMode = mode;
}

void CVxObject::SetZTest(bool on) { m_bZTest = on; }
void CVxObject::SetZWrite(bool on) { m_bZWrite = on; }
void CVxObject::SetCullMode(int mode) { m_iCullMode = mode; }

void CVxObject::SetFog(bool on, float r, float g, float b, float a) {
    m_bFog = on;
    m_colFog = {r, g, b, a};
}

void CVxObject::SaveState() {
    if (!m_pSavedState) m_pSavedState = new CVxObject();
    CopyObjectState(*this, *m_pSavedState);
}

void CVxObject::RestoreState() {
    if (m_pSavedState) CopyObjectState(*m_pSavedState, *this);
}

void CVxObject::CopyObjectState(const CVxObject& from, CVxObject& to) {
    CopyObjectLook(from, to);
    to.m_matWorld = from.m_matWorld;
    to.m_matTranslation = from.m_matTranslation;
    to.m_matRotation = from.m_matRotation;
    to.m_matScaling = from.m_matScaling;
}

void CVxObject::CopyObjectLook(const CVxObject& from, CVxObject& to) {
    to.m_iStatus = from.m_iStatus;
    to.m_iHitHalfWidth = from.m_iHitHalfWidth;
    to.m_iHitHalfHeight = from.m_iHitHalfHeight;
    to.m_fHitOffsetX = from.m_fHitOffsetX;
    to.m_fHitOffsetY = from.m_fHitOffsetY;
    to.m_iKind = from.m_iKind;
    to.m_vPosition = from.m_vPosition;
    to.m_vRotation = from.m_vRotation;
    to.m_vSize = from.m_vSize;
    to.m_vScale = from.m_vScale;
    to.m_iRotationOrder = from.m_iRotationOrder;
    to.m_colDiffuse = from.m_colDiffuse;
    to.m_colAmbient = from.m_colAmbient;
    to.m_colSpecular = from.m_colSpecular;
    to.m_colEmissive = from.m_colEmissive;
    to.m_fAuxValue = from.m_fAuxValue;
    to.m_iTextureOp = from.m_iTextureOp;
    to.m_iBlendMode = from.m_iBlendMode;
    to.m_bAlphaBlend = from.m_bAlphaBlend;
    to.m_iAlphaRef = from.m_iAlphaRef;
    to.m_iSrcBlend = from.m_iSrcBlend;
    to.m_iDestBlend = from.m_iDestBlend;
    to.m_bZTest = from.m_bZTest;
    to.m_bZWrite = from.m_bZWrite;
    to.m_iCullMode = from.m_iCullMode;
    to.m_bFog = from.m_bFog;
    to.m_colFog = from.m_colFog;
}
