// The CLAP 1.x binary interface: the records, function tables, ids and constants the plug-in and
// our test host exchange. Plain C structs with natural alignment; every function pointer uses the
// platform's default C convention (x86-64 has only one). Names follow the interface's own so the
// published documentation reads directly against this file.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

using clap_id = std::uint32_t;
constexpr clap_id CLAP_INVALID_ID = 0xFFFFFFFFu;
constexpr std::size_t CLAP_NAME_SIZE = 256;
constexpr std::size_t CLAP_PATH_SIZE = 1024;

// ---- version and entry ----------------------------------------------------------------------
struct clap_version {
    std::uint32_t major;
    std::uint32_t minor;
    std::uint32_t revision;
};
// The version this side is written against; peers accept any version whose major is at least 1.
constexpr clap_version CLAP_VERSION{1, 2, 0};
constexpr bool clap_version_is_compatible(const clap_version& v) {
    return v.major >= 1;
}

// The exported data symbol `clap_entry` has this type.
struct clap_plugin_entry {
    struct clap_version clap_version;
    bool (*init)(const char* plugin_path);
    void (*deinit)();
    const void* (*get_factory)(const char* factory_id);
};

// ---- events ---------------------------------------------------------------------------------
constexpr std::uint16_t CLAP_CORE_EVENT_SPACE_ID = 0;
constexpr std::uint32_t CLAP_EVENT_IS_LIVE = 1u << 0;
constexpr std::uint32_t CLAP_EVENT_DONT_RECORD = 1u << 1;

constexpr std::uint16_t CLAP_EVENT_NOTE_ON = 0;
constexpr std::uint16_t CLAP_EVENT_NOTE_OFF = 1;
constexpr std::uint16_t CLAP_EVENT_NOTE_CHOKE = 2;
constexpr std::uint16_t CLAP_EVENT_NOTE_END = 3;
constexpr std::uint16_t CLAP_EVENT_NOTE_EXPRESSION = 4;
constexpr std::uint16_t CLAP_EVENT_PARAM_VALUE = 5;
constexpr std::uint16_t CLAP_EVENT_PARAM_MOD = 6;
constexpr std::uint16_t CLAP_EVENT_PARAM_GESTURE_BEGIN = 7;
constexpr std::uint16_t CLAP_EVENT_PARAM_GESTURE_END = 8;
constexpr std::uint16_t CLAP_EVENT_TRANSPORT = 9;
constexpr std::uint16_t CLAP_EVENT_MIDI = 10;
constexpr std::uint16_t CLAP_EVENT_MIDI_SYSEX = 11;
constexpr std::uint16_t CLAP_EVENT_MIDI2 = 12;

struct clap_event_header {
    std::uint32_t size; // of the whole event, header included
    std::uint32_t time; // sample offset within the block
    std::uint16_t space_id;
    std::uint16_t type;
    std::uint32_t flags;
};

struct clap_event_param_value {
    clap_event_header header;
    clap_id param_id;
    void* cookie;
    std::int32_t note_id; // -1 = any, likewise for the three below
    std::int16_t port_index;
    std::int16_t channel;
    std::int16_t key;
    double value;
};

struct clap_event_param_mod {
    clap_event_header header;
    clap_id param_id;
    void* cookie;
    std::int32_t note_id;
    std::int16_t port_index;
    std::int16_t channel;
    std::int16_t key;
    double amount;
};

struct clap_event_param_gesture {
    clap_event_header header;
    clap_id param_id;
};

// Beat and second positions are fixed point with 31 fractional bits.
using clap_beattime = std::int64_t;
using clap_sectime = std::int64_t;
constexpr std::int64_t CLAP_BEATTIME_FACTOR = std::int64_t{1} << 31;
constexpr std::int64_t CLAP_SECTIME_FACTOR = std::int64_t{1} << 31;

constexpr std::uint32_t CLAP_TRANSPORT_HAS_TEMPO = 1u << 0;
constexpr std::uint32_t CLAP_TRANSPORT_HAS_BEATS_TIMELINE = 1u << 1;
constexpr std::uint32_t CLAP_TRANSPORT_HAS_SECONDS_TIMELINE = 1u << 2;
constexpr std::uint32_t CLAP_TRANSPORT_HAS_TIME_SIGNATURE = 1u << 3;
constexpr std::uint32_t CLAP_TRANSPORT_IS_PLAYING = 1u << 4;
constexpr std::uint32_t CLAP_TRANSPORT_IS_RECORDING = 1u << 5;
constexpr std::uint32_t CLAP_TRANSPORT_IS_LOOP_ACTIVE = 1u << 6;
constexpr std::uint32_t CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL = 1u << 7;

