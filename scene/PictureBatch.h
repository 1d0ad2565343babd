#pragma once
#include <atomic>
#include <memory>
#include <vector>

#include "assets/Image.h"
#include "assets/ResourcePack.h"
#include "scene/PackMembers.h"
#include "scene/SceneHost.h"

// Pictures of the pack loaded together. start extracts their bytes one after the other
// (the pack reads one member at a time) and lets the host's helper threads decode them,
// in order; image(i) then gives picture i, decoding pictures itself, in order, until i is
// done, so that the caller uploads each picture on its GL thread while the helpers go on
// with the next ones.
class PictureBatch {
public:
    PictureBatch() = default;
    PictureBatch(const PictureBatch&) = delete;
    PictureBatch& operator=(const PictureBatch&) = delete;
    // Waits for the helpers and frees what is left.
    ~PictureBatch();

    // Member pattern with its number (see PackMembers::numbered); the picture's index
    // in the batch is its order of adding. Before start only.
    void add(const char* pattern, int number);
    void start(ResourcePack& pack, SceneHost& host);
    int count() const { return static_cast<int>(pictures_.size()); }
    // Picture index, decoded; null pixels when it could not be loaded.
    const Image& image(int index);
    // Frees a picture's pixels once GL has its copy.
    void release(int index);

private:
    struct Picture {
        char name[PackMembers::nameSize];
        void* bytes = nullptr;
        size_t size = 0;
        Image image;
    };
    // Claims the next picture nobody decodes yet and decodes it; false when none is left.
    bool decodeNext();
    static bool helperWork(void* batch);
    void finish();

    std::vector<Picture> pictures_;
    std::unique_ptr<std::atomic<bool>[]> decoded_;
    std::atomic<int> next_{0};
    SceneHost* host_ = nullptr;
};
