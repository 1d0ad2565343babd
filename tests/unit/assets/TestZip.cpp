#include "TestZip.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <minizip/zip.h>
#include <unistd.h>
#include <zlib.h>

namespace {

void addMember(zipFile zip, const TestMember& member)
{
    zip_fileinfo info = {};
    zipOpenNewFileInZip(zip, member.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                        member.deflated ? Z_DEFLATED : 0, Z_DEFAULT_COMPRESSION);
    zipWriteInFileInZip(zip, member.bytes.data(), static_cast<unsigned>(member.bytes.size()));
    zipCloseFileInZip(zip);
}

}  // namespace

std::vector<uint8_t> makeZip(const std::vector<TestMember>& members)
{
    char path[] = "/tmp/zandor-test-zip-XXXXXX";
    int descriptor = mkstemp(path);
    if (descriptor < 0)
        return {};
    close(descriptor);
    zipFile zip = zipOpen(path, APPEND_STATUS_CREATE);
    for (const TestMember& member : members)
        addMember(zip, member);
    zipClose(zip, nullptr);
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    unlink(path);
    return bytes;
}
