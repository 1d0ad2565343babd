#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "assets/FramebufferTarget.h"
#include "assets/GlExtensionsWgl.h"
#include "assets/RenderTexture.h"
#include "assets/SurfaceAnisotropy.h"
#include "assets/SurfaceTargets.h"
#include "tests/windows/common/GlTestWindow.h"

namespace {

const int kWidth = 2048;
const int kHeight = 1024;
const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

// Paints a target: left half one colour, right half another.
bool paint(OffscreenTarget& target, uint32_t left, uint32_t right)
{
    if (!target.beginDrawing())
        return false;
    glPushAttrib(GL_VIEWPORT_BIT | GL_SCISSOR_BIT | GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT);
    glViewport(0, 0, kWidth, kHeight);
    glEnable(GL_SCISSOR_TEST);
    for (int half = 0; half < 2; ++half) {
        const uint32_t rgb = half == 0 ? left : right;
        glScissor(half * kWidth / 2, 0, kWidth / 2, kHeight);
        glClearColor(((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glPopAttrib();
    glFlush();
    return target.endDrawing();
}

// Both kinds of surface target behave alike through their common interface.
class SurfaceTargetTest : public ::testing::TestWithParam<SurfaceTargetKind> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.ready() && window.makeCurrent());
        target = makeSurfaceTarget(GetParam());
        ASSERT_TRUE(target);
    }
    void TearDown() override
    {
        if (target)
            target->release();
    }

    // Draws the target's texture over the whole window and reads a pixel of each half.
    void sampleInWindow(uint32_t& left, uint32_t& right)
    {
        glViewport(0, 0, 64, 64);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        target->bindTexture();
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        // clang-format off
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0); glVertex2f(-1, -1);
        glTexCoord2f(1, 0); glVertex2f(1, -1);
        glTexCoord2f(1, 1); glVertex2f(1, 1);
        glTexCoord2f(0, 1); glVertex2f(-1, 1);
        glEnd();
        // clang-format on
        glDisable(GL_TEXTURE_2D);
        glFinish();
        left = window.pixel(8, 32);
        right = window.pixel(56, 32);
    }

    GlTestWindow& window = GlTestWindow::shared();
    std::unique_ptr<OffscreenTarget> target;
};

TEST(PbufferFormat, ThirtyTwoColourBitsAskForAlphaOnADoubleBufferedPbuffer)
{
    const int extra[] = {WGL_BIND_TO_TEXTURE_RGBA_ARB, 1, 0};
    // clang-format off
    const std::vector<int> expected = {
        WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_COLOR_BITS_ARB, 32, WGL_ALPHA_BITS_ARB, 8,
        WGL_DEPTH_BITS_ARB, 24, WGL_STENCIL_BITS_ARB, 8, WGL_DOUBLE_BUFFER_ARB, 1,
        WGL_BIND_TO_TEXTURE_RGBA_ARB, 1, 0,
    };
    // clang-format on
    EXPECT_EQ(PbufferSurface::formatAttributes(32, 24, 8, extra), expected);
}

TEST(PbufferFormat, OtherColourDepthsAskForNoAlphaAndLeaveBufferingToTheDriver)
{
    // clang-format off
    const std::vector<int> expected = {
        WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_COLOR_BITS_ARB, 24, WGL_ALPHA_BITS_ARB, 0,
        WGL_DEPTH_BITS_ARB, 16, WGL_STENCIL_BITS_ARB, 0, 0,
    };
    // clang-format on
    EXPECT_EQ(PbufferSurface::formatAttributes(24, 16, 0, nullptr), expected);
}

TEST_P(SurfaceTargetTest, TheTextureSamplesWhatWasDrawnAndDrawingAgainReplacesIt)
{
    ASSERT_TRUE(target->create(kWidth, kHeight));
    EXPECT_TRUE(target->isReady());
    EXPECT_EQ(target->width(), kWidth);
    EXPECT_EQ(target->height(), kHeight);
    uint32_t left = 0, right = 0;
    ASSERT_TRUE(paint(*target, kGreen, kRed));
    sampleInWindow(left, right);
    EXPECT_EQ(left, kGreen);
    EXPECT_EQ(right, kRed);

    // Drawn again, as every frame does: the new picture is what is sampled.
    ASSERT_TRUE(paint(*target, kBlue, kGreen));
    sampleInWindow(left, right);
    EXPECT_EQ(left, kBlue);
    EXPECT_EQ(right, kGreen);
}

TEST_P(SurfaceTargetTest, DrawingEndsInTheWindowsContextAndFramebuffer)
{
    const HGLRC windowContext = wglGetCurrentContext();
    ASSERT_TRUE(target->create(kWidth, kHeight));
    EXPECT_EQ(wglGetCurrentContext(), windowContext);
    ASSERT_TRUE(target->beginDrawing());
    GLint framebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    // Either another context or another framebuffer takes the drawing.
    EXPECT_TRUE(wglGetCurrentContext() != windowContext || framebuffer != 0);
    ASSERT_TRUE(target->endDrawing());
    EXPECT_EQ(wglGetCurrentContext(), windowContext);
    EXPECT_EQ(wglGetCurrentDC(), window.dc());
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0);
}

