// SPDX-License-Identifier: MIT
#pragma once

// The modifier keys as the program records them (LastShiftState): one bit each, shared by the
// frame's arrow step and the key routing.

namespace vantrel {

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;

} // namespace vantrel
