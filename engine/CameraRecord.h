#pragma once
// The view and projection the platform applies to the device.
#include "engine/VxMatrix.h"

enum : int { PROJECTION_PERSPECTIVE = 0, PROJECTION_ORTHOGRAPHIC = 1 };

struct CameraRecord {
    bool m_bViewSet = false;
    int m_iProjection = PROJECTION_PERSPECTIVE;
    VxVec3 m_vEye;
    VxVec3 m_vAt;
    VxVec3 m_vUp;
    float m_fFieldOfView = 0.0f;  // degrees
    float m_fAspect = 0.0f;
    float m_fNear = 0.0f;
    float m_fFar = 0.0f;
    float m_fLeft = 0.0f;
    float m_fRight = 0.0f;
    float m_fTop = 0.0f;
    float m_fBottom = 0.0f;
};
