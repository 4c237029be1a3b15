#include "host/vst3/memory_stream.h"

#include <algorithm>
#include <cstring>

using namespace vst3;

tresult MemoryStream::queryInterface(const TUID id, void** obj) {
    return AnswerQuery<Offer<FUnknown>, Offer<IBStream>>(this, id, obj);
}

tresult MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
    if (numBytesRead != nullptr) {
        *numBytesRead = 0;
    }
    if (numBytes < 0 || (buffer == nullptr && numBytes > 0)) {
        return kInvalidArgument;
    }
    const int64 available = std::max<int64>(0, static_cast<int64>(bytes_.size()) - position_);
    int64 count = std::min<int64>(numBytes, available);
    if (readLimit_ > 0) {
        count = std::min<int64>(count, readLimit_);
    }
    if (count > 0) {
        std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(count));
    }
    position_ += count;
    if (numBytesRead != nullptr) {
        *numBytesRead = static_cast<int32>(count);
    }
    return kResultOk;
}

tresult MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
    if (numBytesWritten != nullptr) {
        *numBytesWritten = 0;
    }
    if (numBytes < 0 || (buffer == nullptr && numBytes > 0)) {
        return kInvalidArgument;
    }
    const auto end = static_cast<size_t>(position_) + static_cast<size_t>(numBytes);
    if (end > bytes_.size()) {
        bytes_.resize(end);
    }
    if (numBytes > 0) {
        std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(numBytes));
    }
    position_ = static_cast<int64>(end);
    if (numBytesWritten != nullptr) {
        *numBytesWritten = numBytes;
    }
    return kResultOk;
}

tresult MemoryStream::seek(int64 pos, int32 mode, int64* result) {
    int64 base = 0;
    if (mode == kIBSeekCur) {
        base = position_;
    } else if (mode == kIBSeekEnd) {
        base = static_cast<int64>(bytes_.size());
    } else if (mode != kIBSeekSet) {
        return kInvalidArgument;
    }
    if (base + pos < 0) {
        return kInvalidArgument;
    }
    position_ = base + pos;
    if (result != nullptr) {
        *result = position_;
    }
    return kResultOk;
}

tresult MemoryStream::tell(int64* pos) {
    if (pos == nullptr) {
        return kInvalidArgument;
    }
    *pos = position_;
    return kResultOk;
}