struct clap_event_transport {
    clap_event_header header;
    std::uint32_t flags;
    clap_beattime song_pos_beats;
    clap_sectime song_pos_seconds;
    double tempo; // beats per minute
    double tempo_inc;
    clap_beattime loop_start_beats;
    clap_beattime loop_end_beats;
    clap_sectime loop_start_seconds;
    clap_sectime loop_end_seconds;
    clap_beattime bar_start;
    std::int32_t bar_number;
    std::uint16_t tsig_num;
    std::uint16_t tsig_denom;
};

struct clap_input_events {
    void* ctx;
    std::uint32_t (*size)(const clap_input_events* list);
    const clap_event_header* (*get)(const clap_input_events* list, std::uint32_t index);
};

struct clap_output_events {
    void* ctx;
    // Copies the event; false when the host could not take it.
    bool (*try_push)(const clap_output_events* list, const clap_event_header* event);
};

// ---- audio and process ----------------------------------------------------------------------
struct clap_audio_buffer {
    float** data32;
    double** data64;
    std::uint32_t channel_count;
    std::uint32_t latency;
    std::uint64_t constant_mask;
};

struct clap_process {
    std::int64_t steady_time; // -1 when unknown
    std::uint32_t frames_count;
    const clap_event_transport* transport;
    const clap_audio_buffer* audio_inputs;
    clap_audio_buffer* audio_outputs;
    std::uint32_t audio_inputs_count;
    std::uint32_t audio_outputs_count;
    const clap_input_events* in_events;
    const clap_output_events* out_events;
};

using clap_process_status = std::int32_t;
constexpr clap_process_status CLAP_PROCESS_ERROR = 0;
constexpr clap_process_status CLAP_PROCESS_CONTINUE = 1;
constexpr clap_process_status CLAP_PROCESS_CONTINUE_IF_NOT_QUIET = 2;
constexpr clap_process_status CLAP_PROCESS_TAIL = 3;
constexpr clap_process_status CLAP_PROCESS_SLEEP = 4;

// ---- host, plug-in, factory -----------------------------------------------------------------
struct clap_host {
    struct clap_version clap_version;
    void* host_data;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    const void* (*get_extension)(const clap_host* host, const char* extension_id);
    void (*request_restart)(const clap_host* host);
    void (*request_process)(const clap_host* host);
    void (*request_callback)(const clap_host* host);
};

struct clap_plugin_descriptor {
    struct clap_version clap_version;
    const char* id;
    const char* name;
    const char* vendor;
    const char* url;
    const char* manual_url;
    const char* support_url;
    const char* version;
    const char* description;
    const char* const* features; // NULL-terminated, never NULL itself
};

struct clap_plugin {
    const clap_plugin_descriptor* desc;
    void* plugin_data;
    bool (*init)(const clap_plugin* plugin);
    void (*destroy)(const clap_plugin* plugin);
    bool (*activate)(const clap_plugin* plugin, double sample_rate, std::uint32_t min_frames_count,
                     std::uint32_t max_frames_count);
    void (*deactivate)(const clap_plugin* plugin);
    bool (*start_processing)(const clap_plugin* plugin);
    void (*stop_processing)(const clap_plugin* plugin);
    void (*reset)(const clap_plugin* plugin);
    clap_process_status (*process)(const clap_plugin* plugin, const clap_process* process);
    const void* (*get_extension)(const clap_plugin* plugin, const char* id);
    void (*on_main_thread)(const clap_plugin* plugin);
};

constexpr char CLAP_PLUGIN_FACTORY_ID[] = "clap.plugin-factory";
struct clap_plugin_factory {
    std::uint32_t (*get_plugin_count)(const clap_plugin_factory* factory);
    const clap_plugin_descriptor* (*get_plugin_descriptor)(const clap_plugin_factory* factory,
                                                           std::uint32_t index);
    const clap_plugin* (*create_plugin)(const clap_plugin_factory* factory, const clap_host* host,
                                        const char* plugin_id);
};

