// A byte stream in memory, as hosts hand to get/setState: reads and writes at a position that
// seek and tell move. A read limit hands out at most that many bytes per read, as some hosts'
// streams do, to check that the plug-in reads until it has what it needs.
#pragma once

#include "host/vst3/host_object.h"

#include <vector>

class MemoryStream final : public HostObject<vst3::IBStream> {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<char> bytes) : bytes_(std::move(bytes)) {}

    const std::vector<char>& Bytes() const { return bytes_; }
    void SetReadLimit(int bytesPerRead) { readLimit_ = bytesPerRead; }
    void Rewind() { position_ = 0; }

    vst3::tresult queryInterface(const vst3::TUID id, void** obj) override;
    vst3::tresult read(void* buffer, vst3::int32 numBytes, vst3::int32* numBytesRead) override;
    vst3::tresult write(void* buffer, vst3::int32 numBytes, vst3::int32* numBytesWritten) override;
    vst3::tresult seek(vst3::int64 pos, vst3::int32 mode, vst3::int64* result) override;
    vst3::tresult tell(vst3::int64* pos) override;

private:
    std::vector<char> bytes_;
    vst3::int64 position_ = 0;
    int readLimit_ = 0; // 0: no limit
};
