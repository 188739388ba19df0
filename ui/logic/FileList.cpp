// SPDX-License-Identifier: MIT
#include "ui/logic/FileList.h"

#include <utility>

#include "pipeline/crop/PathParts.h"
#include "ui/logic/LogicTexts.h"

namespace vantrel {

void TFileList::Assign(std::vector<std::string> paths) {
    FFileList = std::move(paths);
    FCurrentIndex = 0;
}

std::optional<std::string> TFileList::OpenAt(int index) {
    if (!IsValidIndex(index))
        return std::nullopt;
    FCurrentIndex = index;
    return FFileList[static_cast<size_t>(index)];
}

std::optional<int> TFileList::NextIndex() const {
    if (!Empty() && FCurrentIndex + 1 < Count())
        return FCurrentIndex + 1;
    return std::nullopt;
}

std::optional<int> TFileList::PreviousIndex() const {
    if (!Empty() && FCurrentIndex - 1 >= 0)
        return FCurrentIndex - 1;
    return std::nullopt;
}

std::optional<int> TFileList::ReloadIndex() const {
    if (!Empty() && FCurrentIndex >= 0)
        return FCurrentIndex;
    return std::nullopt;
}

TNavCaptions TFileList::NavCaptions(int index) const {
    if (Count() > 1)
        return {logic_texts::NextFile() + (" (" + std::to_string(Count() - index - 1) + ")"),
                std::to_string(index)};
    return {logic_texts::NextFile(), ""};
}

std::vector<TJumpMenuItem> TFileList::JumpMenuItems(std::string_view componentName) const {
    if (Empty())
        return {{logic_texts::NoFiles(), -1, false}};
    const bool onNext = componentName == "btnNext";
    const bool onPrevious = componentName == "BtnPrevious";
    std::vector<TJumpMenuItem> items;
    for (int i = 0; i < Count(); ++i) {
        if ((onNext && i <= FCurrentIndex) || (onPrevious && i >= FCurrentIndex))
            continue;
        items.push_back({FileNamePart(FFileList[static_cast<size_t>(i)]), i, true});
    }
    return items;
}

std::vector<std::string> DroppedPaths(const std::vector<std::string>& localPaths) {
    std::vector<std::string> paths;
    for (const auto& path : localPaths)
        if (!path.empty())
            paths.push_back(path);
    return paths;
}

} // namespace vantrel