TEST_P(SurfaceTargetTest, TheTextureIsLinearRepeatingAndPlainlyFilteredOnASoftwareRenderer)
{
    ASSERT_TRUE(target->create(kWidth, kHeight));
    target->bindTexture();
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    ASSERT_TRUE(isSoftwareRenderer(renderer)) << renderer;
    GLfloat maximum = 0, anisotropy = 0;
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
    EXPECT_GT(maximum, 1.0f);
    EXPECT_EQ(anisotropy, 1.0f);
}

TEST_P(SurfaceTargetTest, CreatingTwiceFailsAndKeepsTheFirst)
{
    ASSERT_TRUE(target->create(kWidth, kHeight));
    ASSERT_TRUE(paint(*target, kGreen, kRed));
    EXPECT_FALSE(target->create(256, 256));
    EXPECT_TRUE(target->isReady());
    EXPECT_EQ(target->width(), kWidth);
    uint32_t left = 0, right = 0;
    sampleInWindow(left, right);
    EXPECT_EQ(left, kGreen);
}

TEST_P(SurfaceTargetTest, ANeverCreatedTargetDrawsAndBindsNothing)
{
    target->release();
    EXPECT_FALSE(target->isReady());
    EXPECT_FALSE(target->beginDrawing());
    glBindTexture(GL_TEXTURE_2D, 0);
    target->bindTexture();
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);

    ASSERT_TRUE(target->create(kWidth, kHeight));
    target->release();
    EXPECT_FALSE(target->isReady());
    EXPECT_FALSE(target->beginDrawing());
}

INSTANTIATE_TEST_SUITE_P(Kinds, SurfaceTargetTest,
                         ::testing::Values(SurfaceTargetKind::Framebuffer, SurfaceTargetKind::Pbuffer),
                         [](const ::testing::TestParamInfo<SurfaceTargetKind>& info) {
                             return info.param == SurfaceTargetKind::Framebuffer ? "Framebuffer" : "Pbuffer";
                         });

TEST(PbufferTarget, DrawingSwitchesToThePbuffersOwnContextAndBack)
{
    GlTestWindow& window = GlTestWindow::shared();
    ASSERT_TRUE(window.ready() && window.makeCurrent());
    const HGLRC windowContext = wglGetCurrentContext();
    RenderTexture texture;
    ASSERT_TRUE(texture.create(kWidth, kHeight));
    ASSERT_NE(texture.surface(), nullptr);
    EXPECT_EQ(texture.surface()->width(), kWidth);
    ASSERT_TRUE(texture.makeCurrent());
    EXPECT_NE(wglGetCurrentContext(), windowContext);
    EXPECT_TRUE(texture.makeWindowCurrent());
    EXPECT_EQ(wglGetCurrentContext(), windowContext);
    texture.release();
    EXPECT_EQ(texture.surface()->pbuffer(), nullptr);
    EXPECT_FALSE(texture.makeCurrent());
}

void* noEntryPoints(const char*)
{
    return nullptr;
}

TEST(FramebufferTarget, FailsWithoutItsEntryPoints)
{
    GlTestWindow& window = GlTestWindow::shared();
    ASSERT_TRUE(window.ready() && window.makeCurrent());
    FramebufferTarget missing(noEntryPoints);
    EXPECT_FALSE(missing.create(kWidth, kHeight));
    EXPECT_FALSE(missing.isReady());
    FramebufferTarget noLoader(nullptr);
    EXPECT_FALSE(noLoader.create(kWidth, kHeight));
}

}  // namespace
