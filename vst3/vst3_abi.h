// The VST3 binary interface: the interfaces, ids, result codes and records this plug-in and its
// test host exchange, declared from the published interface facts. Interfaces are classes of pure
// virtual methods in vtable order (no destructor, no data); records use natural alignment, which is
// what the published headers' 16-byte packing gives on x86-64.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vst3 {

using int8 = std::int8_t;
using uint8 = std::uint8_t;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;
using tresult = int32;
using TBool = uint8;
using char8 = char;
using char16 = char16_t;
using TChar = char16;
using String128 = char16[128];
using FIDString = const char8*;
using TUID = char[16];
using ParamID = uint32;
using ParamValue = double;
using SpeakerArrangement = uint64;
using MediaType = int32;
using BusDirection = int32;
using IoMode = int32;
using UnitID = int32;
using ProgramListID = int32;
using FileDescriptor = int;
using TimerInterval = uint64;

// Windows lays ids out as COM GUIDs (first three fields little-endian); other systems keep all
// four 32-bit words big-endian. A host compares the raw bytes, so the wrong order hides every
// interface we offer.
#if defined(_WIN32)
constexpr bool kComIdLayout = true;
#else
constexpr bool kComIdLayout = false;
#endif

// A 16-byte interface or class id in this platform's byte order.
struct Uid {
    char bytes[16];
};

constexpr Uid MakeUid(uint32 l1, uint32 l2, uint32 l3, uint32 l4, bool com = kComIdLayout) {
    Uid id{};
    const uint32 words[4] = {l1, l2, l3, l4};
    for (int i = 0; i < 16; ++i) {
        id.bytes[i] = static_cast<char>((words[i / 4] >> (24 - 8 * (i % 4))) & 0xFF);
    }
    if (com) {
        // Data1 (4 bytes), Data2 and Data3 (2 bytes each) little-endian; Data4 stays as written.
        const int swapped[8] = {3, 2, 1, 0, 5, 4, 7, 6};
        const Uid big = id;
        for (int i = 0; i < 8; ++i) {
            id.bytes[i] = big.bytes[swapped[i]];
        }
    }
    return id;
}

// Result codes: COM's values on Windows, small integers elsewhere.
constexpr tresult kResultOk = 0;
constexpr tresult kResultTrue = 0;
constexpr tresult kResultFalse = 1;
#if defined(_WIN32)
constexpr tresult kNoInterface = static_cast<tresult>(0x80004002u);
constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057u);
constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001u);
constexpr tresult kInternalError = static_cast<tresult>(0x80004005u);
constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFFu);
constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000Eu);
#else
constexpr tresult kNoInterface = -1;
constexpr tresult kInvalidArgument = 2;
constexpr tresult kNotImplemented = 3;
constexpr tresult kInternalError = 4;
constexpr tresult kNotInitialized = 5;
constexpr tresult kOutOfMemory = 6;
#endif

// ---- The reference-counted base ---------------------------------------------------------------

class FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x00000000, 0x00000000, 0xC0000000, 0x00000046);
    virtual tresult queryInterface(const TUID interfaceId, void** obj) = 0;
    virtual uint32 addRef() = 0;
    virtual uint32 release() = 0;
};

class IPluginBase : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);
    virtual tresult initialize(FUnknown* context) = 0;
    virtual tresult terminate() = 0;
};

// ---- The factory --------------------------------------------------------------------------------

struct PFactoryInfo {
    enum : int32 {
        kClassesDiscardable = 1 << 0,
        kLicenseCheck = 1 << 1,
        kComponentNonDiscardable = 1 << 3,
        kUnicode = 1 << 4
    };
    char8 vendor[64];
    char8 url[256];
    char8 email[128];
    int32 flags;
};

struct PClassInfo {
    enum : int32 { kManyInstances = 0x7FFFFFFF };
    TUID cid;
    int32 cardinality;
    char8 category[32];
    char8 name[64];
};

struct PClassInfo2 {
    TUID cid;
    int32 cardinality;
    char8 category[32];
    char8 name[64];
    uint32 classFlags;
    char8 subCategories[128];
    char8 vendor[64];
    char8 version[64];
    char8 sdkVersion[64];
};

