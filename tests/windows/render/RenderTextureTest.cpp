#include <windows.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <gtest/gtest.h>

#include <vector>

#include "assets/GlExtensionsWgl.h"
#include "assets/RenderTexture.h"
#include "tests/windows/common/GlTestWindow.h"

namespace {

const int kWidth = 2048;
const int kHeight = 1024;
const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

// Paints its pbuffer: left half 'left', right half 'right'.
class PaintedTexture : public RenderTexture {
public:
    int contentResult = 1;
    uint32_t left = kGreen, right = kRed;

    int loadContent() override { return contentResult && paint() ? 1 : 0; }

    bool paint()
    {
        releaseBinding();
        if (!makeCurrent())
            return false;
        glViewport(0, 0, kWidth, kHeight);
        glDisable(GL_SCISSOR_TEST);
        fill(0, left);
        fill(kWidth / 2, right);
        glDisable(GL_SCISSOR_TEST);
        glFlush();
        return makeWindowCurrent();
    }

private:
    static void fill(int x, uint32_t rgb)
    {
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, 0, kWidth / 2, kHeight);
        glClearColor(((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
};

class RenderTextureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.ready() && window.makeCurrent()); }

    // Draws the bound texture over the whole window and reads a pixel of each half.
    void sampleInWindow(RenderTexture& texture, uint32_t& left, uint32_t& right)
    {
        glViewport(0, 0, 64, 64);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        texture.bind();
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0); glVertex2f(-1, -1);
        glTexCoord2f(1, 0); glVertex2f(1, -1);
        glTexCoord2f(1, 1); glVertex2f(1, 1);
        glTexCoord2f(0, 1); glVertex2f(-1, 1);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glFinish();
        left = window.pixel(8, 32);
        right = window.pixel(56, 32);
    }

    GlTestWindow& window = GlTestWindow::shared();
};

TEST(PbufferFormat, ThirtyTwoColourBitsAskForAlphaOnADoubleBufferedPbuffer)
{
    const int extra[] = {WGL_BIND_TO_TEXTURE_RGBA_ARB, 1, 0};
    const std::vector<int> expected = {
        WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_COLOR_BITS_ARB, 32, WGL_ALPHA_BITS_ARB, 8,
        WGL_DEPTH_BITS_ARB, 24, WGL_STENCIL_BITS_ARB, 8, WGL_DOUBLE_BUFFER_ARB, 1,
        WGL_BIND_TO_TEXTURE_RGBA_ARB, 1, 0,
    };
    EXPECT_EQ(PbufferSurface::formatAttributes(32, 24, 8, extra), expected);
}

TEST(PbufferFormat, OtherColourDepthsAskForNoAlphaAndLeaveBufferingToTheDriver)
{
    const std::vector<int> expected = {
        WGL_DRAW_TO_PBUFFER_ARB, 1, WGL_COLOR_BITS_ARB, 24, WGL_ALPHA_BITS_ARB, 0,
        WGL_DEPTH_BITS_ARB, 16, WGL_STENCIL_BITS_ARB, 0, 0,
    };
    EXPECT_EQ(PbufferSurface::formatAttributes(24, 16, 0, nullptr), expected);
}

TEST_F(RenderTextureTest, TheTextureSamplesWhatWasDrawnIntoThePbuffer)
{
    PaintedTexture texture;
    ASSERT_EQ(texture.create(kWidth, kHeight), 1);
    EXPECT_EQ(texture.isReady(), 1);
    ASSERT_NE(texture.surface(), nullptr);
    EXPECT_EQ(texture.surface()->width(), kWidth);
    EXPECT_EQ(texture.surface()->height(), kHeight);
    uint32_t left = 0, right = 0;
    sampleInWindow(texture, left, right);
    EXPECT_EQ(left, kGreen);
    EXPECT_EQ(right, kRed);

    // Drawn again, as every frame does: the new picture is what is sampled.
    texture.left = kBlue;
    texture.right = kGreen;
    ASSERT_TRUE(texture.paint());
    sampleInWindow(texture, left, right);
    EXPECT_EQ(left, kBlue);
    EXPECT_EQ(right, kGreen);
    EXPECT_EQ(texture.release(), 1);
}

TEST_F(RenderTextureTest, CreationLeavesTheWindowsContextCurrent)
{
    HGLRC windowContext = wglGetCurrentContext();
    PaintedTexture texture;
    ASSERT_EQ(texture.create(kWidth, kHeight), 1);
    EXPECT_EQ(wglGetCurrentContext(), windowContext);
    EXPECT_EQ(wglGetCurrentDC(), window.dc());
    ASSERT_EQ(texture.makeCurrent(), 1);
    EXPECT_NE(wglGetCurrentContext(), windowContext);
    EXPECT_TRUE(texture.makeWindowCurrent());
    EXPECT_EQ(wglGetCurrentContext(), windowContext);
    texture.release();
}

TEST_F(RenderTextureTest, TheTextureIsLinearRepeatingAndAtTheDriversMaximumAnisotropy)
{
    PaintedTexture texture;
    ASSERT_EQ(texture.create(kWidth, kHeight), 1);
    glBindTexture(GL_TEXTURE_2D, texture.textureName());
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    ASSERT_TRUE(WglEntryPoints::extensions().anisotropic());
    GLfloat maximum = 0, anisotropy = 0;
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
    EXPECT_GT(maximum, 1.0f);
    EXPECT_EQ(anisotropy, maximum);
    EXPECT_FALSE(WglEntryPoints::extensions().generateMipmap());
    texture.release();
}

TEST_F(RenderTextureTest, CreatingTwiceFailsAndKeepsTheFirst)
{
    PaintedTexture texture;
    ASSERT_EQ(texture.create(kWidth, kHeight), 1);
    const GLuint name = texture.textureName();
    const HPBUFFERARB pbuffer = texture.surface()->pbuffer();
    EXPECT_EQ(texture.create(256, 256), 0);
    EXPECT_EQ(texture.isReady(), 1);
    EXPECT_EQ(texture.textureName(), name);
    EXPECT_EQ(texture.surface()->pbuffer(), pbuffer);
    uint32_t left = 0, right = 0;
    sampleInWindow(texture, left, right);
    EXPECT_EQ(left, kGreen);
    texture.release();
}

TEST_F(RenderTextureTest, WithoutContentItNeverBecomesReadyAndBindsNothing)
{
    PaintedTexture texture;
    texture.contentResult = 0;
    EXPECT_EQ(texture.create(kWidth, kHeight), 0);
    EXPECT_EQ(texture.isReady(), 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    texture.bind();
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    // A retry after the failure reuses the texture name it already has.
    const GLuint name = texture.textureName();
    texture.contentResult = 1;
    EXPECT_EQ(texture.create(kWidth, kHeight), 1);
    EXPECT_EQ(texture.textureName(), name);
    texture.release();

    RenderTexture plain;
    EXPECT_EQ(plain.create(kWidth, kHeight), 0);
    EXPECT_EQ(plain.isReady(), 0);
}

TEST_F(RenderTextureTest, ReleaseEndsReadinessEvenWhenNothingWasCreated)
{
    RenderTexture never;
    EXPECT_EQ(never.release(), 1);
    EXPECT_EQ(never.isReady(), 0);
    EXPECT_EQ(never.makeCurrent(), 0);

    PaintedTexture texture;
    ASSERT_EQ(texture.create(kWidth, kHeight), 1);
    texture.release();
    EXPECT_EQ(texture.isReady(), 0);
    EXPECT_EQ(texture.surface()->pbuffer(), nullptr);
    EXPECT_EQ(texture.makeCurrent(), 0);
}

} // namespace
