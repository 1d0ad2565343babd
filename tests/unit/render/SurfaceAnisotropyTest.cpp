#include <gtest/gtest.h>

#include <cmath>

#include "assets/SurfaceAnisotropy.h"

namespace {

TEST(SurfaceAnisotropy, SoftwareRasterizersFilterPlainly)
{
    for (const char* renderer : {"llvmpipe (LLVM 15.0.6, 256 bits)", "Gallium 0.4 on softpipe", "GDI Generic",
                                 "Google SwiftShader", "Software Rasterizer (swrast)", "LLVMPIPE"}) {
        EXPECT_TRUE(isSoftwareRenderer(renderer)) << renderer;
        EXPECT_EQ(surfaceAnisotropy(renderer, 16.0f), 1.0f) << renderer;
    }
}

TEST(SurfaceAnisotropy, HardwareGetsTheDriversMaximum)
{
    for (const char* renderer : {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "AMD Radeon RX 6600", "pipe", ""}) {
        EXPECT_FALSE(isSoftwareRenderer(renderer)) << renderer;
        EXPECT_EQ(surfaceAnisotropy(renderer, 16.0f), 16.0f) << renderer;
    }
    EXPECT_EQ(surfaceAnisotropy(nullptr, 8.0f), 8.0f);
}

TEST(SurfaceAnisotropy, AMaximumOfOneOrLessOrNoNumberMeansNone)
{
    EXPECT_EQ(surfaceAnisotropy("GeForce", 1.0f), 1.0f);
    EXPECT_EQ(surfaceAnisotropy("GeForce", 0.0f), 1.0f);
    EXPECT_EQ(surfaceAnisotropy("GeForce", NAN), 1.0f);
}

}  // namespace
