// The moduleinfo.json a VST3 bundle carries in Contents/Resources: the factory's own description
// (its info and every class) written as JSON, so hosts that read it can list the classes without
// loading the binary.
#pragma once

#include "vst3/vst3_abi.h"

#include <string>
#include <vector>

// `name` is the module's name (the bundle's without ".vst3"); the module's version is its first
// class's.
std::string ModuleInfoJson(const std::string& name, const vst3::PFactoryInfo& factory,
                           const std::vector<vst3::PClassInfo2>& classes);
