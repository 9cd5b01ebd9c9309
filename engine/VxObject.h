#pragma once
// Base of everything drawn: transform, the matrices composed from it, material
// colours and the render states the billboard renderer applies. Drawing itself
// is the derived classes' business; the base Render does nothing.
#include <cstdint>

#include "engine/VxMatrix.h"

// How the three axis rotations combine (left factor applied first).
enum RotationOrder {
    ROTATION_ZYX = 0,  // Rz * Ry * Rx
    ROTATION_YZX = 1,  // Ry * Rz * Rx
    ROTATION_ZXY = 2,  // Rz * Rx * Ry
    ROTATION_XZY = 3,  // Rx * Rz * Ry
    ROTATION_XYZ = 4,  // Rx * Ry * Rz
    ROTATION_YXZ = 5,  // Ry * Rx * Rz
};

enum BlendMode {
    BLEND_ALPHA = 0,
    BLEND_COLOR = 1,
    BLEND_COLOR_ADD = 2,
    BLEND_CUSTOM = 3,
    BLEND_ADD = 4,
};

// m_iKind values.
enum : int32_t { OBJECT_KIND_PLAIN = -1, OBJECT_KIND_BUTTON = 4, OBJECT_KIND_BILLBOARD = 6 };

// m_iCullMode values.
enum : int32_t { CULL_NONE = 0, CULL_CW = 1, CULL_CCW = 2 };

// Single-precision pi/180 as the degree setters use it.
constexpr float VX_DEG_TO_RAD = 0.01745329f;

class CVxObject {
public:
    CVxObject();
    // Copies own their snapshot alone: a copied object gets a duplicate.
    CVxObject(const CVxObject& other);
    CVxObject& operator=(const CVxObject& other);
    virtual ~CVxObject();

    virtual void Reset();
    virtual void SetRotationOrder(int order);
    virtual void SetScale(float x, float y, float z);
    virtual void SetPositionV(const VxVec3& v);
    virtual void SetPosition(float x, float y, float z);
    virtual void SetRotationV(const VxVec3& v);
    virtual void SetRotation(float x, float y, float z);
    // These three clear the other two axes.
    virtual void SetRotationX(float a);
    virtual void SetRotationY(float a);
    virtual void SetRotationZ(float a);
    virtual void SetSizeV(const VxVec3& v);
    virtual void SetSizeUniform(float s);
    virtual void SetSize(float x, float y, float z);
    virtual void SetSize2D(float s);
    virtual void ScaleSizeUniform(float s);
    virtual void ScaleSize2D(float fx, float fy);  // depth becomes 1
    virtual void SetRotationDegrees(float x, float y, float z);
    virtual void UpdateWorldMatrix();
    virtual void Render();
    virtual void ComposeRST();
    virtual void ComposeSRT();
    virtual void ComposeSTR();
    virtual void RenderRST();
    virtual void RenderSRT();
    virtual void RenderSTR();
    virtual void SetDiffuse(float r, float g, float b, float a);
    virtual void SetAmbient(float r, float g, float b, float a);
    virtual void SetSpecular(float r, float g, float b, float a);
    virtual void SetEmissive(float r, float g, float b, float a);
    virtual void SetAuxValue(float v);
    virtual void SetAlphaRef(int ref);
    virtual void SetSrcBlend(int factor);
    virtual void SetDestBlend(int factor);
    virtual void SetAlphaBlend(bool on);
    virtual void SetBlendMode(int mode, int alphaRef);
    virtual void SetZTest(bool on);
    virtual void SetZWrite(bool on);
    virtual void SetCullMode(int mode);
    virtual void SetFog(bool on, float r, float g, float b, float a);

    // Snapshot of the object state (not the point sampling flag).
    void SaveState();
    void RestoreState();
    static void CopyObjectState(const CVxObject& from, CVxObject& to);
    // The same but the four matrices, for a copy that composes its own before
    // it draws (a glyph, a digit): every piece of text drawn passes here.
    static void CopyObjectLook(const CVxObject& from, CVxObject& to);

private:
    // Turned in the plane alone, with a finite place and scaling.
    bool PlaneOnly() const;

public:
    int32_t m_iStatus = 0;
    int32_t m_iHitHalfWidth = 0;
    int32_t m_iHitHalfHeight = 0;
    float m_fHitOffsetX = 0.0f;
    float m_fHitOffsetY = 0.0f;
    int32_t m_iKind = OBJECT_KIND_PLAIN;
    VxVec3 m_vPosition;
    VxVec3 m_vRotation;
    VxVec3 m_vSize;
    VxVec3 m_vScale;
    int32_t m_iRotationOrder = 0;
    VxMatrix m_matWorld;
    VxMatrix m_matTranslation;
    VxMatrix m_matRotation;
    VxMatrix m_matScaling;
    VxColor m_colDiffuse;
    VxColor m_colAmbient;
    VxColor m_colSpecular;
    VxColor m_colEmissive;
    float m_fAuxValue = 0.0f;
    int32_t m_iTextureOp = 0;
    int32_t m_bPointSampling = 0;
    int32_t m_iBlendMode = BLEND_ALPHA;
    bool m_bAlphaBlend = false;
    int32_t m_iAlphaRef = 10;
    int32_t m_iSrcBlend = 0;
    int32_t m_iDestBlend = 0;
    bool m_bZTest = false;
    bool m_bZWrite = false;
    int32_t m_iCullMode = CULL_CCW;
    bool m_bFog = false;
    VxColor m_colFog;
    CVxObject* m_pSavedState = nullptr;

private:
    void BuildMatrices();
};

// The rotation matrix of (x, y, z) in the given order; an unknown order gives
// the identity.
VxMatrix BuildRotationMatrix(const VxVec3& rotation, int order);
