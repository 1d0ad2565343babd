#include "scene/PictureBatch.h"

#include <cstdlib>

#include "assets/ImageLoader.h"

PictureBatch::~PictureBatch()
{
    for (int i = 0; i < count(); ++i)
        release(i);
}

void PictureBatch::add(const char* pattern, int number)
{
    pictures_.emplace_back();
    PackMembers::numbered(pictures_.back().name, pattern, number);
}

void PictureBatch::load(ResourcePack& pack, SceneHost& host)
{
    for (Picture& picture : pictures_)
        picture.size = pack.extract(picture.name, &picture.bytes);
    host.runEach(count(), decodeOne, this);
}

void PictureBatch::decodeOne(void* batch, int index)
{
    Picture& picture = static_cast<PictureBatch*>(batch)->pictures_[index];
    if (picture.size > 0)
        ImageLoader::decode(picture.image, picture.bytes, picture.size, picture.name);
    std::free(picture.bytes);
    picture.bytes = nullptr;
}

void PictureBatch::release(int index)
{
    Picture& picture = pictures_[index];
    std::free(picture.bytes);
    picture.bytes = nullptr;
    std::free(picture.image.pixels);
    picture.image.pixels = nullptr;
}
