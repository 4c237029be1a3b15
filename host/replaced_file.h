// A file written under a temporary name beside its target and renamed onto it only when complete,
// so a failed run never leaves a partial file behind.
#pragma once

#include <string>

class ReplacedFile {
public:
    explicit ReplacedFile(const std::string& target);
    ~ReplacedFile(); // removes the temporary file unless committed
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    const std::string& TempPath() const { return temp_; }
    const std::string& Target() const { return target_; }
    // Renames the finished temporary file onto the target.
    bool Commit(std::string& error);

private:
    std::string target_;
    std::string temp_;
    bool committed_ = false;
};

// Writes `bytes` to `path` through a ReplacedFile.
bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error);
// Reads a whole file of at most `limit` bytes.
bool ReadWholeFile(const std::string& path, size_t limit, std::string& bytes, std::string& error);
