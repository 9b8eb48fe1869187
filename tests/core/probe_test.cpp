#include <gtest/gtest.h>
extern "C" __declspec(dllimport) int PardalinProbe();
TEST(Probe, Loads) { EXPECT_EQ(42, PardalinProbe()); }
TEST(Probe, Second) { EXPECT_EQ(1, 1); }
