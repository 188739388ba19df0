// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

/// Captions of the navigation buttons `btnNext` and `BtnPrevious`.
struct TNavCaptions {
    std::string Next;
    std::string Previous;
};

/// An item of the direct-jump menu: a file name without its folder and its position.
struct TJumpMenuItem {
    std::string Caption;
    int Index = -1;
    bool Enabled = true;
};

/// The batch of files being worked through: full paths in the order chosen or dropped
/// (duplicates allowed, never sorted) and the position of the file shown. The window's
/// `FFileList` and `FCurrentIndex`; plain logic, the window wires its widgets to it.
class TFileList {
public:
    /// A new batch from the open dialog or a drop; the position becomes 0.
    void Assign(std::vector<std::string> paths);

    [[nodiscard]] const std::vector<std::string>& Files() const { return FFileList; }
    [[nodiscard]] int Count() const { return static_cast<int>(FFileList.size()); }
    [[nodiscard]] bool Empty() const { return FFileList.empty(); }
    /// −1 until the first batch arrives.
    [[nodiscard]] int CurrentIndex() const { return FCurrentIndex; }
    [[nodiscard]] bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }

    /// `OpenFileAt`'s choice: for a position in the list, makes it current and gives its
    /// path; otherwise nothing changes and the result is empty.
    std::optional<std::string> OpenAt(int index);

    /// The positions that next, previous and reload open; empty when there is none (no
    /// wrap-around).
    [[nodiscard]] std::optional<int> NextIndex() const;
    [[nodiscard]] std::optional<int> PreviousIndex() const;
    [[nodiscard]] std::optional<int> ReloadIndex() const;

    /// Enabled states of the navigation buttons after a load.
    [[nodiscard]] bool CanGoPrevious() const { return !Empty() && FCurrentIndex > 0; }
    [[nodiscard]] bool CanGoNext() const { return !Empty() && FCurrentIndex < Count() - 1; }

    /// `UpdateNavCaptions`: "Следующий (n)" with the files after `index` and the number of
    /// files before it, when the batch holds more than one file.
    [[nodiscard]] TNavCaptions NavCaptions(int index) const;

    /// `PopupMenu3Popup`'s items for the menu opened on the button named `componentName`
    /// ("btnNext" lists the files after the current one, "BtnPrevious" those before it);
    /// one disabled "(Нет файлов)" when the batch is empty.
    [[nodiscard]] std::vector<TJumpMenuItem> JumpMenuItems(std::string_view componentName) const;

private:
    std::vector<std::string> FFileList;
    int FCurrentIndex = -1;
};

/// The open dialog's filter: one entry named "TIFF Files" for *.tif and *.tiff.
inline constexpr std::string_view OpenDialogFilter = "TIFF Files (*.tif *.tiff)";

/// The paths of files dropped on the window, in the order given and whole, from the local
/// paths of the dropped URLs (empty for a URL that names no local file, which is left out).
/// Nothing else is examined: a folder or another file fails when it is loaded.
[[nodiscard]] std::vector<std::string> DroppedPaths(const std::vector<std::string>& localPaths);

} // namespace vantrel