struct PClassInfoW {
    TUID cid;
    int32 cardinality;
    char8 category[32];
    char16 name[64];
    uint32 classFlags;
    char8 subCategories[128];
    char16 vendor[64];
    char16 version[64];
    char16 sdkVersion[64];
};

class IPluginFactory : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);
    virtual tresult getFactoryInfo(PFactoryInfo* info) = 0;
    virtual int32 countClasses() = 0;
    virtual tresult getClassInfo(int32 index, PClassInfo* info) = 0;
    virtual tresult createInstance(FIDString cid, FIDString interfaceId, void** obj) = 0;
};

class IPluginFactory2 : public IPluginFactory {
public:
    static constexpr Uid iid = MakeUid(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
    virtual tresult getClassInfo2(int32 index, PClassInfo2* info) = 0;
};

class IPluginFactory3 : public IPluginFactory2 {
public:
    static constexpr Uid iid = MakeUid(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);
    virtual tresult getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
    virtual tresult setHostContext(FUnknown* context) = 0;
};

class IHostApplication : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5);
    virtual tresult getName(String128 name) = 0;
    virtual tresult createInstance(TUID cid, TUID interfaceId, void** obj) = 0;
};

// ---- Streams ------------------------------------------------------------------------------------

class IBStream : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);
    enum : int32 { kIBSeekSet = 0, kIBSeekCur = 1, kIBSeekEnd = 2 };
    virtual tresult read(void* buffer, int32 numBytes, int32* numBytesRead) = 0;
    virtual tresult write(void* buffer, int32 numBytes, int32* numBytesWritten) = 0;
    virtual tresult seek(int64 pos, int32 mode, int64* result) = 0;
    virtual tresult tell(int64* pos) = 0;
};

// ---- The component ------------------------------------------------------------------------------

enum : MediaType { kAudio = 0, kEvent = 1 };
enum : BusDirection { kInput = 0, kOutput = 1 };
enum : int32 { kMain = 0, kAux = 1 };

struct BusInfo {
    enum : uint32 { kDefaultActive = 1 };
    MediaType mediaType;
    BusDirection direction;
    int32 channelCount;
    String128 name;
    int32 busType;
    uint32 flags;
};

struct RoutingInfo {
    MediaType mediaType;
    int32 busIndex;
    int32 channel;
};

class IComponent : public IPluginBase {
public:
    static constexpr Uid iid = MakeUid(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);
    virtual tresult getControllerClassId(TUID classId) = 0;
    virtual tresult setIoMode(IoMode mode) = 0;
    virtual int32 getBusCount(MediaType type, BusDirection dir) = 0;
    virtual tresult getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) = 0;
    virtual tresult getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
    virtual tresult activateBus(MediaType type, BusDirection dir, int32 index, TBool state) = 0;
    virtual tresult setActive(TBool state) = 0;
    virtual tresult setState(IBStream* state) = 0;
    virtual tresult getState(IBStream* state) = 0;
};

// ---- Processing ---------------------------------------------------------------------------------

enum : int32 { kSample32 = 0, kSample64 = 1 };
enum : int32 { kRealtime = 0, kPrefetch = 1, kOffline = 2 };

namespace SpeakerArr {
constexpr SpeakerArrangement kSpeakerL = 1u << 0;
constexpr SpeakerArrangement kSpeakerR = 1u << 1;
constexpr SpeakerArrangement kSpeakerM = 1u << 19;
constexpr SpeakerArrangement kMono = kSpeakerM;
constexpr SpeakerArrangement kStereo = kSpeakerL | kSpeakerR;
} // namespace SpeakerArr

struct ProcessSetup {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 maxSamplesPerBlock;
    double sampleRate;
};

struct AudioBusBuffers {
    int32 numChannels;
    uint64 silenceFlags;
    union {
        float** channelBuffers32;
        double** channelBuffers64;
    };
};

struct Chord {
    uint8 keyNote;
    uint8 rootNote;
    int16 chordMask;
};

struct FrameRate {
    uint32 framesPerSecond;
    uint32 flags;
};

struct ProcessContext {
    uint32 state;
    double sampleRate;
    int64 projectTimeSamples;
    int64 systemTime;
    int64 continousTimeSamples;
    double projectTimeMusic;
    double barPositionMusic;
    double cycleStartMusic;
    double cycleEndMusic;
    double tempo;
    int32 timeSigNumerator;
    int32 timeSigDenominator;
    Chord chord;
    int32 smpteOffsetSubframes;
    FrameRate frameRate;
    int32 samplesToNextClock;
};

