// The byte streams a host hands to state save and load: moving at most a set number of bytes per
// call (hosts may move fewer than asked) and, to test recovery, failing after a set number.
#pragma once

#include "clap/clap_abi.h"

#include <cstdint>
#include <limits>
#include <vector>

struct StreamLimits {
    std::uint64_t perCall = std::numeric_limits<std::uint64_t>::max();
    // After this many bytes every call answers -1.
    std::uint64_t failAfter = std::numeric_limits<std::uint64_t>::max();
};

class ClapReadStream {
public:
    ClapReadStream(const std::vector<std::uint8_t>& bytes, StreamLimits limits = {});
    const clap_istream* Stream() const { return &stream_; }

private:
    clap_istream stream_{};
    const std::vector<std::uint8_t>& bytes_;
    StreamLimits limits_;
    std::uint64_t at_ = 0;
};

class ClapWriteStream {
public:
    explicit ClapWriteStream(StreamLimits limits = {});
    const clap_ostream* Stream() const { return &stream_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    clap_ostream stream_{};
    std::vector<std::uint8_t> bytes_;
    StreamLimits limits_;
};
