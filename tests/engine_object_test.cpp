#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/VxMath.h"
#include "engine/VxObject.h"
#include "engine/VxResource.h"

namespace {

constexpr float kHalfPi = 1.5707963f;

VxVec3 Corner(const CVxObject& o, float x, float y) { return TransformPoint({x, y, 0.0f}, o.m_matWorld); }

void ExpectNear(const VxVec3& v, float x, float y, float z = 0.0f) {
    EXPECT_NEAR(v.x, x, 1e-3f);
    EXPECT_NEAR(v.y, y, 1e-3f);
    EXPECT_NEAR(v.z, z, 1e-3f);
}

CVxObject RotatedQuad() {
    CVxObject o;
    o.SetSize(20.0f, 10.0f, 1.0f);
    o.SetPosition(100.0f, 50.0f, 0.0f);
    o.SetRotationZ(kHalfPi);
    return o;
}

}  // namespace

TEST(VxObject, ResetGivesTheDocumentedDefaults) {
    CVxObject o;
    EXPECT_EQ(o.m_iKind, -1);
    ExpectNear(o.m_vSize, 100.0f, 100.0f, 100.0f);
    ExpectNear(o.m_vScale, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(o.m_iAlphaRef, 10);
    EXPECT_EQ(o.m_iCullMode, CULL_CCW);
    EXPECT_FLOAT_EQ(o.m_colDiffuse.a, 1.0f);
    EXPECT_EQ(o.m_matWorld.m[3][3], 0.0f);  // matrices start all zero
    EXPECT_EQ(o.m_pSavedState, nullptr);
}

TEST(VxObject, SingleAxisRotationClearsTheOtherAxes) {
    CVxObject o;
    o.SetRotation(1.0f, 2.0f, 3.0f);
    o.SetRotationY(0.5f);
    ExpectNear(o.m_vRotation, 0.0f, 0.5f, 0.0f);
    o.SetRotationDegrees(180.0f, 0.0f, 90.0f);
    EXPECT_FLOAT_EQ(o.m_vRotation.x, 180.0f * 0.01745329f);
    EXPECT_FLOAT_EQ(o.m_vRotation.z, 90.0f * 0.01745329f);
}

TEST(VxObject, ScaleSize2DFlattensDepthToOne) {
    CVxObject o;
    o.SetSize(10.0f, 20.0f, 5.0f);
    o.ScaleSize2D(2.0f, 3.0f);
    ExpectNear(o.m_vSize, 20.0f, 60.0f, 1.0f);
    o.ScaleSizeUniform(0.5f);
    ExpectNear(o.m_vSize, 10.0f, 30.0f, 1.0f);
    o.SetSize2D(7.0f);
    ExpectNear(o.m_vSize, 7.0f, 7.0f, 1.0f);
}

TEST(VxObject, ComposeOrdersPlaceTheCornersOfARotatedQuad) {
    // A 20x10 quad at (100, 50) turned a quarter turn; corner (0.5, 0.5) of the unit square.
    CVxObject rst = RotatedQuad();
    rst.ComposeRST();  // turned first, then stretched along the screen axes
    ExpectNear(Corner(rst, 0.5f, 0.5f), 90.0f, 55.0f);
    ExpectNear(Corner(rst, -0.5f, -0.5f), 110.0f, 45.0f);

    CVxObject srt = RotatedQuad();
    srt.ComposeSRT();  // stretched, turned about its centre, then placed
    ExpectNear(Corner(srt, 0.5f, 0.5f), 95.0f, 60.0f);
    ExpectNear(Corner(srt, 0.5f, -0.5f), 105.0f, 60.0f);

    CVxObject str = RotatedQuad();
    str.ComposeSTR();  // placed, then turned about the screen origin
    ExpectNear(Corner(str, 0.5f, 0.5f), -55.0f, 110.0f);

    // UpdateWorldMatrix is the RST composition.
    CVxObject upd = RotatedQuad();
    upd.UpdateWorldMatrix();
    ExpectNear(Corner(upd, 0.5f, 0.5f), 90.0f, 55.0f);
}

TEST(VxObject, ScaleMultipliesIntoSizeAndTranslationSitsInTheLastRow) {
    CVxObject o;
    o.SetSize(10.0f, 20.0f, 1.0f);
    o.SetScale(2.0f, 0.5f, 1.0f);
    o.SetPosition(3.0f, 4.0f, 5.0f);
    o.ComposeSRT();
    EXPECT_FLOAT_EQ(o.m_matScaling.m[0][0], 20.0f);
    EXPECT_FLOAT_EQ(o.m_matScaling.m[1][1], 10.0f);
    EXPECT_FLOAT_EQ(o.m_matWorld.m[3][0], 3.0f);
    EXPECT_FLOAT_EQ(o.m_matWorld.m[3][1], 4.0f);
    EXPECT_FLOAT_EQ(o.m_matWorld.m[3][2], 5.0f);
}

TEST(VxObject, RotationOrderDecidesWhichAxisTurnsFirst) {
    VxVec3 rot{kHalfPi, kHalfPi, 0.0f};
    // Rz*Ry*Rx: y first takes +x to -z, then x takes -z to +y.
    ExpectNear(TransformPoint({1, 0, 0}, BuildRotationMatrix(rot, ROTATION_ZYX)), 0.0f, 1.0f, 0.0f);
    // Rx*Ry*Rz: x leaves +x alone, then y takes it to -z.
    ExpectNear(TransformPoint({1, 0, 0}, BuildRotationMatrix(rot, ROTATION_XYZ)), 0.0f, 0.0f, -1.0f);
    VxVec3 rotYZ{0.0f, kHalfPi, kHalfPi};
    // Ry*Rz*Rx: y first takes +x to -z, z leaves it.
    ExpectNear(TransformPoint({1, 0, 0}, BuildRotationMatrix(rotYZ, ROTATION_YZX)), 0.0f, 0.0f, -1.0f);
    // Rz*Ry*Rx: z first takes +x to +y, y leaves it.
    ExpectNear(TransformPoint({1, 0, 0}, BuildRotationMatrix(rotYZ, ROTATION_ZYX)), 0.0f, 1.0f, 0.0f);
    // An unknown order turns nothing.
    ExpectNear(TransformPoint({1, 2, 3}, BuildRotationMatrix(rot, 9)), 1.0f, 2.0f, 3.0f);
}

TEST(VxObject, SaveAndRestoreBringBackStateButNotPointSampling) {
    CVxObject o;
    o.SetPosition(1.0f, 2.0f, 3.0f);
    o.SetDiffuse(0.5f, 0.25f, 0.125f, 1.0f);
    o.SetBlendMode(BLEND_ADD, 40);
    o.m_iStatus = 3;
    o.SaveState();
    ASSERT_NE(o.m_pSavedState, nullptr);

    o.SetPosition(9.0f, 9.0f, 9.0f);
    o.SetDiffuse(0.0f, 0.0f, 0.0f, 0.0f);
    o.SetBlendMode(BLEND_COLOR, 99);
    o.m_iStatus = 0;
    o.m_bPointSampling = 1;
    o.SetFog(true, 1.0f, 0.0f, 0.0f, 0.5f);
    o.RestoreState();

    ExpectNear(o.m_vPosition, 1.0f, 2.0f, 3.0f);
    EXPECT_FLOAT_EQ(o.m_colDiffuse.g, 0.25f);
    EXPECT_EQ(o.m_iBlendMode, BLEND_ADD);
    EXPECT_EQ(o.m_iAlphaRef, 40);
    EXPECT_EQ(o.m_iStatus, 3);
    EXPECT_FALSE(o.m_bFog);
    EXPECT_EQ(o.m_bPointSampling, 1);  // not part of the snapshot

    // A second save reuses the snapshot.
    CVxObject* snapshot = o.m_pSavedState;
    o.SaveState();
    EXPECT_EQ(o.m_pSavedState, snapshot);
}

TEST(VxObject, RestoreWithoutSnapshotChangesNothing) {
    CVxObject o;
    o.SetPosition(4.0f, 5.0f, 6.0f);
    o.RestoreState();
    ExpectNear(o.m_vPosition, 4.0f, 5.0f, 6.0f);
}

TEST(VxObject, CopiesOwnTheirSnapshotsAlone) {
    std::vector<CVxObject> list;
    {
        CVxObject o;
        o.SetPosition(1.0f, 1.0f, 1.0f);
        o.SaveState();
        list.push_back(o);
        list.push_back(o);
        CVxObject assigned;
        assigned.SaveState();
        assigned = o;
        EXPECT_NE(assigned.m_pSavedState, o.m_pSavedState);
        ASSERT_NE(assigned.m_pSavedState, nullptr);
        EXPECT_FLOAT_EQ(assigned.m_pSavedState->m_vPosition.x, 1.0f);
    }
    ASSERT_NE(list[0].m_pSavedState, nullptr);
    EXPECT_NE(list[0].m_pSavedState, list[1].m_pSavedState);
    list[0].SetPosition(7.0f, 7.0f, 7.0f);
    list[0].RestoreState();
    EXPECT_FLOAT_EQ(list[0].m_vPosition.x, 1.0f);
    list.clear();  // each snapshot freed once (the sanitizer build checks)
}

TEST(VxObject, TransformMatrixHelperMatchesScaleRotateTranslate) {
    CVxObject o;
    o.SetSize(2.0f, 3.0f, 1.0f);
    o.SetRotation(0.3f, 0.2f, 0.1f);
    o.SetPosition(5.0f, 6.0f, 7.0f);
    o.ComposeSRT();
    VxMatrix m;
    BuildTransformMatrix(m, 5.0f, 6.0f, 7.0f, 0.3f, 0.2f, 0.1f, 2.0f, 3.0f, 1.0f);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(m.m[i][j], o.m_matWorld.m[i][j], 1e-5f);
}

TEST(VxResource, EmptyStringsAreStoredAsNullAndCopiesAreDeep) {
    CVxResource r;
    EXPECT_EQ(r.m_iOwnerId, OWNER_NONE);
    EXPECT_TRUE(r.Load("Bbd_Main1.png", ""));
    ASSERT_NE(r.m_pszName, nullptr);
    EXPECT_STREQ(r.m_pszName, "Bbd_Main1.png");
    EXPECT_EQ(r.m_pszPath, nullptr);

    r.Load("a.png", "Resource\\Menu\\");
    CVxResource copy(r);
    EXPECT_NE(copy.m_pszName, r.m_pszName);
    EXPECT_STREQ(copy.m_pszPath, "Resource\\Menu\\");
    r.Release();
    EXPECT_EQ(r.m_pszName, nullptr);
    EXPECT_STREQ(copy.m_pszName, "a.png");
}
