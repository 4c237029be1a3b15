// A .clap binary as a host holds it: loaded, its entry's init called once when opened and deinit
// once when closed, and the factories it offers.
#pragma once

#include "clap/clap_abi.h"
#include "platform/shared_library.h"

#include <string>

class ClapModule {
public:
    ClapModule() = default;
    ~ClapModule() { Close(); }
    ClapModule(const ClapModule&) = delete;
    ClapModule& operator=(const ClapModule&) = delete;

    // Loads the binary, finds the exported `clap_entry`, checks its version and calls init with
    // the path. False, with Error() saying why, at the first step that fails (nothing stays held).
    bool Open(const std::string& path);
    // The same with an entry linked into this program (the adapter built from the project's
    // libraries); `path` is what init is told.
    bool Adopt(const clap_plugin_entry* entry, const std::string& path);
    // deinit (when init succeeded), then releases the binary.
    void Close();
    const std::string& Error() const { return error_; }
    const std::string& Path() const { return path_; }

    const clap_plugin_entry* Entry() const { return entry_; }
    // The factory the entry gives for this id, or null.
    const void* Factory(const char* id) const;
    const clap_plugin_factory* PluginFactory() const;
    const clap_preset_discovery_factory* PresetDiscoveryFactory() const;
    // The first plug-in descriptor of the plug-in factory, or null.
    const clap_plugin_descriptor* FirstDescriptor() const;

private:
    bool Initialise(const clap_plugin_entry* entry, const std::string& source);

    SharedLibrary library_;
    const clap_plugin_entry* entry_ = nullptr;
    bool initialised_ = false;
    std::string path_;
    std::string error_;
};