class IParamValueQueue : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA);
    virtual ParamID getParameterId() = 0;
    virtual int32 getPointCount() = 0;
    virtual tresult getPoint(int32 index, int32& sampleOffset, ParamValue& value) = 0;
    virtual tresult addPoint(int32 sampleOffset, ParamValue value, int32& index) = 0;
};

class IParameterChanges : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D);
    virtual int32 getParameterCount() = 0;
    virtual IParamValueQueue* getParameterData(int32 index) = 0;
    virtual IParamValueQueue* addParameterData(const ParamID& id, int32& index) = 0;
};

// Note and data events; this effect takes none, so their layout stays undeclared.
struct Event;

class IEventList : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44);
    virtual int32 getEventCount() = 0;
    virtual tresult getEvent(int32 index, Event& e) = 0;
    virtual tresult addEvent(Event& e) = 0;
};

struct ProcessData {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 numSamples;
    int32 numInputs;
    int32 numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

class IAudioProcessor : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);
    virtual tresult setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                       SpeakerArrangement* outputs, int32 numOuts) = 0;
    virtual tresult getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) = 0;
    virtual tresult canProcessSampleSize(int32 symbolicSampleSize) = 0;
    virtual uint32 getLatencySamples() = 0;
    virtual tresult setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult setProcessing(TBool state) = 0;
    virtual tresult process(ProcessData& data) = 0;
    virtual uint32 getTailSamples() = 0;
};

class IProcessContextRequirements : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0);
    virtual uint32 getProcessContextRequirements() = 0;
};

// ---- The edit controller ------------------------------------------------------------------------

struct ParameterInfo {
    enum : int32 {
        kCanAutomate = 1 << 0,
        kIsReadOnly = 1 << 1,
        kIsWrapAround = 1 << 2,
        kIsList = 1 << 3,
        kIsHidden = 1 << 4,
        kIsProgramChange = 1 << 15,
        kIsBypass = 1 << 16,
    };
    ParamID id;
    String128 title;
    String128 shortTitle;
    String128 units;
    int32 stepCount;
    ParamValue defaultNormalizedValue;
    UnitID unitId;
    int32 flags;
};

enum : int32 {
    kReloadComponent = 1 << 0,
    kIoChanged = 1 << 1,
    kParamValuesChanged = 1 << 2,
    kLatencyChanged = 1 << 3,
    kParamTitlesChanged = 1 << 4,
};

constexpr UnitID kRootUnitId = 0;
constexpr UnitID kNoParentUnitId = -1;
constexpr ProgramListID kNoProgramListId = -1;
constexpr ParamID kNoParamId = 0xFFFFFFFFu;

class IComponentHandler : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);
    virtual tresult beginEdit(ParamID id) = 0;
    virtual tresult performEdit(ParamID id, ParamValue valueNormalized) = 0;
    virtual tresult endEdit(ParamID id) = 0;
    virtual tresult restartComponent(int32 flags) = 0;
};

class IPlugView;

class IEditController : public IPluginBase {
public:
    static constexpr Uid iid = MakeUid(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);
    virtual tresult setComponentState(IBStream* state) = 0;
    virtual tresult setState(IBStream* state) = 0;
    virtual tresult getState(IBStream* state) = 0;
    virtual int32 getParameterCount() = 0;
    virtual tresult getParameterInfo(int32 paramIndex, ParameterInfo& info) = 0;
    virtual tresult getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                          String128 string) = 0;
    virtual tresult getParamValueByString(ParamID id, TChar* string,
                                          ParamValue& valueNormalized) = 0;
    virtual ParamValue normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
    virtual ParamValue plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
    virtual ParamValue getParamNormalized(ParamID id) = 0;
    virtual tresult setParamNormalized(ParamID id, ParamValue value) = 0;
    virtual tresult setComponentHandler(IComponentHandler* handler) = 0;
    virtual IPlugView* createView(FIDString name) = 0;
};

// ---- Messages between the two halves ------------------------------------------------------------

