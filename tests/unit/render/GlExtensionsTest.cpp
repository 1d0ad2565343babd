#include "assets/GlExtensions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Wgl = ExtensionResolver::WglExtension;

class RecordingResolver : public ExtensionResolver {
public:
    bool hasExtensionString = true;
    std::vector<Wgl> resolved;

    bool resolveExtensionString() override { return hasExtensionString; }
    void resolve(Wgl extension) override { resolved.push_back(extension); }
};

const char kAnisotropic[] = "GL_EXT_texture_filter_anisotropic";

TEST(ExtensionTokens, OnlyWholeTokensMatch)
{
    EXPECT_TRUE(GlExtensions::listContains(kAnisotropic, kAnisotropic));
    EXPECT_TRUE(GlExtensions::listContains("GL_A GL_EXT_texture_filter_anisotropic GL_B", kAnisotropic));
    EXPECT_TRUE(GlExtensions::listContains("GL_A GL_EXT_texture_filter_anisotropic", kAnisotropic));
    EXPECT_TRUE(GlExtensions::listContains("GL_A GL_EXT_texture_filter_anisotropic ", kAnisotropic));
    EXPECT_FALSE(GlExtensions::listContains("GL_EXT_texture_filter_anisotropic2 GL_B", kAnisotropic));
    EXPECT_FALSE(GlExtensions::listContains("GL_EXT_texture_filter_anisotropicX", kAnisotropic));
    EXPECT_FALSE(GlExtensions::listContains("GL_EXT_texture_filter", kAnisotropic));
    EXPECT_FALSE(GlExtensions::listContains("XGL_EXT_texture_filter_anisotropic", kAnisotropic));
}

TEST(ExtensionTokens, EmptyTokensAndEmptyNamesMatchNothing)
{
    EXPECT_FALSE(GlExtensions::listContains("", ""));
    EXPECT_FALSE(GlExtensions::listContains("GL_A  GL_B", ""));
    EXPECT_FALSE(GlExtensions::listContains(" ", ""));
    EXPECT_TRUE(GlExtensions::listContains("  GL_A  ", "GL_A"));
    EXPECT_FALSE(GlExtensions::listContains(nullptr, "GL_A"));
    EXPECT_FALSE(GlExtensions::listContains("", "GL_A"));
}

TEST(GlExtensionFlags, TheExtensionStringEntryPointCanTurnItsFlagOff)
{
    RecordingResolver resolver;
    GlExtensions extensions(resolver);
    EXPECT_TRUE(extensions.loadExtensionString());
    resolver.hasExtensionString = false;
    EXPECT_FALSE(extensions.loadExtensionString());
    EXPECT_FALSE(extensions.extensionString());
}

TEST(WglExtensionFlags, EntryPointsAreResolvedOnlyForFoundExtensions)
{
    RecordingResolver resolver;
    GlExtensions extensions(resolver);
    const char wgl[] = "WGL_ARB_extensions_string WGL_ARB_pbuffer WGL_ARB_pixel_format";
    EXPECT_TRUE(extensions.checkPbuffer(wgl));
    EXPECT_TRUE(extensions.checkPixelFormat(wgl));
    EXPECT_FALSE(extensions.checkRenderTexture(wgl));
    EXPECT_EQ(resolver.resolved, (std::vector<Wgl>{Wgl::Pbuffer, Wgl::PixelFormat}));
}

TEST(WglExtensionFlags, AFoundExtensionStaysFoundAndIsResolvedAgain)
{
    RecordingResolver resolver;
    GlExtensions extensions(resolver);
    EXPECT_TRUE(extensions.checkRenderTexture("WGL_ARB_render_texture"));
    EXPECT_TRUE(extensions.checkRenderTexture("WGL_ARB_pbuffer"));
    EXPECT_EQ(resolver.resolved, (std::vector<Wgl>{Wgl::RenderTexture, Wgl::RenderTexture}));
}

TEST(WglExtensionFlags, ANullStringFailsAndLeavesEarlierResultsAlone)
{
    RecordingResolver resolver;
    GlExtensions extensions(resolver);
    extensions.checkPbuffer("WGL_ARB_pbuffer");
    resolver.resolved.clear();
    EXPECT_FALSE(extensions.checkPbuffer(nullptr));
    EXPECT_FALSE(extensions.checkPixelFormat(nullptr));
    EXPECT_TRUE(extensions.pbuffer());
    EXPECT_FALSE(extensions.pixelFormat());
    EXPECT_TRUE(resolver.resolved.empty());
}

}  // namespace
