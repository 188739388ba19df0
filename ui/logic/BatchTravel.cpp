// SPDX-License-Identifier: MIT
#include "ui/logic/BatchTravel.h"

namespace vantrel {

void TBatchTravel::Moved(int from, int to) {
    if (to != from)
        FStep = to > from ? 1 : -1;
}

std::optional<int> TBatchTravel::Ahead(int current, int count) const {
    if (current < 0 || current >= count)
        return std::nullopt;
    const int ahead = current + FStep;
    if (ahead < 0 || ahead >= count)
        return std::nullopt;
    return ahead;
}

} // namespace vantrel