class IAttributeList : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x1E5F0AEB, 0xCC7F4533, 0xA2544011, 0x38AD5EE4);
    using AttrID = const char*;
    virtual tresult setInt(AttrID id, int64 value) = 0;
    virtual tresult getInt(AttrID id, int64& value) = 0;
    virtual tresult setFloat(AttrID id, double value) = 0;
    virtual tresult getFloat(AttrID id, double& value) = 0;
    virtual tresult setString(AttrID id, const TChar* string) = 0;
    virtual tresult getString(AttrID id, TChar* string, uint32 sizeInBytes) = 0;
    virtual tresult setBinary(AttrID id, const void* data, uint32 sizeInBytes) = 0;
    virtual tresult getBinary(AttrID id, const void*& data, uint32& sizeInBytes) = 0;
};

class IMessage : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613);
    virtual FIDString getMessageID() = 0;
    virtual void setMessageID(FIDString id) = 0;
    virtual IAttributeList* getAttributes() = 0;
};

class IConnectionPoint : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1);
    virtual tresult connect(IConnectionPoint* other) = 0;
    virtual tresult disconnect(IConnectionPoint* other) = 0;
    virtual tresult notify(IMessage* message) = 0;
};

// ---- Units and program lists --------------------------------------------------------------------

struct UnitInfo {
    UnitID id;
    UnitID parentUnitId;
    String128 name;
    ProgramListID programListId;
};

struct ProgramListInfo {
    ProgramListID id;
    String128 name;
    int32 programCount;
};

class IUnitInfo : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1);
    virtual int32 getUnitCount() = 0;
    virtual tresult getUnitInfo(int32 unitIndex, UnitInfo& info) = 0;
    virtual int32 getProgramListCount() = 0;
    virtual tresult getProgramListInfo(int32 listIndex, ProgramListInfo& info) = 0;
    virtual tresult getProgramName(ProgramListID listId, int32 programIndex, String128 name) = 0;
    virtual tresult getProgramInfo(ProgramListID listId, int32 programIndex,
                                   const char8* attributeId, String128 attributeValue) = 0;
    virtual tresult hasProgramPitchNames(ProgramListID listId, int32 programIndex) = 0;
    virtual tresult getProgramPitchName(ProgramListID listId, int32 programIndex, int16 midiPitch,
                                        String128 name) = 0;
    virtual UnitID getSelectedUnit() = 0;
    virtual tresult selectUnit(UnitID unitId) = 0;
    virtual tresult getUnitByBus(MediaType type, BusDirection dir, int32 busIndex, int32 channel,
                                 UnitID& unitId) = 0;
    virtual tresult setUnitProgramData(int32 listOrUnitId, int32 programIndex, IBStream* data) = 0;
};

// ---- The editor view ----------------------------------------------------------------------------

struct ViewRect {
    int32 left;
    int32 top;
    int32 right;
    int32 bottom;
};

constexpr const char* kPlatformTypeHWND = "HWND";
constexpr const char* kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";

class IPlugFrame;

class IPlugView : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);
    virtual tresult isPlatformTypeSupported(FIDString type) = 0;
    virtual tresult attached(void* parent, FIDString type) = 0;
    virtual tresult removed() = 0;
    virtual tresult onWheel(float distance) = 0;
    virtual tresult onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult getSize(ViewRect* size) = 0;
    virtual tresult onSize(ViewRect* newSize) = 0;
    virtual tresult onFocus(TBool state) = 0;
    virtual tresult setFrame(IPlugFrame* frame) = 0;
    virtual tresult canResize() = 0;
    virtual tresult checkSizeConstraint(ViewRect* rect) = 0;
};

class IPlugFrame : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);
    virtual tresult resizeView(IPlugView* view, ViewRect* newSize) = 0;
};

class IPlugViewContentScaleSupport : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F);
    virtual tresult setContentScaleFactor(float factor) = 0;
};

// The host's run loop on Linux, found through the frame: timers and file-descriptor watches that
// the host's own UI thread services.
namespace Linux {

class IEventHandler : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983);
    virtual void onFDIsSet(FileDescriptor fd) = 0;
};

class ITimerHandler : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);
    virtual void onTimer() = 0;
};

