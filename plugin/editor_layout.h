// The effect's editor: a 555 x 306 panel with four knobs on their printed scales and an on/off
// switch, built once in the effect's constructor and handed to the plug-in base.
#pragma once

class PluginCore;

// Builds the editor for the plug-in's five parameters and attaches it (AttachEditor), which
// pushes the current values into the controls: run it after the parameters are initialised.
void LayOutEditor(PluginCore& plugin);
