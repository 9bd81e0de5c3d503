// The step table of a list's scroll thumb: 100 values spread over the key
// range of the current sort order, from the first record's value (step 1)
// to the last one's (step 100). For a text key the values between are
// spelled over an alphabet after the first and last values' common start.
#pragma once

#include <QString>
#include <QVariant>
#include <vector>

namespace crx {

enum class Alphabet { Letters, LettersDigits, LettersDigitsPunctuation };

class StepTable
{
public:
    // From the first and last values of the key's first field.
    void build(const QVariant &first, const QVariant &last, bool text, Alphabet alphabet);
    bool empty() const { return steps_.empty(); }
    // Step p, 1 to 100.
    QVariant step(int p) const;
    // The thumb for a key value: the first step not below it (in capitals); below 2 shows as 0.
    int thumb(const QVariant &value) const;

private:
    std::vector<QVariant> steps_;
    bool text_ = true;
};

} // namespace crx
