// The table of files embedded into a binary, generated at build time by resources/CMakeLists.txt.
#pragma once

struct EmbeddedResource {
    int id;
    const char* type;
    const unsigned char* begin;
    const unsigned char* end;
};

extern const EmbeddedResource EmbeddedResources[];
extern const int EmbeddedResourceCount;
