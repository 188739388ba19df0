// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "tiff/Exceptions.h"

namespace vantrel {

/// A read-only view of a file's bytes, or of a range of them. Every offset and length that a
/// file gives is hostile, so a part of the view is only reached through Slice, which checks the
/// range in 64 bits (offset <= size && length <= size - offset): neither the check nor a read
/// of the slice can run past the end.
class TByteView {
public:
    constexpr TByteView() noexcept = default;
    constexpr TByteView(const uint8_t* data, uint64_t size) noexcept : FData(data), FSize(size) {}
    constexpr explicit TByteView(std::span<const uint8_t> bytes) noexcept
        : FData(bytes.data()), FSize(bytes.size()) {}

    [[nodiscard]] const uint8_t* Data() const noexcept { return FData; }
    [[nodiscard]] uint64_t Size() const noexcept { return FSize; }
    [[nodiscard]] const uint8_t* begin() const noexcept { return FData; }
    [[nodiscard]] const uint8_t* end() const noexcept { return FData + FSize; }
    [[nodiscard]] std::span<const uint8_t> Bytes() const noexcept {
        return {FData, static_cast<size_t>(FSize)};
    }

    /// \brief True when `offset` is the position of a byte of the view (not its end).
    [[nodiscard]] bool Holds(uint64_t offset) const noexcept { return offset < FSize; }

    /// \brief The `length` bytes from `offset` on, or nothing when they do not all lie inside.
    [[nodiscard]] std::optional<TByteView> Slice(uint64_t offset, uint64_t length) const noexcept {
        if (offset > FSize || length > FSize - offset)
            return std::nullopt;
        return TByteView(FData + offset, length);
    }

    /// \brief The same, refusing a range outside the view with ETIFFError(`refusal`).
    [[nodiscard]] TByteView Slice(uint64_t offset, uint64_t length, const char* refusal) const {
        const std::optional<TByteView> slice = Slice(offset, length);
        if (!slice)
            throw ETIFFError(refusal);
        return *slice;
    }

private:
    const uint8_t* FData = nullptr;
    uint64_t FSize = 0;
};

} // namespace vantrel