constexpr char CLAP_PLUGIN_FEATURE_AUDIO_EFFECT[] = "audio-effect";
constexpr char CLAP_PLUGIN_FEATURE_MONO[] = "mono";
constexpr char CLAP_PLUGIN_FEATURE_STEREO[] = "stereo";
constexpr char CLAP_PLUGIN_FEATURE_COMPRESSOR[] = "compressor";

// ---- streams --------------------------------------------------------------------------------
// Both return the bytes actually moved, 0 at the end, -1 on error, and may move fewer than asked.
struct clap_istream {
    void* ctx;
    std::int64_t (*read)(const clap_istream* stream, void* buffer, std::uint64_t size);
};

struct clap_ostream {
    void* ctx;
    std::int64_t (*write)(const clap_ostream* stream, const void* buffer, std::uint64_t size);
};

// ---- audio-ports ----------------------------------------------------------------------------
constexpr char CLAP_EXT_AUDIO_PORTS[] = "clap.audio-ports";
constexpr char CLAP_PORT_MONO[] = "mono";
constexpr char CLAP_PORT_STEREO[] = "stereo";

constexpr std::uint32_t CLAP_AUDIO_PORT_IS_MAIN = 1u << 0;
constexpr std::uint32_t CLAP_AUDIO_PORT_SUPPORTS_64BITS = 1u << 1;
constexpr std::uint32_t CLAP_AUDIO_PORT_PREFERS_64BITS = 1u << 2;
constexpr std::uint32_t CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE = 1u << 3;

struct clap_audio_port_info {
    clap_id id;
    char name[CLAP_NAME_SIZE];
    std::uint32_t flags;
    std::uint32_t channel_count;
    const char* port_type;
    clap_id in_place_pair;
};

struct clap_plugin_audio_ports {
    std::uint32_t (*count)(const clap_plugin* plugin, bool is_input);
    bool (*get)(const clap_plugin* plugin, std::uint32_t index, bool is_input,
                clap_audio_port_info* info);
};

// ---- audio-ports-config ---------------------------------------------------------------------
constexpr char CLAP_EXT_AUDIO_PORTS_CONFIG[] = "clap.audio-ports-config";
constexpr char CLAP_EXT_AUDIO_PORTS_CONFIG_INFO[] = "clap.audio-ports-config-info/1";

struct clap_audio_ports_config {
    clap_id id;
    char name[CLAP_NAME_SIZE];
    std::uint32_t input_port_count;
    std::uint32_t output_port_count;
    bool has_main_input;
    std::uint32_t main_input_channel_count;
    const char* main_input_port_type;
    bool has_main_output;
    std::uint32_t main_output_channel_count;
    const char* main_output_port_type;
};

struct clap_plugin_audio_ports_config {
    std::uint32_t (*count)(const clap_plugin* plugin);
    bool (*get)(const clap_plugin* plugin, std::uint32_t index, clap_audio_ports_config* config);
    bool (*select)(const clap_plugin* plugin, clap_id config_id); // only while deactivated
};

struct clap_host_audio_ports_config {
    void (*rescan)(const clap_host* host);
};

// ---- params ---------------------------------------------------------------------------------
constexpr char CLAP_EXT_PARAMS[] = "clap.params";

constexpr std::uint32_t CLAP_PARAM_IS_STEPPED = 1u << 0;
constexpr std::uint32_t CLAP_PARAM_IS_PERIODIC = 1u << 1;
constexpr std::uint32_t CLAP_PARAM_IS_HIDDEN = 1u << 2;
constexpr std::uint32_t CLAP_PARAM_IS_READONLY = 1u << 3;
constexpr std::uint32_t CLAP_PARAM_IS_BYPASS = 1u << 4;
constexpr std::uint32_t CLAP_PARAM_IS_AUTOMATABLE = 1u << 5;
constexpr std::uint32_t CLAP_PARAM_IS_MODULATABLE = 1u << 10;
constexpr std::uint32_t CLAP_PARAM_REQUIRES_PROCESS = 1u << 15;
constexpr std::uint32_t CLAP_PARAM_IS_ENUM = 1u << 16;

