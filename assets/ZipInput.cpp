#include "assets/ZipInput.h"

#include "assets/ResourceStream.h"

namespace {

ResourceStream* asStream(voidpf stream)
{
    return static_cast<ResourceStream*>(stream);
}

voidpf ZCALLBACK openSource(voidpf opaque, const char*, int mode)
{
    // The reader only ever asks to read an existing file.
    const char* fileMode = (mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) == ZLIB_FILEFUNC_MODE_READ ? "rb" : "";
    const ZipSource* source = static_cast<const ZipSource*>(opaque);
    return ResourceStream::open(source->data, source->size, fileMode);
}

uLong ZCALLBACK readSource(voidpf, voidpf stream, void* buffer, uLong size)
{
    return static_cast<uLong>(asStream(stream)->read(1, size, buffer));
}

uLong ZCALLBACK refuseWrite(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

long ZCALLBACK tellSource(voidpf, voidpf stream)
{
    return static_cast<long>(asStream(stream)->tell());
}

long ZCALLBACK seekSource(voidpf, voidpf stream, uLong offset, int origin)
{
    ResourceStream::Origin from = ResourceStream::Start;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        from = ResourceStream::Current;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        from = ResourceStream::End;
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    return asStream(stream)->seek(static_cast<int64_t>(offset), from);
}

int ZCALLBACK closeSource(voidpf, voidpf stream)
{
    ResourceStream::close(asStream(stream));
    return 0;
}

int ZCALLBACK sourceError(voidpf, voidpf stream)
{
    return asStream(stream)->error();
}

}  // namespace

void makeZipInput(zlib_filefunc_def& functions, ZipSource& source)
{
    functions.zopen_file = openSource;
    functions.zread_file = readSource;
    functions.zwrite_file = refuseWrite;
    functions.ztell_file = tellSource;
    functions.zseek_file = seekSource;
    functions.zclose_file = closeSource;
    functions.zerror_file = sourceError;
    functions.opaque = &source;
}
