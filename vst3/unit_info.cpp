// IUnitInfo: one root unit holding the factory program list, so hosts show the presets in their
// preset menu and switch them through the program-change parameter.
#include "framework/realtime_checks.h"
#include "vst3/text16.h"
#include "vst3/vst3_plugin.h"

namespace vst3 {

tresult Vst3Plugin::getUnitInfo(int32 unitIndex, UnitInfo& info) {
    if (unitIndex != 0) {
        return kInvalidArgument;
    }
    info = UnitInfo{};
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    ToUtf16("Root", info.name, 128);
    info.programListId = FactoryProgramList;
    return kResultOk;
}

tresult Vst3Plugin::getProgramListInfo(int32 listIndex, ProgramListInfo& info) {
    if (listIndex != 0) {
        return kInvalidArgument;
    }
    info = ProgramListInfo{};
    info.id = FactoryProgramList;
    ToUtf16("Factory presets", info.name, 128);
    info.programCount = effect_->PresetCount();
    return kResultOk;
}

tresult Vst3Plugin::getProgramName(ProgramListID listId, int32 programIndex, String128 name) {
    if (listId != FactoryProgramList || programIndex < 0 ||
        programIndex >= effect_->PresetCount() || name == nullptr) {
        return kInvalidArgument;
    }
    InstanceHold hold(effect_->Lock());
    ToUtf16(effect_->PresetName(programIndex), name, 128);
    return kResultOk;
}

tresult Vst3Plugin::getProgramInfo(ProgramListID /*listId*/, int32 /*programIndex*/,
                                   const char8* /*attributeId*/, String128 /*attributeValue*/) {
    return kResultFalse;
}

tresult Vst3Plugin::hasProgramPitchNames(ProgramListID /*listId*/, int32 /*programIndex*/) {
    return kResultFalse;
}

tresult Vst3Plugin::getProgramPitchName(ProgramListID /*listId*/, int32 /*programIndex*/,
                                        int16 /*midiPitch*/, String128 /*name*/) {
    return kResultFalse;
}

tresult Vst3Plugin::selectUnit(UnitID unitId) {
    return unitId == kRootUnitId ? kResultOk : kInvalidArgument;
}

tresult Vst3Plugin::getUnitByBus(MediaType /*type*/, BusDirection /*dir*/, int32 /*busIndex*/,
                                 int32 /*channel*/, UnitID& unitId) {
    unitId = kRootUnitId;
    return kResultOk;
}

tresult Vst3Plugin::setUnitProgramData(int32 /*listOrUnitId*/, int32 /*programIndex*/,
                                       IBStream* /*data*/) {
    return kNotImplemented;
}

} // namespace vst3
