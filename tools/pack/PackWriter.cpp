#include "tools/pack/PackWriter.h"

#include <minizip/zip.h>

void PackWriter::add(const std::string& name, std::vector<uint8_t> bytes)
{
    members_.push_back({name, std::move(bytes)});
}

bool PackWriter::write(const std::string& path) const
{
    zipFile zip = zipOpen(path.c_str(), APPEND_STATUS_CREATE);
    if (!zip)
        return false;
    bool ok = true;
    for (const Member& member : members_) {
        zip_fileinfo info{};
        info.tmz_date.tm_year = 2026;
        info.tmz_date.tm_mon = 0;  // January
        info.tmz_date.tm_mday = 1;
        ok = ok && zipOpenNewFileInZip(zip, member.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                       Z_BEST_COMPRESSION) == ZIP_OK;
        ok = ok && zipWriteInFileInZip(zip, member.bytes.data(), static_cast<unsigned>(member.bytes.size())) == ZIP_OK;
        ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}
