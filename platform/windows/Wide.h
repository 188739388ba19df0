// SPDX-License-Identifier: MIT
#pragma once

// UTF-8 and the UTF-16 of the wide Windows API; inside the platform room only.

#include <string>
#include <string_view>

namespace vantrel {

[[nodiscard]] std::wstring WideFromUtf8(std::string_view text);
[[nodiscard]] std::string Utf8FromWide(std::wstring_view text);

/// The wide form of a UTF-8 path for CreateFileW and its kin. A long path (beyond the old
/// limit of 260 characters, less the room some calls keep for a file name) becomes absolute
/// with the "\\?\" prefix, which lifts the limit on every version of Windows.
[[nodiscard]] std::wstring WidePath(std::string_view path);

} // namespace vantrel
