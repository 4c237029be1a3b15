// Trace points: framework operations name themselves, a format and its arguments here. Nothing is
// written anywhere (nothing may be written in the audio path), but the arguments are evaluated
// like those of any call.
#pragma once

inline void Trace(const char* /*function*/, int /*line*/, const char* /*format*/, ...)
    __attribute__((format(printf, 3, 4)));
inline void Trace(const char*, int, const char*, ...) {}
