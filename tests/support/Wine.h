// SPDX-License-Identifier: MIT
#pragma once

namespace vantrel::test {

/// True when the test runs under Wine rather than on Windows itself (never on POSIX): a few
/// things Windows does, Wine does not, and such a test says so instead of failing.
[[nodiscard]] bool RunsUnderWine();

} // namespace vantrel::test
