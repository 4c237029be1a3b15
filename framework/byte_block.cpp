#include "framework/byte_block.h"

#include "framework/text_buffer.h"

std::int32_t ByteBlock::AppendBytes(const void* bytes, std::int32_t count) {
    const std::int32_t size = Size();
    const std::int64_t wanted = std::int64_t{size} + count;
    if (count <= 0 || bytes == nullptr || wanted > INT32_MAX) {
        return size;
    }
    buffer_.Resize(static_cast<std::int32_t>(wanted), false);
    if (Size() != wanted) {
        return size;
    }
    std::memcpy(Data() + size, bytes, static_cast<std::size_t>(count));
    return Size();
}

std::int32_t ByteBlock::AppendString(const char* text) {
    const std::size_t length = text != nullptr ? std::strlen(text) : 0;
    const std::int32_t size = Size();
    if (length > static_cast<std::size_t>(INT32_MAX) - 4 - static_cast<std::size_t>(size)) {
        return size;
    }
    // Grown once, so a block that cannot take the characters does not keep a lone length.
    const std::int32_t count = static_cast<std::int32_t>(length);
    buffer_.Resize(size + 4 + count, false);
    if (Size() != size + 4 + count) {
        return size;
    }
    std::memcpy(Data() + size, &count, 4);
    if (count > 0) {
        std::memcpy(Data() + size + 4, text, length);
    }
    return Size();
}

std::int32_t ByteBlock::ReadBytes(void* bytes, std::int32_t count, std::int32_t position) const {
    if (position < 0 || count < 0 || std::int64_t{position} + count > Size()) {
        return -1;
    }
    if (count > 0) {
        std::memcpy(bytes, Data() + position, static_cast<std::size_t>(count));
    }
    return position + count;
}

std::int32_t ByteBlock::ReadString(TextBuffer& text, std::int32_t position) const {
    std::int32_t length = 0;
    const std::int32_t start = Read(length, position);
    if (start < 0 || length < 0 || std::int64_t{start} + length > Size()) {
        return -1;
    }
    const char* characters = reinterpret_cast<const char*>(Data()) + start;
    const void* zero =
        length > 0 ? std::memchr(characters, 0, static_cast<std::size_t>(length)) : nullptr;
    const std::int32_t count =
        zero != nullptr ? static_cast<std::int32_t>(static_cast<const char*>(zero) - characters)
                        : length;
    text.WriteAt(0, characters, count);
    return start + length;
}

std::int32_t ByteBlock::ResizeZeroed(std::int32_t size) {
    const std::int32_t oldSize = Size();
    buffer_.Resize(size, true);
    if (Size() > oldSize) {
        std::memset(Data() + oldSize, 0, static_cast<std::size_t>(Size() - oldSize));
    }
    return oldSize;
}
