#pragma once
#include <windows.h>

#include <commctrl.h>

// Owns one GDI or common-control handle and releases it with the call its kind needs.
template <class Handle, BOOL(WINAPI* Release)(Handle)> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            reset(other.handle_);
            other.handle_ = nullptr;
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr)
    {
        if (handle_)
            Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

namespace handle_release {
inline BOOL WINAPI deleteBitmap(HBITMAP bitmap)
{
    return DeleteObject(bitmap);
}
inline BOOL WINAPI deleteFont(HFONT font)
{
    return DeleteObject(font);
}
}

using BitmapHandle = UniqueHandle<HBITMAP, handle_release::deleteBitmap>;
using FontHandle = UniqueHandle<HFONT, handle_release::deleteFont>;
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageList_Destroy>;
