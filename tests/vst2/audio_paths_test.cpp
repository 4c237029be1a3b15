// The three process callbacks: what they move from the host's inputs to its outputs.
#include "vst2_test_support.h"

#include <cfloat>
#include <cstring>
#include <xmmintrin.h>

namespace {

class AudioPaths : public LoadedPlugin {
protected:
    // The test effect's pass-through rendering.
    void PassThrough() { host.SetParameter(4, 0.0f); }
};

template <class T>
bool SameBits(const AudioBuffers<T>& a, const AudioBuffers<T>& b) {
    if (a.Channels() != b.Channels() || a.Frames() != b.Frames()) {
        return false;
    }
    for (int c = 0; c < a.Channels(); ++c) {
        if (std::memcmp(a.Channel(c), b.Channel(c), sizeof(T) * static_cast<size_t>(a.Frames())) !=
            0) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST_F(AudioPaths, ReplacingPassThroughCopiesEveryInputToItsOutput) {
    Open(256);
    PassThrough();
    AudioBuffers<float> in(2, 256), out(2, 256);
    FillSignal(in);
    out.Fill(9.0f);
    ASSERT_TRUE(host.ProcessFloat(in, out, ProcessMode::Replacing));
    EXPECT_TRUE(SameBits(in, out));
}

TEST_F(AudioPaths, AccumulatingAddsToWhatTheOutputsHold) {
    Open(256);
    PassThrough();
    AudioBuffers<float> in(2, 256), out(2, 256);
    FillSignal(in);
    out.Fill(0.5f);
    ASSERT_TRUE(host.ProcessFloat(in, out, ProcessMode::Accumulating));
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < 256; ++k) {
            ASSERT_EQ(out.At(c, k), in.At(c, k) + 0.5f) << c << ":" << k;
        }
    }
}

TEST_F(AudioPaths, DoubleReplacingKeepsFullPrecision) {
    Open(256);
    PassThrough();
    AudioBuffers<double> in(2, 256), out(2, 256);
    FillSignal(in);
    in.At(0, 3) = 1.0 + 1e-12; // not representable as a float
    ASSERT_TRUE(host.ProcessDouble(in, out));
    EXPECT_TRUE(SameBits(in, out));
}

TEST_F(AudioPaths, TheFloatPathMatchesTheDoublePathRoundedToFloat) {
    Open(128);
    AudioBuffers<float> in(2, 128), out(2, 128);
    FillSignal(in);
    AudioBuffers<double> inD(2, 128), outD(2, 128);
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < 128; ++k) {
            inD.At(c, k) = in.At(c, k);
        }
    }
    ASSERT_TRUE(host.ProcessFloat(in, out));
    ASSERT_TRUE(host.ProcessDouble(inD, outD));
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < 128; ++k) {
            ASSERT_EQ(out.At(c, k), static_cast<float>(outD.At(c, k)));
        }
    }
}

// A host that connects one input: only one input pointer is read, the second channel reads its
// own (silent) scratch.
TEST_F(AudioPaths, AMonoConnectionConsumesExactlyOneHostInput) {
    Open(64);
    PassThrough();
    VstSpeakerArrangement mono{};
    mono.type = kSpeakerArrMono;
    mono.numChannels = 1;
    VstSpeakerArrangement stereo{};
    stereo.type = kSpeakerArrStereo;
    stereo.numChannels = 2;
    ASSERT_EQ(
        host.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &stereo), 1);
    std::vector<float> first(64, 0.25f), second(64, 0.75f);
    std::vector<float> left(64, 9.f), right(64, 9.f);
    const float* in[2] = {first.data(), second.data()};
    float* out[2] = {left.data(), right.data()};
    host.ProcessReplacing(in, out, 64);
    for (int k = 0; k < 64; ++k) {
        ASSERT_EQ(left[static_cast<size_t>(k)], 0.25f);
        ASSERT_EQ(right[static_cast<size_t>(k)], 0.0f);
    }
    // The double path likewise leaves the second host input unread.
    std::vector<double> firstD(64, 0.5), secondD(64, 0.125), leftD(64, 9.0), rightD(64, 9.0);
    const double* inD[2] = {firstD.data(), secondD.data()};
    double* outD[2] = {leftD.data(), rightD.data()};
    host.ProcessDoubleReplacing(inD, outD, 64);
    EXPECT_EQ(leftD[10], 0.5);
    EXPECT_EQ(rightD[10], 0.0);
}

TEST_F(AudioPaths, ReconnectingStereoReadsBothInputsAgain) {
    Open(32);
    PassThrough();
    VstSpeakerArrangement mono{kSpeakerArrMono, 1, {}};
    VstSpeakerArrangement stereo{kSpeakerArrStereo, 2, {}};
    host.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &stereo);
    host.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&stereo), &stereo);
    AudioBuffers<float> in(2, 32), out(2, 32);
    FillSignal(in);
    ASSERT_TRUE(host.ProcessFloat(in, out));
    EXPECT_TRUE(SameBits(in, out));
}

TEST_F(AudioPaths, ABlockOfZeroFramesTouchesNothing) {
    Open(64);
    AudioBuffers<float> in(2, 0), out(2, 0);
    EXPECT_TRUE(host.ProcessFloat(in, out));
    float left = 3.f, right = 4.f;
    float* outs[2] = {&left, &right};
    const float* ins[2] = {&left, &right};
    host.ProcessReplacing(ins, outs, 0);
    EXPECT_EQ(left, 3.f);
    EXPECT_EQ(right, 4.f);
}

