// Per-thread state the host callback needs before, or apart from, the effect record.
#pragma once

class PluginHost;

// The host whose plug-in entry point is running on this thread: plug-ins may call the host (e.g.
// audioMasterVersion) while they are being constructed, before the record's user field is set.
extern thread_local PluginHost* tHostBeingConstructed;

// True while this thread is inside one of the plug-in's process callbacks.
extern thread_local bool tHostInProcess;
