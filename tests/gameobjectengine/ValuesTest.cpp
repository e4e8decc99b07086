#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/JsonRead.h"
#include "gameobjectengine/Vector.h"

namespace {

TEST(Vector, MagnitudesAndVirtualNormalize) {
    TVector2<float> v(3.0f, 4.0f);
    EXPECT_FLOAT_EQ(v.Magnitude(), 5.0f);
    EXPECT_FLOAT_EQ(v.SqrMagnitude(), 25.0f);
    TVector3<float> w(2.0f, 3.0f, 6.0f);
    EXPECT_FLOAT_EQ(w.Magnitude(), 7.0f);
    TVector2<float>& asBase = w;
    asBase.Normalize();  // through the base: all three parts
    EXPECT_FLOAT_EQ(w.x, 2.0f / 7.0f);
    EXPECT_FLOAT_EQ(w.z, 6.0f / 7.0f);
    asBase *= 7.0f;
    EXPECT_FLOAT_EQ(w.z, 6.0f);
}

TEST(Vector, NormalizingZeroLeavesItZero) {
    TVector2<float> v;
    v.Normalize();
    EXPECT_FALSE(std::isnan(v.x));
    EXPECT_EQ(v.x, 0.0f);
    TVector3<float> w;
    w.Normalize();
    EXPECT_EQ(w.z, 0.0f);
}

TEST(Random, ClassicSequenceFromSeedOne) {
    GameRandom::Seed(1);
    EXPECT_EQ(GameRandom::Next(), 41);
    EXPECT_EQ(GameRandom::Next(), 18467);
    EXPECT_EQ(GameRandom::Next(), 6334);
    GameRandom::Seed(1);
    EXPECT_EQ(GameRandom::Next(), 41);
    for (int i = 0; i < 1000; ++i) {
        const int v = GameRandom::Next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, GameRandom::kMax);
    }
}

TEST(Json, ReadersKeepDefaultsOnMissingOrWrongTypes) {
    JsonDocument doc;
    doc.Parse(R"({"i": 5, "f": 2.5, "big": 1e20, "neg": -3, "t": true, "s": "x", "arr": [1], "obj": {}})");
    EXPECT_EQ(json::ReadInt(doc, "i", 9), 5);
    EXPECT_EQ(json::ReadInt(doc, "f", 9), 2);
    EXPECT_EQ(json::ReadInt(doc, "big", 9), 2147483647);  // saturates, never undefined
    EXPECT_EQ(json::ReadInt(doc, "s", 9), 9);
    EXPECT_EQ(json::ReadInt(doc, "missing", 9), 9);
    EXPECT_EQ(json::ReadInt(doc, "t", 9), 1);
    EXPECT_EQ(json::ReadUint(doc, "big", 7), 4294967295u);
    EXPECT_FLOAT_EQ(json::ReadFloat(doc, "i", 0.0f), 5.0f);
    EXPECT_FLOAT_EQ(json::ReadFloat(doc, "s", 1.5f), 1.5f);
    EXPECT_TRUE(json::ReadFlag(doc, "t", false));
    EXPECT_TRUE(json::ReadFlag(doc, "neg", false));
    EXPECT_FALSE(json::ReadFlag(doc, "arr", false));
    EXPECT_EQ(json::ReadString(doc, "i", "d"), "d");
    EXPECT_EQ(json::ReadString(doc, "s", "d"), "x");
    EXPECT_NE(json::FindArray(doc, "arr"), nullptr);
    EXPECT_EQ(json::FindArray(doc, "obj"), nullptr);
    EXPECT_NE(json::FindObject(doc, "obj"), nullptr);
    JsonDocument huge;
    huge.Parse(R"({"up": 1e300, "down": -1e300})");
    EXPECT_EQ(json::ReadFloat(huge, "up", 0.0f), std::numeric_limits<float>::max());
    EXPECT_EQ(json::ReadFloat(huge, "down", 0.0f), -std::numeric_limits<float>::max());
    JsonValue notAnObject(5);
    EXPECT_EQ(json::ReadInt(notAnObject, "i", 3), 3);
}

}  // namespace