// Hosts must not send more frames than announced; one that does gets the result of the same
// stream cut into announced blocks, with nothing written past the scratch buffers.
TEST_F(AudioPaths, ABlockLongerThanAnnouncedIsProcessedInPieces) {
    Open(64);
    PassThrough();
    for (ProcessMode mode : {ProcessMode::Replacing, ProcessMode::Accumulating}) {
        AudioBuffers<float> in(2, 1000), out(2, 1000);
        FillSignal(in, 7);
        ASSERT_TRUE(host.ProcessFloat(in, out, mode));
        EXPECT_TRUE(SameBits(in, out));
    }
    AudioBuffers<double> inD(2, 1000), outD(2, 1000);
    FillSignal(inD, 8);
    ASSERT_TRUE(host.ProcessDouble(inD, outD));
    EXPECT_TRUE(SameBits(inD, outD));
}

TEST_F(AudioPaths, ALongBlockGivesWhatAnnouncedBlocksGiveForABlockwiseEffect) {
    Open(100); // the test effect's mixing rendering works block by block
    AudioBuffers<float> in(2, 300), whole(2, 300);
    FillSignal(in, 3);
    ASSERT_TRUE(host.ProcessFloat(in, whole));
    AudioBuffers<float> pieceIn(2, 100), pieceOut(2, 100);
    for (int p = 0; p < 3; ++p) {
        for (int c = 0; c < 2; ++c) {
            for (int k = 0; k < 100; ++k) {
                pieceIn.At(c, k) = in.At(c, p * 100 + k);
            }
        }
        ASSERT_TRUE(host.ProcessFloat(pieceIn, pieceOut));
        for (int c = 0; c < 2; ++c) {
            for (int k = 0; k < 100; ++k) {
                ASSERT_EQ(whole.At(c, p * 100 + k), pieceOut.At(c, k));
            }
        }
    }
}

// The test effect's mixing rendering reads each input from the far end of the block while it
// writes outputs from the front: in place, that reads overwritten samples unless the adapter
// keeps the inputs apart.
TEST_F(AudioPaths, InPlaceDoubleProcessingEqualsSeparateBuffersBitForBit) {
    Open(128);
    AudioBuffers<double> in(2, 300), out(2, 300);
    FillSignal(in, 11);
    AudioBuffers<double> io(2, 300);
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < 300; ++k) {
            io.At(c, k) = in.At(c, k);
        }
    }
    ASSERT_TRUE(host.ProcessDouble(in, out));
    ASSERT_TRUE(host.ProcessDoubleInPlace(io));
    EXPECT_TRUE(SameBits(out, io));
}

TEST_F(AudioPaths, InPlaceFloatProcessingEqualsSeparateBuffersOnBothFloatPaths) {
    Open(128);
    for (ProcessMode mode : {ProcessMode::Replacing, ProcessMode::Accumulating}) {
        AudioBuffers<float> in(2, 300), out(2, 300), io(2, 300);
        FillSignal(in, 12);
        for (int c = 0; c < 2; ++c) {
            for (int k = 0; k < 300; ++k) {
                io.At(c, k) = in.At(c, k);
                out.At(c, k) = in.At(c, k); // what an in-place output holds before the call
            }
        }
        ASSERT_TRUE(host.ProcessFloat(in, out, mode));
        ASSERT_TRUE(host.ProcessFloatInPlace(io, mode));
        EXPECT_TRUE(SameBits(out, io));
    }
}

TEST_F(AudioPaths, CrossedInPlaceBuffersEqualSeparateBuffers) {
    Open(64);
    AudioBuffers<double> in(2, 64), out(2, 64), io(2, 64);
    FillSignal(in, 13);
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < 64; ++k) {
            io.At(c, k) = in.At(c, k);
        }
    }
    ASSERT_TRUE(host.ProcessDouble(in, out));
    // Output 0 is the buffer of input 1 and output 1 that of input 0.
    const double* ins[2] = {io.Channel(0), io.Channel(1)};
    double* outs[2] = {io.Channel(1), io.Channel(0)};
    host.ProcessDoubleReplacing(ins, outs, 64);
    for (int k = 0; k < 64; ++k) {
        ASSERT_EQ(io.At(1, k), out.At(0, k));
        ASSERT_EQ(io.At(0, k), out.At(1, k));
    }
}

TEST_F(AudioPaths, SeparateInputBuffersAreLeftUntouched) {
    Open(64);
    AudioBuffers<double> in(2, 200), copy(2, 200), out(2, 200);
    FillSignal(in, 14);
    FillSignal(copy, 14);
    ASSERT_TRUE(host.ProcessDouble(in, out));
    EXPECT_TRUE(SameBits(in, copy));
}

// Denormal inputs read as zero inside the callback, and the caller's floating-point control word
// is the same afterwards.
TEST_F(AudioPaths, DenormalInputLeavesAsZeroAndTheCallersFloatingPointStateSurvives) {
    Open(64);
    PassThrough();
    AudioBuffers<float> in(2, 64), out(2, 64);
    in.Fill(FLT_MIN / 4.0f);
    const unsigned before = _mm_getcsr();
    ASSERT_TRUE(host.ProcessFloat(in, out));
    EXPECT_EQ(_mm_getcsr(), before);
    EXPECT_EQ(out.At(0, 0), 0.0f);
    EXPECT_EQ(out.At(1, 63), 0.0f);
    // A caller running with its own flush mode gets it back too.
    _mm_setcsr(before | 0x8040);
    ASSERT_TRUE(host.ProcessFloat(in, out));
    EXPECT_EQ(_mm_getcsr(), before | 0x8040);
    _mm_setcsr(before);
}
