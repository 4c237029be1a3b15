#include "host/replaced_file.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

ReplacedFile::ReplacedFile(const std::string& target) : target_(target) {
    const fs::path path(target);
    std::random_device random;
    const std::string tag = std::to_string(random() % 1000000u);
    temp_ = (path.parent_path() / ("." + path.filename().string() + ".part-" + tag)).string();
}

ReplacedFile::~ReplacedFile() {
    if (!committed_) {
        std::error_code ignored;
        fs::remove(temp_, ignored);
    }
}

bool ReplacedFile::Commit(std::string& error) {
    std::error_code code;
    fs::rename(temp_, target_, code);
    if (code) {
        error = "cannot write " + target_ + ": " + code.message();
        return false;
    }
    committed_ = true;
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) {
    ReplacedFile file(path);
    {
        std::ofstream out(file.TempPath(), std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "cannot write " + path;
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            error = "cannot write " + path + " (disk full?)";
            return false;
        }
    }
    return file.Commit(error);
}

bool ReadWholeFile(const std::string& path, size_t limit, std::string& bytes, std::string& error) {
    std::error_code code;
    if (!fs::is_regular_file(path, code)) {
        error =
            "cannot read " + path + ": " + (fs::exists(path, code) ? "not a file" : "no such file");
        return false;
    }
    const auto size = fs::file_size(path, code);
    if (code || size > limit) {
        error = code ? "cannot read " + path + ": " + code.message()
                     : path + " is too large (over " + std::to_string(limit) + " bytes)";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    bytes.assign(static_cast<size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size))) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}