constexpr std::uint32_t CLAP_PARAM_RESCAN_VALUES = 1u << 0;
constexpr std::uint32_t CLAP_PARAM_RESCAN_TEXT = 1u << 1;
constexpr std::uint32_t CLAP_PARAM_RESCAN_INFO = 1u << 2;
constexpr std::uint32_t CLAP_PARAM_RESCAN_ALL = 1u << 3; // only while deactivated

constexpr std::uint32_t CLAP_PARAM_CLEAR_ALL = 1u << 0;
constexpr std::uint32_t CLAP_PARAM_CLEAR_AUTOMATIONS = 1u << 1;
constexpr std::uint32_t CLAP_PARAM_CLEAR_MODULATIONS = 1u << 2;

struct clap_param_info {
    clap_id id;
    std::uint32_t flags;
    void* cookie;
    char name[CLAP_NAME_SIZE];
    char module[CLAP_PATH_SIZE];
    double min_value;
    double max_value;
    double default_value;
};

struct clap_plugin_params {
    std::uint32_t (*count)(const clap_plugin* plugin);
    bool (*get_info)(const clap_plugin* plugin, std::uint32_t param_index, clap_param_info* info);
    bool (*get_value)(const clap_plugin* plugin, clap_id param_id, double* out_value);
    bool (*value_to_text)(const clap_plugin* plugin, clap_id param_id, double value,
                          char* out_buffer, std::uint32_t out_buffer_capacity);
    bool (*text_to_value)(const clap_plugin* plugin, clap_id param_id, const char* text,
                          double* out_value);
    // Audio thread while active, main thread otherwise; never alongside process.
    void (*flush)(const clap_plugin* plugin, const clap_input_events* in,
                  const clap_output_events* out);
};

struct clap_host_params {
    void (*rescan)(const clap_host* host, std::uint32_t flags);
    void (*clear)(const clap_host* host, clap_id param_id, std::uint32_t flags);
    void (*request_flush)(const clap_host* host); // any thread but the audio thread
};

// ---- state ----------------------------------------------------------------------------------
constexpr char CLAP_EXT_STATE[] = "clap.state";

struct clap_plugin_state {
    bool (*save)(const clap_plugin* plugin, const clap_ostream* stream);
    bool (*load)(const clap_plugin* plugin, const clap_istream* stream);
};

struct clap_host_state {
    void (*mark_dirty)(const clap_host* host);
};

// ---- latency and tail -----------------------------------------------------------------------
constexpr char CLAP_EXT_LATENCY[] = "clap.latency";

struct clap_plugin_latency {
    std::uint32_t (*get)(const clap_plugin* plugin);
};

struct clap_host_latency {
    void (*changed)(const clap_host* host); // only from inside the plug-in's activate
};

constexpr char CLAP_EXT_TAIL[] = "clap.tail";

struct clap_plugin_tail {
    std::uint32_t (*get)(const clap_plugin* plugin); // >= INT32_MAX: infinite
};

struct clap_host_tail {
    void (*changed)(const clap_host* host);
};

// ---- gui ------------------------------------------------------------------------------------
constexpr char CLAP_EXT_GUI[] = "clap.gui";
constexpr char CLAP_WINDOW_API_X11[] = "x11";
constexpr char CLAP_WINDOW_API_WIN32[] = "win32";
constexpr char CLAP_WINDOW_API_COCOA[] = "cocoa";
constexpr char CLAP_WINDOW_API_WAYLAND[] = "wayland";

using clap_xwnd = unsigned long; // an XID: 8 bytes on Linux, 4 on Win64
using clap_hwnd = void*;
using clap_nsview = void*;

struct clap_window {
    const char* api; // compare with strcmp: hosts pass their own copies
    union {
        clap_nsview cocoa;
        clap_xwnd x11;
        clap_hwnd win32;
        void* ptr;
    };
};

struct clap_gui_resize_hints {
    bool can_resize_horizontally;
    bool can_resize_vertically;
    bool preserve_aspect_ratio;
    std::uint32_t aspect_ratio_width;
    std::uint32_t aspect_ratio_height;
};

