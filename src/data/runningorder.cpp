#include "runningorder.h"

#include <algorithm>

namespace crx {

std::vector<size_t> passedOver(const std::vector<int> &numbers, int number, Move mode, int afterNumber)
{
    const auto self = std::find(numbers.begin(), numbers.end(), number);
    std::vector<size_t> passed;
    if (self == numbers.end())
        return passed;
    const size_t at = size_t(self - numbers.begin());
    const bool up = mode == Move::UpOne || mode == Move::ToTop || mode == Move::AfterInsert;
    const bool oneStep = mode == Move::UpOne || mode == Move::DownOne;
    if (up) {
        for (size_t i = at; i-- > 0;) {
            if (mode == Move::AfterInsert && numbers[i] <= afterNumber)
                break;
            passed.push_back(i);
            if (oneStep)
                break;
        }
    } else {
        for (size_t i = at + 1; i < numbers.size(); ++i) {
            passed.push_back(i);
            if (oneStep)
                break;
        }
    }
    return passed;
}

} // namespace crx
