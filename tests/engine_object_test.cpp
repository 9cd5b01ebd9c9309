#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/VxMath.h"
#include "engine/VxObject.h"
#include "engine/VxResource.h"

namespace {

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

// The world matrix of a thing turned in the plane is built without multiplying
// the three turns and the scaling; it must be the full product, bit for bit,
// or a picture drawn would move by a rounding.
TEST(VxObject, APlaneTurnsWorldMatrixIsTheFullProductBitForBit) {
    struct Case {
        float turn, sx, sy, x, y;
    };
    const Case cases[] = {{0.0f, 1.0f, 1.0f, 0.0f, 0.0f},
                          {-0.0f, -1.0f, 2.0f, -0.0f, 3.5f},
                          {0.7f, 128.0f, 64.0f, 440.0f, -2.0f},
                          {-2.9f, -37.5f, 0.0f, 1e-3f, 639.0f},
                          {3.14159265f, 0.3f, -0.3f, -880.0f, 0.25f}};
    for (const Case& c : cases)
        for (bool scaledFirst : {true, false}) {
            CVxObject o;
            o.SetRotation(0.0f, 0.0f, c.turn);
            o.SetSize(c.sx, c.sy, 1.0f);
            o.SetPosition(c.x, c.y, -0.0f);
            scaledFirst ? o.ComposeSRT() : o.ComposeRST();
            const VxMatrix turn =
                MatrixMultiply(MatrixMultiply(MatrixRotationZ(c.turn), MatrixRotationY(0.0f)), MatrixRotationX(0.0f));
            const VxMatrix scale = MatrixScaling(c.sx, c.sy, 1.0f), move = MatrixTranslation(c.x, c.y, -0.0f);
            const VxMatrix full =
                MatrixMultiply(scaledFirst ? MatrixMultiply(scale, turn) : MatrixMultiply(turn, scale), move);
            for (int i = 0; i < 16; ++i) {
                const float got = o.m_matWorld.m[i / 4][i % 4], want = full.m[i / 4][i % 4];
                EXPECT_TRUE(got == want && std::signbit(got) == std::signbit(want))
                    << "turn " << c.turn << (scaledFirst ? " SRT" : " RST") << " entry " << i << ": " << got << " vs "
                    << want;
            }
        }
}
