#include "editor/image_cache.h"

#include "framework/pointer_list.h"
#include "platform/recursive_lock.h"

namespace {

struct CachedImage {
    CachedImage(int imageId, PX_Bitmap* image) : id(imageId), bitmap(image) {}
    ~CachedImage() { delete bitmap; }
    CachedImage(const CachedImage&) = delete;
    CachedImage& operator=(const CachedImage&) = delete;

    int id;
    PX_Bitmap* bitmap;
};

struct Cache {
    RecursiveLock lock;
    PointerList<CachedImage> entries;
};

// Built on first use; destroyed, with every image it holds, when the module is unloaded.
Cache& TheCache() {
    static Cache cache;
    return cache;
}

CachedImage* Find(Cache& cache, int id) {
    for (int i = 0; i < cache.entries.Count(); ++i) {
        if (cache.entries.Get(i)->id == id) {
            return cache.entries.Get(i);
        }
    }
    return nullptr;
}

} // namespace

PX_Bitmap* ImageCache::Obtain(int id, const std::function<PX_Bitmap*()>& load) {
    Cache& cache = TheCache();
    ScopedLock hold(cache.lock);
    if (CachedImage* found = Find(cache, id)) {
        return found->bitmap;
    }
    PX_Bitmap* bitmap = load();
    // A list that cannot grow deletes the entry, and with it the image: the caller gets null.
    return cache.entries.Append(new CachedImage(id, bitmap)) ? bitmap : nullptr;
}

int ImageCache::Count() {
    Cache& cache = TheCache();
    ScopedLock hold(cache.lock);
    return cache.entries.Count();
}

void ImageCache::Empty() {
    Cache& cache = TheCache();
    ScopedLock hold(cache.lock);
    cache.entries.DeleteAll();
}
