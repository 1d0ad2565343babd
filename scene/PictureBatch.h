#pragma once
#include <vector>

#include "assets/Image.h"
#include "assets/ResourcePack.h"
#include "scene/PackMembers.h"
#include "scene/SceneHost.h"

// Pictures of the pack loaded together: their bytes are extracted one after the other
// (the pack reads one member at a time), then decoded through the host's runEach,
// which may use every core. The caller uploads them in order on its GL thread.
class PictureBatch {
public:
    PictureBatch() = default;
    PictureBatch(const PictureBatch&) = delete;
    PictureBatch& operator=(const PictureBatch&) = delete;
    ~PictureBatch();

    // Member pattern with its number (see PackMembers::numbered); the picture's index
    // in the batch is its order of adding.
    void add(const char* pattern, int number);
    // Extracts and decodes every picture; one that fails keeps empty pixels.
    void load(ResourcePack& pack, SceneHost& host);
    int count() const { return static_cast<int>(pictures_.size()); }
    // Null pixels when that picture could not be loaded.
    const Image& image(int index) const { return pictures_[index].image; }
    // Frees a picture's pixels once GL has its copy.
    void release(int index);

private:
    struct Picture {
        char name[PackMembers::nameSize];
        void* bytes = nullptr;
        size_t size = 0;
        Image image;
    };
    static void decodeOne(void* batch, int index);

    std::vector<Picture> pictures_;
};
