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

// Which optional WGL extensions the driver offers. Flags only ever turn on, except
// the extension-string flag.
class GlExtensions {
public:
    explicit GlExtensions(ExtensionResolver& resolver) : resolver_(resolver) {}

    // True when name is one whole space-separated token of list.
    static bool listContains(const char* list, const char* name);

    // The only check that can turn its flag off again.
    bool loadExtensionString();

    // list: the WGL extension string of the window's device context.
    bool checkPbuffer(const char* list);
    bool checkPixelFormat(const char* list);
    bool checkRenderTexture(const char* list);

    bool extensionString() const { return extensionString_ != 0; }
    bool pbuffer() const { return pbuffer_ != 0; }
    bool pixelFormat() const { return pixelFormat_ != 0; }
    bool renderTexture() const { return renderTexture_ != 0; }

private:
    static bool scan(const char* list, const char* name, uint8_t& flag);
    bool checkWgl(const char* list, const char* name, uint8_t& flag, ExtensionResolver::WglExtension extension);

    ExtensionResolver& resolver_;
    uint8_t extensionString_ = 0;
    uint8_t pbuffer_ = 0;
    uint8_t pixelFormat_ = 0;
    uint8_t renderTexture_ = 0;
};