class IRunLoop : public FUnknown {
public:
    static constexpr Uid iid = MakeUid(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389);
    virtual tresult registerEventHandler(IEventHandler* handler, FileDescriptor fd) = 0;
    virtual tresult unregisterEventHandler(IEventHandler* handler) = 0;
    virtual tresult registerTimer(ITimerHandler* handler, TimerInterval milliseconds) = 0;
    virtual tresult unregisterTimer(ITimerHandler* handler) = 0;
};

} // namespace Linux

// ---- Exports ------------------------------------------------------------------------------------

using GetFactoryProc = IPluginFactory* (*)();
using ModuleEntryProc = bool (*)(void*);
using ModuleExitProc = bool (*)();

// ---- Layouts we rely on (identical on both builds) ----------------------------------------------

static_assert(sizeof(Uid) == 16 && sizeof(TUID) == 16);
static_assert(sizeof(PFactoryInfo) == 452 && offsetof(PFactoryInfo, flags) == 448);
static_assert(sizeof(PClassInfo) == 116 && offsetof(PClassInfo, cardinality) == 16 &&
              offsetof(PClassInfo, category) == 20 && offsetof(PClassInfo, name) == 52);
static_assert(sizeof(PClassInfo2) == 440 && offsetof(PClassInfo2, classFlags) == 116 &&
              offsetof(PClassInfo2, subCategories) == 120 && offsetof(PClassInfo2, vendor) == 248 &&
              offsetof(PClassInfo2, version) == 312 && offsetof(PClassInfo2, sdkVersion) == 376);
static_assert(sizeof(PClassInfoW) == 696 && offsetof(PClassInfoW, classFlags) == 180 &&
              offsetof(PClassInfoW, sdkVersion) == 568);
static_assert(sizeof(ProcessSetup) == 24 && offsetof(ProcessSetup, sampleRate) == 16);
static_assert(sizeof(AudioBusBuffers) == 24 && offsetof(AudioBusBuffers, silenceFlags) == 8 &&
              offsetof(AudioBusBuffers, channelBuffers32) == 16 &&
              offsetof(AudioBusBuffers, channelBuffers64) == 16);
static_assert(sizeof(ProcessData) == 80 && offsetof(ProcessData, numOutputs) == 16 &&
              offsetof(ProcessData, inputs) == 24 && offsetof(ProcessData, outputs) == 32 &&
              offsetof(ProcessData, inputParameterChanges) == 40 &&
              offsetof(ProcessData, outputParameterChanges) == 48 &&
              offsetof(ProcessData, inputEvents) == 56 &&
              offsetof(ProcessData, outputEvents) == 64 &&
              offsetof(ProcessData, processContext) == 72);
static_assert(sizeof(ProcessContext) == 112 && offsetof(ProcessContext, sampleRate) == 8 &&
              offsetof(ProcessContext, tempo) == 72 && offsetof(ProcessContext, chord) == 88 &&
              offsetof(ProcessContext, frameRate) == 96 &&
              offsetof(ProcessContext, samplesToNextClock) == 104);
static_assert(sizeof(ParameterInfo) == 792 && offsetof(ParameterInfo, title) == 4 &&
              offsetof(ParameterInfo, shortTitle) == 260 && offsetof(ParameterInfo, units) == 516 &&
              offsetof(ParameterInfo, stepCount) == 772 &&
              offsetof(ParameterInfo, defaultNormalizedValue) == 776 &&
              offsetof(ParameterInfo, unitId) == 784 && offsetof(ParameterInfo, flags) == 788);
static_assert(sizeof(BusInfo) == 276 && offsetof(BusInfo, name) == 12 &&
              offsetof(BusInfo, busType) == 268 && offsetof(BusInfo, flags) == 272);
static_assert(sizeof(RoutingInfo) == 12);
static_assert(sizeof(UnitInfo) == 268 && offsetof(UnitInfo, programListId) == 264);
static_assert(sizeof(ProgramListInfo) == 264 && offsetof(ProgramListInfo, programCount) == 260);
static_assert(sizeof(ViewRect) == 16);
static_assert(sizeof(char16) == 2 && sizeof(TBool) == 1);
// One vtable pointer, nothing else: no destructor or data slipped into an interface.
static_assert(sizeof(FUnknown) == sizeof(void*) && sizeof(IAudioProcessor) == sizeof(void*) &&
              sizeof(IEditController) == sizeof(void*));

} // namespace vst3
