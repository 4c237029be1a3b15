// One main input and one main output port, mono or stereo as the selected configuration says
// (the two a VST2 host may choose: one channel to one, two to two). Stereo unless a host selects
// mono: a host that puts a mono plug-in on a stereo track may drop the right channel.
#include "clap/clap_extensions.h"
#include "clap/clap_plugin.h"

#include <cstdio>

namespace {

constexpr clap_id MonoConfig = 1;
constexpr clap_id StereoConfig = 2;
constexpr clap_id PortId = 0;

const char* PortType(int channels) {
    return channels == 1 ? CLAP_PORT_MONO : CLAP_PORT_STEREO;
}

std::uint32_t PortCount(const clap_plugin* plugin, bool /*isInput*/) {
    return ClapPlugin::From(plugin) != nullptr ? 1 : 0;
}

// The answer never depends on the host's extensions: scanners offer none.
bool PortInfo(const clap_plugin* plugin, std::uint32_t index, bool isInput,
              clap_audio_port_info* info) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    if (instance == nullptr || info == nullptr || index != 0) {
        return false;
    }
    const int channels = instance->ChannelsPerPort();
    *info = clap_audio_port_info{};
    info->id = PortId;
    std::snprintf(info->name, sizeof info->name, "%s", isInput ? "Input" : "Output");
    info->flags = CLAP_AUDIO_PORT_IS_MAIN | CLAP_AUDIO_PORT_SUPPORTS_64BITS;
    info->channel_count = static_cast<std::uint32_t>(channels);
    info->port_type = PortType(channels);
    info->in_place_pair = PortId; // the same buffers in and out are handled
    return true;
}

std::uint32_t ConfigCount(const clap_plugin* plugin) {
    return ClapPlugin::From(plugin) != nullptr ? 2 : 0;
}

bool ConfigInfo(const clap_plugin* plugin, std::uint32_t index, clap_audio_ports_config* config) {
    if (ClapPlugin::From(plugin) == nullptr || config == nullptr || index > 1) {
        return false;
    }
    const int channels = index == 0 ? 2 : 1;
    *config = clap_audio_ports_config{};
    config->id = channels == 2 ? StereoConfig : MonoConfig;
    std::snprintf(config->name, sizeof config->name, "%s", channels == 2 ? "Stereo" : "Mono");
    config->input_port_count = 1;
    config->output_port_count = 1;
    config->has_main_input = true;
    config->main_input_channel_count = static_cast<std::uint32_t>(channels);
    config->main_input_port_type = PortType(channels);
    config->has_main_output = true;
    config->main_output_channel_count = static_cast<std::uint32_t>(channels);
    config->main_output_port_type = PortType(channels);
    return true;
}

bool SelectConfig(const clap_plugin* plugin, clap_id id) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    if (instance == nullptr || (id != MonoConfig && id != StereoConfig)) {
        return false;
    }
    return instance->SelectChannels(id == MonoConfig ? 1 : 2);
}

} // namespace

const clap_plugin_audio_ports* AudioPortsExtension() {
    static const clap_plugin_audio_ports table{&PortCount, &PortInfo};
    return &table;
}

const clap_plugin_audio_ports_config* AudioPortsConfigExtension() {
    static const clap_plugin_audio_ports_config table{&ConfigCount, &ConfigInfo, &SelectConfig};
    return &table;
}
