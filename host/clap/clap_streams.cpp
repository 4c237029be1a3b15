#include "host/clap/clap_streams.h"

#include <algorithm>
#include <cstring>

ClapReadStream::ClapReadStream(const std::vector<std::uint8_t>& bytes, StreamLimits limits)
    : bytes_(bytes), limits_(limits) {
    stream_.ctx = this;
    stream_.read = [](const clap_istream* stream, void* buffer,
                      std::uint64_t size) -> std::int64_t {
        auto* self = static_cast<ClapReadStream*>(stream->ctx);
        if (self->at_ >= self->limits_.failAfter || (buffer == nullptr && size > 0)) {
            return -1;
        }
        const std::uint64_t count =
            std::min({size, self->limits_.perCall, self->bytes_.size() - self->at_,
                      self->limits_.failAfter - self->at_});
        if (count > 0) {
            std::memcpy(buffer, self->bytes_.data() + self->at_, count);
        }
        self->at_ += count;
        return static_cast<std::int64_t>(count);
    };
}

ClapWriteStream::ClapWriteStream(StreamLimits limits) : limits_(limits) {
    stream_.ctx = this;
    stream_.write = [](const clap_ostream* stream, const void* buffer,
                       std::uint64_t size) -> std::int64_t {
        auto* self = static_cast<ClapWriteStream*>(stream->ctx);
        if (self->bytes_.size() >= self->limits_.failAfter || (buffer == nullptr && size > 0)) {
            return -1;
        }
        const std::uint64_t count =
            std::min({size, self->limits_.perCall, self->limits_.failAfter - self->bytes_.size()});
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        self->bytes_.insert(self->bytes_.end(), bytes, bytes + count);
        return static_cast<std::int64_t>(count);
    };
}