// Every call is on the main thread.
struct clap_plugin_gui {
    bool (*is_api_supported)(const clap_plugin* plugin, const char* api, bool is_floating);
    bool (*get_preferred_api)(const clap_plugin* plugin, const char** api, bool* is_floating);
    bool (*create)(const clap_plugin* plugin, const char* api, bool is_floating);
    void (*destroy)(const clap_plugin* plugin);
    bool (*set_scale)(const clap_plugin* plugin, double scale);
    bool (*get_size)(const clap_plugin* plugin, std::uint32_t* width, std::uint32_t* height);
    bool (*can_resize)(const clap_plugin* plugin);
    bool (*get_resize_hints)(const clap_plugin* plugin, clap_gui_resize_hints* hints);
    bool (*adjust_size)(const clap_plugin* plugin, std::uint32_t* width, std::uint32_t* height);
    bool (*set_size)(const clap_plugin* plugin, std::uint32_t width, std::uint32_t height);
    bool (*set_parent)(const clap_plugin* plugin, const clap_window* window);
    bool (*set_transient)(const clap_plugin* plugin, const clap_window* window);
    void (*suggest_title)(const clap_plugin* plugin, const char* title);
    bool (*show)(const clap_plugin* plugin);
    bool (*hide)(const clap_plugin* plugin);
};

// Callable from any thread.
struct clap_host_gui {
    void (*resize_hints_changed)(const clap_host* host);
    bool (*request_resize)(const clap_host* host, std::uint32_t width, std::uint32_t height);
    bool (*request_show)(const clap_host* host);
    bool (*request_hide)(const clap_host* host);
    void (*closed)(const clap_host* host, bool was_destroyed);
};

// ---- timer-support and posix-fd-support -----------------------------------------------------
constexpr char CLAP_EXT_TIMER_SUPPORT[] = "clap.timer-support";

struct clap_plugin_timer_support {
    void (*on_timer)(const clap_plugin* plugin, clap_id timer_id);
};

struct clap_host_timer_support {
    bool (*register_timer)(const clap_host* host, std::uint32_t period_ms, clap_id* timer_id);
    bool (*unregister_timer)(const clap_host* host, clap_id timer_id);
};

constexpr char CLAP_EXT_POSIX_FD_SUPPORT[] = "clap.posix-fd-support";
using clap_posix_fd_flags = std::uint32_t;
constexpr clap_posix_fd_flags CLAP_POSIX_FD_READ = 1u << 0;
constexpr clap_posix_fd_flags CLAP_POSIX_FD_WRITE = 1u << 1;
constexpr clap_posix_fd_flags CLAP_POSIX_FD_ERROR = 1u << 2;

struct clap_plugin_posix_fd_support {
    void (*on_fd)(const clap_plugin* plugin, int fd, clap_posix_fd_flags flags);
};

struct clap_host_posix_fd_support {
    bool (*register_fd)(const clap_host* host, int fd, clap_posix_fd_flags flags);
    bool (*modify_fd)(const clap_host* host, int fd, clap_posix_fd_flags flags);
    bool (*unregister_fd)(const clap_host* host, int fd);
};

// ---- thread-check, log, render --------------------------------------------------------------
constexpr char CLAP_EXT_THREAD_CHECK[] = "clap.thread-check";

struct clap_host_thread_check {
    bool (*is_main_thread)(const clap_host* host);
    bool (*is_audio_thread)(const clap_host* host);
};

constexpr char CLAP_EXT_LOG[] = "clap.log";
using clap_log_severity = std::int32_t;
constexpr clap_log_severity CLAP_LOG_DEBUG = 0;
constexpr clap_log_severity CLAP_LOG_INFO = 1;
constexpr clap_log_severity CLAP_LOG_WARNING = 2;
constexpr clap_log_severity CLAP_LOG_ERROR = 3;
constexpr clap_log_severity CLAP_LOG_FATAL = 4;
constexpr clap_log_severity CLAP_LOG_HOST_MISBEHAVING = 5;
constexpr clap_log_severity CLAP_LOG_PLUGIN_MISBEHAVING = 6;

struct clap_host_log {
    void (*log)(const clap_host* host, clap_log_severity severity, const char* msg);
};

constexpr char CLAP_EXT_RENDER[] = "clap.render";
using clap_plugin_render_mode = std::int32_t;
constexpr clap_plugin_render_mode CLAP_RENDER_REALTIME = 0;
constexpr clap_plugin_render_mode CLAP_RENDER_OFFLINE = 1;

struct clap_plugin_render {
    bool (*has_hard_realtime_requirement)(const clap_plugin* plugin);
    bool (*set)(const clap_plugin* plugin, clap_plugin_render_mode mode);
};

