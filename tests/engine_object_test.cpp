#include <gtest/gtest.h>

#include <vector>

#include "engine/VxMath.h"
#include "engine/VxObject.h"
#include "engine/VxResource.h"

namespace {

constexpr float kHalfPi = 1.5707963f;

void ExpectNear(const VxVec3& v, float x, float y, float z = 0.0f) {
    EXPECT_NEAR(v.x, x, 1e-3f);
    EXPECT_NEAR(v.y, y, 1e-3f);
    EXPECT_NEAR(v.z, z, 1e-3f);
}

}  // namespace

TEST(VxObject, SaveAndRestoreBringBackStateButNotPointSampling) {
    CVxObject o;
    o.RestoreState();  // no snapshot: nothing happens
    o.SetPosition(1.0f, 2.0f, 3.0f);
    o.SetDiffuse(0.5f, 0.25f, 0.125f, 1.0f);
    o.SetBlendMode(BLEND_ADD, 40);
    o.m_iStatus = 3;
    o.SaveState();

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
        ASSERT_NE(assigned.m_pSavedState, nullptr);
        EXPECT_NE(assigned.m_pSavedState, o.m_pSavedState);
    }
    ASSERT_NE(list[0].m_pSavedState, nullptr);
    EXPECT_NE(list[0].m_pSavedState, list[1].m_pSavedState);
    list[0].SetPosition(7.0f, 7.0f, 7.0f);
    list[0].RestoreState();
    EXPECT_FLOAT_EQ(list[0].m_vPosition.x, 1.0f);
    list.clear();  // each snapshot freed once (the sanitizer build checks)
}

TEST(VxResource, EmptyStringsAreStoredAsNullAndCopiesAreDeep) {
    CVxResource r;
    EXPECT_TRUE(r.Load("Bbd_Main1.png", ""));
    EXPECT_STREQ(r.m_pszName, "Bbd_Main1.png");
    EXPECT_EQ(r.m_pszPath, nullptr);
    r.Load("a.png", "Resource\\Menu\\");
    CVxResource copy(r);
    EXPECT_NE(copy.m_pszName, r.m_pszName);
    r.Release();
    EXPECT_EQ(r.m_pszName, nullptr);
    EXPECT_STREQ(copy.m_pszName, "a.png");
    EXPECT_STREQ(copy.m_pszPath, "Resource\\Menu\\");
}
