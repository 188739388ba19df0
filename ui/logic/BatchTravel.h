// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace vantrel {

/// The direction the user last moved through the batch, and the file ahead in that direction:
/// the one worth reading before the user asks for it.
class TBatchTravel {
public:
    /// A new batch: the user will go forward.
    void Restart() { FStep = 1; }
    /// A move from position `from` to `to`; staying in place (a reload) keeps the direction.
    void Moved(int from, int to);
    /// The position ahead of `current` in a batch of `count` files; none past either end.
    [[nodiscard]] std::optional<int> Ahead(int current, int count) const;

private:
    int FStep = 1;
};

} // namespace vantrel
