// ParamUnit: how a parameter's plain value reads in a musician's unit, and how text typed in that
// unit reads back. The display shows the number and the label separately (hosts put a blank
// between them): Time's 0.5 reads "0.32" with the label "s". Units are stateless and shared:
// a parameter points at one for its whole life.
#pragma once

class ParamUnit {
public:
    virtual ~ParamUnit() = default;

    // The number (or word) a display shows for the plain value, without the label. Writes at
    // most size - 1 characters and a terminator (size > 0).
    virtual void Format(double plain, char* text, int size) const = 0;
    // The unit shown after the number ("s", "dB", "%"), or "".
    virtual const char* Label() const = 0;
    // The plain value the text stands for: a number alone (in the label's unit, as the display
    // shows it) or followed by a unit this one knows ("800 ms" for seconds). False when the text
    // is no such thing. The result may lie outside the parameter's range; the caller refuses it.
    virtual bool Parse(const char* text, double& plain) const = 0;
    // What the unit reads, for a refusal: "a time" gives "not a time".
    virtual const char* Reads() const = 0;
};

// Splits typed text into its leading number and the word after it, blanks around either
// ignored: "  -6.5 dB " gives -6.5 and "dB", "0.8s" gives 0.8 and "s", "-inf" gives -infinity
// and "". False without a leading number, for NaN, or when the word does not fit wordSize.
bool SplitQuantity(const char* text, double& number, char* word, int wordSize);
// The text without the blanks around it; false when that does not fit outSize.
bool TrimText(const char* text, char* out, int outSize);
// Whether two words are equal ignoring ASCII case.
bool SameWord(const char* a, const char* b);
