#include <windows.h>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <vector>

#include "assets/TextureUpload.h"
#include "tests/windows/common/GlTestWindow.h"

namespace {

GLint parameter(GLenum name)
{
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint levelWidth(GLint level)
{
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    return width;
}

class TextureUploadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.ready() && window.makeCurrent()); }

    // A w x h picture whose pixel (x, y) is (x, y, 7); rows top first.
    Image picture(int width, int height)
    {
        bytes.resize(static_cast<size_t>(width) * height * 3);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                unsigned char* pixel = &bytes[(static_cast<size_t>(y) * width + x) * 3];
                pixel[0] = static_cast<unsigned char>(x);
                pixel[1] = static_cast<unsigned char>(y);
                pixel[2] = 7;
            }
        }
        Image image;
        image.width = width;
        image.height = height;
        image.bitsPerPixel = 24;
        image.pixels = bytes.data();
        return image;
    }

    GlTestWindow& window = GlTestWindow::shared();
    std::vector<unsigned char> bytes;
};

struct ProfileCase {
    UploadProfile profile;
    GLint minFilter;
    GLint wrap;
    bool mipmapped;
};

TEST_F(TextureUploadTest, EachProfileSetsItsFilteringWrappingAndLevels)
{
    const ProfileCase cases[] = {
        {UploadProfile::Sprite, GL_LINEAR, GL_REPEAT, false},
        {UploadProfile::SpriteClamped, GL_LINEAR, GL_CLAMP, false},
        {UploadProfile::Mipmapped, GL_LINEAR_MIPMAP_LINEAR, GL_REPEAT, true},
        {UploadProfile::MipmappedClamped, GL_LINEAR_MIPMAP_LINEAR, GL_CLAMP, true},
    };
    for (const ProfileCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.profile));
        GLuint name = uploadTexture(picture(16, 8), c.profile);
        ASSERT_NE(name, 0u);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), name);
        EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), c.minFilter);
        EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), c.wrap);
        EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), c.wrap);
        EXPECT_EQ(levelWidth(0), 16);
        EXPECT_EQ(levelWidth(1), c.mipmapped ? 8 : 0);
        EXPECT_EQ(levelWidth(4), c.mipmapped ? 1 : 0);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUploadTest, TheTopRowBecomesRowZeroAndNarrowRowsAreReadTightlyPacked)
{
    // Three pixels make a 9-byte row: with 4-byte alignment GL would read past the buffer.
    uploadTexture(picture(3, 2), UploadProfile::Sprite);
    std::vector<unsigned char> read(3 * 2 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, read.data());
    EXPECT_EQ(read, bytes);
}

TEST_F(TextureUploadTest, AnImageWithoutPixelsOrOfAnUnknownDepthMakesNoTexture)
{
    Image empty;
    EXPECT_EQ(uploadTexture(empty, UploadProfile::Sprite), 0u);
    Image odd = picture(4, 4);
    odd.bitsPerPixel = 8;
    EXPECT_EQ(uploadTexture(odd, UploadProfile::Mipmapped), 0u);
    Image negative = picture(4, 4);
    negative.height = -4;
    EXPECT_EQ(uploadTexture(negative, UploadProfile::Sprite), 0u);
}

}  // namespace
