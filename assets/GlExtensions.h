#pragma once
#include <cstdint>

// Resolves the entry points of the WGL extensions once they are known to exist.
class ExtensionResolver {
public:
    enum class WglExtension { Pbuffer, PixelFormat, RenderTexture };

    virtual ~ExtensionResolver() = default;
    // True when wglGetExtensionsStringARB is available.
    virtual bool resolveExtensionString() = 0;
    virtual void resolve(WglExtension extension) = 0;
};

// Which optional GL and WGL extensions the driver offers. Flags only ever turn on,
// except the generate-mipmap flag, which the render texture clears.
class GlExtensions {
public:
    explicit GlExtensions(ExtensionResolver& resolver) : resolver_(resolver) {}

    // True when name is one whole space-separated token of list.
    static bool listContains(const char* list, const char* name);

    // list: the GL_EXTENSIONS string, null without a current context.
    bool checkAnisotropic(const char* list);
    bool checkGenerateMipmap(const char* list);
    void clearGenerateMipmap() { generateMipmap_ = 0; }

    // The only check that can turn its flag off again.
    bool loadExtensionString();

    // list: the WGL extension string of the window's device context.
    bool checkPbuffer(const char* list);
    bool checkPixelFormat(const char* list);
    bool checkRenderTexture(const char* list);

    bool anisotropic() const { return anisotropic_ != 0; }
    bool generateMipmap() const { return generateMipmap_ != 0; }
    bool extensionString() const { return extensionString_ != 0; }
    bool pbuffer() const { return pbuffer_ != 0; }
    bool pixelFormat() const { return pixelFormat_ != 0; }
    bool renderTexture() const { return renderTexture_ != 0; }

private:
    static bool scan(const char* list, const char* name, uint8_t& flag);
    bool checkWgl(const char* list, const char* name, uint8_t& flag, ExtensionResolver::WglExtension extension);

    ExtensionResolver& resolver_;
    uint8_t anisotropic_ = 0;
    uint8_t generateMipmap_ = 0;
    uint8_t extensionString_ = 0;
    uint8_t pbuffer_ = 0;
    uint8_t pixelFormat_ = 0;
    uint8_t renderTexture_ = 0;
};
