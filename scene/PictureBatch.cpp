#include "scene/PictureBatch.h"

#include <cstdlib>

#include "assets/ImageLoader.h"

// Pictures nobody decodes yet are left alone: the helpers stop after their current one.
PictureBatch::~PictureBatch()
{
    next_ = count();
    finish();
    for (int i = 0; i < count(); ++i)
        release(i);
}

void PictureBatch::add(const char* pattern, int number)
{
    pictures_.emplace_back();
    PackMembers::numbered(pictures_.back().name, pattern, number);
}

void PictureBatch::start(ResourcePack& pack, SceneHost& host)
{
    decoded_.reset(new std::atomic<bool>[pictures_.size()]);
    for (int i = 0; i < count(); ++i) {
        decoded_[i] = false;
        pictures_[i].size = pack.extract(pictures_[i].name, &pictures_[i].bytes);
    }
    host_ = &host;
    host.startHelpers(helperWork, this);
}

bool PictureBatch::helperWork(void* batch)
{
    return static_cast<PictureBatch*>(batch)->decodeNext();
}

bool PictureBatch::decodeNext()
{
    const int index = next_++;
    if (index >= count())
        return false;
    Picture& picture = pictures_[index];
    if (picture.size > 0)
        ImageLoader::decode(picture.image, picture.bytes, picture.size, picture.name);
    std::free(picture.bytes);
    picture.bytes = nullptr;
    decoded_[index].store(true, std::memory_order_release);
    return true;
}

// With nothing left to claim, the picture is in a helper's hands: waiting for all of
// them costs no more than waiting for that one.
const Image& PictureBatch::image(int index)
{
    while (!decoded_[index].load(std::memory_order_acquire)) {
        if (!decodeNext())
            finish();
    }
    return pictures_[index].image;
}

void PictureBatch::finish()
{
    if (host_)
        host_->joinHelpers();
    host_ = nullptr;
}

void PictureBatch::release(int index)
{
    Picture& picture = pictures_[index];
    std::free(picture.bytes);
    picture.bytes = nullptr;
    std::free(picture.image.pixels);
    picture.image.pixels = nullptr;
}
