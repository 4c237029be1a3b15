// The file dialog's filter from a space-separated extension list: "png jpg" gives the pattern
// *.png;*.jpg, offered twice (as the description and as the pattern), and the default extension
// png. A list longer than the filter holds keeps the extensions that fit whole; a first extension
// too long to be the default leaves the dialog without one.
#pragma once

class FileFilter {
public:
    static constexpr int Capacity = 256;         // the whole filter, its terminators included
    static constexpr int ExtensionCapacity = 16; // the default extension, its terminator included

    explicit FileFilter(const char* extensions);

    // The filter for the dialog: description, pattern and a final terminator; null without any
    // extension.
    const char* Filter() const { return patternLength_ > 0 ? filter_ : nullptr; }
    // The first extension, or null.
    const char* DefaultExtension() const { return extension_[0] != '\0' ? extension_ : nullptr; }

private:
    char filter_[Capacity] = {};
    char extension_[ExtensionCapacity] = {};
    int patternLength_ = 0;
};
