// ParamListener: hears every parameter value the core takes from outside the editor (the host,
// a typed value, a restored state) and when the editor is attached. The editor implements it.
#pragma once

class ParamListener {
public:
    // Any host thread, with no lock held; it must not wait either. value is normalised (0..1) when
    // normalised is true, otherwise in the parameter's own units.
    virtual void ParamValueChanged(int index, double value, bool normalised) = 0;

protected:
    ~ParamListener() = default;
};