// ---- preset discovery and preset-load -------------------------------------------------------
constexpr char CLAP_PRESET_DISCOVERY_FACTORY_ID[] = "clap.preset-discovery-factory/2";
constexpr char CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT[] = "clap.preset-discovery-factory/draft-2";

constexpr std::uint32_t CLAP_PRESET_DISCOVERY_LOCATION_FILE = 0;
constexpr std::uint32_t CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN = 1; // location is NULL

constexpr std::uint32_t CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT = 1u << 0;
constexpr std::uint32_t CLAP_PRESET_DISCOVERY_IS_USER_CONTENT = 1u << 1;
constexpr std::uint32_t CLAP_PRESET_DISCOVERY_IS_DEMO_CONTENT = 1u << 2;
constexpr std::uint32_t CLAP_PRESET_DISCOVERY_IS_FAVORITE = 1u << 3;

using clap_timestamp = std::uint64_t; // seconds since 1970-01-01 UTC, 0 = unknown
constexpr clap_timestamp CLAP_TIMESTAMP_UNKNOWN = 0;

struct clap_universal_plugin_id {
    const char* abi; // "clap" for a CLAP plug-in
    const char* id;
};

struct clap_preset_discovery_metadata_receiver {
    void* receiver_data;
    void (*on_error)(const clap_preset_discovery_metadata_receiver* receiver, std::int32_t os_error,
                     const char* error_message);
    bool (*begin_preset)(const clap_preset_discovery_metadata_receiver* receiver, const char* name,
                         const char* load_key);
    void (*add_plugin_id)(const clap_preset_discovery_metadata_receiver* receiver,
                          const clap_universal_plugin_id* plugin_id);
    void (*set_soundpack_id)(const clap_preset_discovery_metadata_receiver* receiver,
                             const char* soundpack_id);
    void (*set_flags)(const clap_preset_discovery_metadata_receiver* receiver, std::uint32_t flags);
    void (*add_creator)(const clap_preset_discovery_metadata_receiver* receiver,
                        const char* creator);
    void (*set_description)(const clap_preset_discovery_metadata_receiver* receiver,
                            const char* description);
    void (*set_timestamps)(const clap_preset_discovery_metadata_receiver* receiver,
                           clap_timestamp creation_time, clap_timestamp modification_time);
    void (*add_feature)(const clap_preset_discovery_metadata_receiver* receiver,
                        const char* feature);
    void (*add_extra_info)(const clap_preset_discovery_metadata_receiver* receiver, const char* key,
                           const char* value);
};

struct clap_preset_discovery_filetype {
    const char* name;
    const char* description;
    const char* file_extension;
};

struct clap_preset_discovery_location {
    std::uint32_t flags;
    const char* name;
    std::uint32_t kind;
    const char* location;
};

struct clap_preset_discovery_soundpack {
    std::uint32_t flags;
    const char* id;
    const char* name;
    const char* description;
    const char* homepage_url;
    const char* vendor;
    const char* image_path;
    clap_timestamp release_timestamp;
};

struct clap_preset_discovery_provider_descriptor {
    struct clap_version clap_version;
    const char* id;
    const char* name;
    const char* vendor;
};

struct clap_preset_discovery_provider {
    const clap_preset_discovery_provider_descriptor* desc;
    void* provider_data;
    bool (*init)(const clap_preset_discovery_provider* provider);
    void (*destroy)(const clap_preset_discovery_provider* provider);
    bool (*get_metadata)(const clap_preset_discovery_provider* provider,
                         std::uint32_t location_kind, const char* location,
                         const clap_preset_discovery_metadata_receiver* receiver);
    const void* (*get_extension)(const clap_preset_discovery_provider* provider,
                                 const char* extension_id);
};

// The host's side, handed to the provider at creation.
struct clap_preset_discovery_indexer {
    struct clap_version clap_version;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    void* indexer_data;
    bool (*declare_filetype)(const clap_preset_discovery_indexer* indexer,
                             const clap_preset_discovery_filetype* filetype);
    bool (*declare_location)(const clap_preset_discovery_indexer* indexer,
                             const clap_preset_discovery_location* location);
    bool (*declare_soundpack)(const clap_preset_discovery_indexer* indexer,
                              const clap_preset_discovery_soundpack* soundpack);
    const void* (*get_extension)(const clap_preset_discovery_indexer* indexer,
                                 const char* extension_id);
};

