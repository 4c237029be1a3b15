#include "clap/clap_catalogue.h"

#include "framework/effect_factory.h"
#include "framework/plugin_core.h"

#include <cctype>
#include <cstdio>
#include <memory>

namespace {

// An effect for a plug-in, a mono and a stereo layout.
const char* const Features[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_MONO,
                                CLAP_PLUGIN_FEATURE_STEREO, nullptr};

std::string Lowercase(const char* text) {
    std::string result;
    for (const char* p = text; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (std::isalnum(c) != 0) {
            result += static_cast<char>(std::tolower(c));
        }
    }
    return result;
}

// A packed 0xMMMMmmpp version as "major.minor.patch".
std::string VersionText(std::int32_t packed) {
    const auto bits = static_cast<std::uint32_t>(packed);
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u", bits >> 16, (bits >> 8) & 0xFF, bits & 0xFF);
    return text;
}

} // namespace

const ClapCatalogue& ClapCatalogue::Get() {
    static const ClapCatalogue catalogue;
    return catalogue;
}

ClapCatalogue::ClapCatalogue() {
    const std::unique_ptr<PluginCore> probe(CreateEffectInstance());
    if (probe != nullptr) {
        Describe(*probe);
    }
    descriptor_.clap_version = CLAP_VERSION;
    descriptor_.id = id_.c_str();
    descriptor_.name = name_.c_str();
    descriptor_.vendor = vendor_.c_str();
    descriptor_.url = "";
    descriptor_.manual_url = "";
    descriptor_.support_url = "";
    descriptor_.version = version_.c_str();
    descriptor_.description = "";
    descriptor_.features = Features;
}

// The id is the vendor's reverse domain and the effect's name: "com.quillmoss.crescenda".
void ClapCatalogue::Describe(const PluginCore& core) {
    name_ = core.EffectName();
    vendor_ = core.MakerName();
    id_ = "com." + Lowercase(core.MakerName()) + "." + Lowercase(core.EffectName());
    version_ = VersionText(core.Version());
    for (int i = 0; i < core.PresetCount(); ++i) {
        presetNames_.emplace_back(core.PresetName(i));
    }
}
