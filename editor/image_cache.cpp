#include "editor/image_cache.h"

#include "framework/pointer_list.h"
#include "framework/text_buffer.h"
#include "platform/recursive_lock.h"

namespace {

// What the layout knows of an image: its name and its size from the header.
struct DescribedImage {
    int id = 0;
    TextBuffer name;
    ImageSize size;
};

// The pixels of one image at one scale; null when the decode failed.
struct DecodedImage {
    DecodedImage(int imageId, int imageScale, PX_Bitmap* image)
        : id(imageId), scale(imageScale), bitmap(image) {}
    ~DecodedImage() { delete bitmap; }
    DecodedImage(const DecodedImage&) = delete;
    DecodedImage& operator=(const DecodedImage&) = delete;

    int id;
    int scale;
    PX_Bitmap* bitmap;
};

struct Cache {
    RecursiveLock lock;       // the two lists; held for lookups and inserts only
    RecursiveLock decodeLock; // one decode at a time; taken before lock, never after
    PointerList<DescribedImage> described;
    PointerList<DecodedImage> decoded;
};

// Built on first use; destroyed, with every image it holds, when the module is unloaded.
Cache& TheCache() {
    static Cache cache;
    return cache;
}

const DescribedImage* FindDescribed(const Cache& cache, int id) {
    for (int i = 0; i < cache.described.Count(); ++i) {
        if (cache.described.Get(i)->id == id) {
            return cache.described.Get(i);
        }
    }
    return nullptr;
}

const DecodedImage* FindDecoded(const Cache& cache, int id, int scale) {
    for (int i = 0; i < cache.decoded.Count(); ++i) {
        const DecodedImage* entry = cache.decoded.Get(i);
        if (entry->id == id && entry->scale == scale) {
            return entry;
        }
    }
    return nullptr;
}

// Under the list lock: the decoded entry, or whether the image may be decoded at all (with the
// name to decode it by).
const DecodedImage* Lookup(Cache& cache, int id, int scale, bool& decodable, TextBuffer& name) {
    ScopedLock hold(cache.lock);
    if (const DecodedImage* found = FindDecoded(cache, id, scale)) {
        return found;
    }
    const DescribedImage* described = FindDescribed(cache, id);
    decodable = described != nullptr && !described->size.IsEmpty();
    if (decodable) {
        name.Set(described->name.Text());
    }
    return nullptr;
}

} // namespace

ImageSize ImageCache::Describe(int id, const char* name,
                               const std::function<ImageSize()>& readSize) {
    Cache& cache = TheCache();
    ScopedLock hold(cache.lock);
    if (const DescribedImage* found = FindDescribed(cache, id)) {
        return found->size;
    }
    auto* described = new DescribedImage;
    described->id = id;
    described->name.Set(name);
    described->size = readSize();
    const ImageSize size = described->size;
    // A list that cannot grow forgets the entry: the header is read again next time.
    cache.described.Append(described);
    return size;
}

PX_Bitmap* ImageCache::Pixels(int id, int scale,
                              const std::function<PX_Bitmap*(const char* name)>& decode) {
    Cache& cache = TheCache();
    bool decodable = false;
    TextBuffer name;
    if (const DecodedImage* found = Lookup(cache, id, scale, decodable, name)) {
        return found->bitmap;
    }
    if (!decodable) {
        return nullptr;
    }
    ScopedLock decoding(cache.decodeLock);
    // Another editor may have decoded it while this one waited.
    if (const DecodedImage* found = Lookup(cache, id, scale, decodable, name)) {
        return found->bitmap;
    }
    PX_Bitmap* bitmap = decode(name.Text());
    ScopedLock hold(cache.lock);
    // A list that cannot grow deletes the entry, and with it the image: the caller gets null.
    return cache.decoded.Append(new DecodedImage(id, scale, bitmap)) ? bitmap : nullptr;
}

int ImageCache::DecodedCount() {
    Cache& cache = TheCache();
    ScopedLock hold(cache.lock);
    return cache.decoded.Count();
}

void ImageCache::Empty() {
    Cache& cache = TheCache();
    ScopedLock decoding(cache.decodeLock);
    ScopedLock hold(cache.lock);
    cache.decoded.DeleteAll();
    cache.described.DeleteAll();
}
