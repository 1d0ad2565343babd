#pragma once
#include <windows.h>

#include <commctrl.h>

// The one owner of a Win32 handle: releases it with the call its kind needs when it
// goes out of scope or takes another. Moves, never copies. Header only, so that
// the launcher, which links nothing of the main program, owns its handles alike.
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
inline BOOL WINAPI closeKey(HKEY key)
{
    return RegCloseKey(key) == ERROR_SUCCESS;
}
inline BOOL WINAPI deleteBitmap(HBITMAP bitmap)
{
    return DeleteObject(bitmap);
}
inline BOOL WINAPI deleteFont(HFONT font)
{
    return DeleteObject(font);
}
}

// A registry key this program opened or created; never one of the predefined roots.
using KeyHandle = UniqueHandle<HKEY, handle_release::closeKey>;
// A process or thread handle, as CreateProcess hands them back.
using KernelHandle = UniqueHandle<HANDLE, CloseHandle>;
// A program file loaded as data.
using ModuleHandle = UniqueHandle<HMODULE, FreeLibrary>;
using BitmapHandle = UniqueHandle<HBITMAP, handle_release::deleteBitmap>;
using FontHandle = UniqueHandle<HFONT, handle_release::deleteFont>;
using IconHandle = UniqueHandle<HICON, DestroyIcon>;
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageList_Destroy>;
