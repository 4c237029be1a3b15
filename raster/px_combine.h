// Combine modes of the blit and fill operations: the low byte chooses the mode, bit 16 adds
// per-pixel weighting by the source (or fill colour) alpha; other bits are ignored.
#pragma once

constexpr int PX_COMBINE_MODE_MASK = 0xFF;
constexpr int PX_COMBINE_COPY = 0;
constexpr int PX_COMBINE_ADD = 1;
constexpr int PX_COMBINE_DODGE = 2;
constexpr int PX_COMBINE_MULTIPLY = 3;
constexpr int PX_COMBINE_OVERLAY = 4;
constexpr int PX_COMBINE_HSV_ADJUST = 5;
// 0xF0 + source channel + 4 * destination channel (0 blue, 1 green, 2 red, 3 alpha); blit only.
constexpr int PX_COMBINE_CHANNEL_COPY = 0xF0;
constexpr int PX_COMBINE_SOURCE_ALPHA = 0x10000;

constexpr int PX_ChannelCopyMode(int sourceChannel, int destChannel) {
    return PX_COMBINE_CHANNEL_COPY + (sourceChannel & 3) + 4 * (destChannel & 3);
}