struct clap_preset_discovery_factory {
    std::uint32_t (*count)(const clap_preset_discovery_factory* factory);
    const clap_preset_discovery_provider_descriptor* (*get_descriptor)(
        const clap_preset_discovery_factory* factory, std::uint32_t index);
    const clap_preset_discovery_provider* (*create)(const clap_preset_discovery_factory* factory,
                                                    const clap_preset_discovery_indexer* indexer,
                                                    const char* provider_id);
};

constexpr char CLAP_EXT_PRESET_LOAD[] = "clap.preset-load/2";
constexpr char CLAP_EXT_PRESET_LOAD_COMPAT[] = "clap.preset-load.draft/2";

struct clap_plugin_preset_load {
    bool (*from_location)(const clap_plugin* plugin, std::uint32_t location_kind,
                          const char* location, const char* load_key);
};

struct clap_host_preset_load {
    void (*on_error)(const clap_host* host, std::uint32_t location_kind, const char* location,
                     const char* load_key, std::int32_t os_error, const char* msg);
    void (*loaded)(const clap_host* host, std::uint32_t location_kind, const char* location,
                   const char* load_key);
};

} // extern "C"

// ---- the layout, pinned -----------------------------------------------------------------------
static_assert(sizeof(void*) == 8, "this interface header describes the 64-bit layout");
static_assert(sizeof(bool) == 1);

static_assert(sizeof(clap_version) == 12);
static_assert(sizeof(clap_plugin_entry) == 40);
static_assert(offsetof(clap_plugin_entry, init) == 16);
static_assert(offsetof(clap_plugin_entry, get_factory) == 32);

static_assert(sizeof(clap_plugin_descriptor) == 88);
static_assert(offsetof(clap_plugin_descriptor, id) == 16);
static_assert(offsetof(clap_plugin_descriptor, description) == 72);
static_assert(offsetof(clap_plugin_descriptor, features) == 80);

static_assert(sizeof(clap_plugin) == 96);
static_assert(offsetof(clap_plugin, init) == 16);
static_assert(offsetof(clap_plugin, process) == 72);
static_assert(offsetof(clap_plugin, on_main_thread) == 88);

static_assert(sizeof(clap_host) == 88);
static_assert(offsetof(clap_host, host_data) == 16);
static_assert(offsetof(clap_host, get_extension) == 56);
static_assert(offsetof(clap_host, request_callback) == 80);

static_assert(sizeof(clap_plugin_factory) == 24);

static_assert(sizeof(clap_process) == 64);
static_assert(offsetof(clap_process, frames_count) == 8);
static_assert(offsetof(clap_process, transport) == 16);
static_assert(offsetof(clap_process, audio_inputs) == 24);
static_assert(offsetof(clap_process, audio_outputs) == 32);
static_assert(offsetof(clap_process, audio_inputs_count) == 40);
static_assert(offsetof(clap_process, audio_outputs_count) == 44);
static_assert(offsetof(clap_process, in_events) == 48);
static_assert(offsetof(clap_process, out_events) == 56);

static_assert(sizeof(clap_audio_buffer) == 32);
static_assert(offsetof(clap_audio_buffer, data64) == 8);
static_assert(offsetof(clap_audio_buffer, channel_count) == 16);
static_assert(offsetof(clap_audio_buffer, latency) == 20);
static_assert(offsetof(clap_audio_buffer, constant_mask) == 24);

static_assert(sizeof(clap_event_header) == 16);
static_assert(offsetof(clap_event_header, time) == 4);
static_assert(offsetof(clap_event_header, space_id) == 8);
static_assert(offsetof(clap_event_header, type) == 10);
static_assert(offsetof(clap_event_header, flags) == 12);

static_assert(sizeof(clap_event_param_value) == 56);
static_assert(offsetof(clap_event_param_value, param_id) == 16);
static_assert(offsetof(clap_event_param_value, cookie) == 24);
static_assert(offsetof(clap_event_param_value, note_id) == 32);
static_assert(offsetof(clap_event_param_value, port_index) == 36);
static_assert(offsetof(clap_event_param_value, channel) == 38);
static_assert(offsetof(clap_event_param_value, key) == 40);
static_assert(offsetof(clap_event_param_value, value) == 48);
static_assert(sizeof(clap_event_param_mod) == 56);
static_assert(offsetof(clap_event_param_mod, amount) == 48);
static_assert(sizeof(clap_event_param_gesture) == 20);
static_assert(offsetof(clap_event_param_gesture, param_id) == 16);

static_assert(sizeof(clap_event_transport) == 104);
static_assert(offsetof(clap_event_transport, song_pos_beats) == 24);
static_assert(offsetof(clap_event_transport, tempo) == 40);
static_assert(offsetof(clap_event_transport, bar_start) == 88);
static_assert(offsetof(clap_event_transport, bar_number) == 96);
static_assert(offsetof(clap_event_transport, tsig_denom) == 102);

static_assert(sizeof(clap_input_events) == 24);
static_assert(sizeof(clap_output_events) == 16);
static_assert(sizeof(clap_istream) == 16);
static_assert(sizeof(clap_ostream) == 16);

static_assert(sizeof(clap_audio_port_info) == 288);
static_assert(offsetof(clap_audio_port_info, name) == 4);
static_assert(offsetof(clap_audio_port_info, flags) == 260);
static_assert(offsetof(clap_audio_port_info, channel_count) == 264);
static_assert(offsetof(clap_audio_port_info, port_type) == 272);
static_assert(offsetof(clap_audio_port_info, in_place_pair) == 280);

static_assert(sizeof(clap_audio_ports_config) == 304);
static_assert(offsetof(clap_audio_ports_config, name) == 4);
static_assert(offsetof(clap_audio_ports_config, input_port_count) == 260);
static_assert(offsetof(clap_audio_ports_config, output_port_count) == 264);
static_assert(offsetof(clap_audio_ports_config, has_main_input) == 268);
static_assert(offsetof(clap_audio_ports_config, main_input_channel_count) == 272);
static_assert(offsetof(clap_audio_ports_config, main_input_port_type) == 280);
static_assert(offsetof(clap_audio_ports_config, has_main_output) == 288);
static_assert(offsetof(clap_audio_ports_config, main_output_channel_count) == 292);
static_assert(offsetof(clap_audio_ports_config, main_output_port_type) == 296);

static_assert(sizeof(clap_param_info) == 1320);
static_assert(offsetof(clap_param_info, flags) == 4);
static_assert(offsetof(clap_param_info, cookie) == 8);
static_assert(offsetof(clap_param_info, name) == 16);
static_assert(offsetof(clap_param_info, module) == 272);
static_assert(offsetof(clap_param_info, min_value) == 1296);
static_assert(offsetof(clap_param_info, max_value) == 1304);
static_assert(offsetof(clap_param_info, default_value) == 1312);
static_assert(sizeof(clap_plugin_params) == 48);
static_assert(sizeof(clap_host_params) == 24);

static_assert(sizeof(clap_window) == 16);
static_assert(offsetof(clap_window, x11) == 8);
#ifdef _WIN32
static_assert(sizeof(clap_xwnd) == 4, "unsigned long is 32 bits on Win64");
#else
static_assert(sizeof(clap_xwnd) == 8, "an XID is an unsigned long, 64 bits on Linux");
#endif
static_assert(sizeof(clap_gui_resize_hints) == 12);
static_assert(offsetof(clap_gui_resize_hints, aspect_ratio_width) == 4);
static_assert(offsetof(clap_gui_resize_hints, aspect_ratio_height) == 8);
static_assert(sizeof(clap_plugin_gui) == 120);
static_assert(sizeof(clap_host_gui) == 40);

static_assert(sizeof(clap_universal_plugin_id) == 16);
static_assert(sizeof(clap_preset_discovery_metadata_receiver) == 88);
static_assert(sizeof(clap_preset_discovery_location) == 32);
static_assert(offsetof(clap_preset_discovery_location, kind) == 16);
static_assert(offsetof(clap_preset_discovery_location, location) == 24);
static_assert(sizeof(clap_preset_discovery_soundpack) == 64);
static_assert(sizeof(clap_preset_discovery_provider_descriptor) == 40);
static_assert(sizeof(clap_preset_discovery_provider) == 48);
static_assert(sizeof(clap_preset_discovery_indexer) == 88);
static_assert(offsetof(clap_preset_discovery_indexer, indexer_data) == 48);
static_assert(sizeof(clap_preset_discovery_factory) == 24);
