// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "ui/logic/FileList.h"

namespace vantrel {
namespace {

std::vector<std::string> Batch(int count, const std::string& folder = "/scans/") {
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i)
        files.push_back(folder + "scan " + std::to_string(i) + ".tif");
    return files;
}

struct TCaptionCase {
    int Files;
    int Index;
    const char* Next;
    const char* Previous;
};

void PrintTo(const TCaptionCase& c, std::ostream* os) {
    *os << c.Index << " of " << c.Files;
}

class NavCaptionsTest : public ::testing::TestWithParam<TCaptionCase> {};

TEST_P(NavCaptionsTest, CountTheFilesOnEitherSide) {
    TFileList list;
    list.Assign(Batch(GetParam().Files));
    const TNavCaptions captions = list.NavCaptions(GetParam().Index);
    EXPECT_EQ(captions.Next, GetParam().Next);
    EXPECT_EQ(captions.Previous, GetParam().Previous);
}

INSTANTIATE_TEST_SUITE_P(Captions, NavCaptionsTest,
                         ::testing::Values(TCaptionCase{3, 0, "Следующий (2)", "0"},
                                           TCaptionCase{3, 1, "Следующий (1)", "1"},
                                           TCaptionCase{3, 2, "Следующий (0)", "2"},
                                           TCaptionCase{1, 0, "Следующий", ""},
                                           TCaptionCase{0, 0, "Следующий", ""}));

TEST(FileList, WalksThroughABatchWithoutWrappingAround) {
    TFileList list;
    EXPECT_EQ(list.CurrentIndex(), -1);
    EXPECT_FALSE(list.ReloadIndex());

    list.Assign(Batch(3));
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_FALSE(list.PreviousIndex());
    EXPECT_FALSE(list.CanGoPrevious());
    ASSERT_EQ(list.NextIndex(), 1);
    EXPECT_EQ(list.OpenAt(*list.NextIndex()), "/scans/scan 1.tif");
    EXPECT_EQ(list.PreviousIndex(), 0);
    EXPECT_EQ(list.ReloadIndex(), 1);

    list.OpenAt(2);
    EXPECT_FALSE(list.NextIndex());
    EXPECT_FALSE(list.CanGoNext());
    EXPECT_TRUE(list.CanGoPrevious());

    // A position outside the list changes nothing.
    for (int bad : {-1, 3, 100})
        EXPECT_FALSE(list.OpenAt(bad));
    EXPECT_EQ(list.CurrentIndex(), 2);

    // A dropped batch replaces the whole list and starts at its first file.
    list.Assign({"/a/x.tif", "/a/x.tif"});
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.NavCaptions(0).Next, "Следующий (1)");
}

std::vector<int> Indexes(const std::vector<TJumpMenuItem>& items) {
    std::vector<int> indexes;
    for (const auto& item : items)
        indexes.push_back(item.Index);
    return indexes;
}

TEST(FileList, JumpMenuListsTheFilesOnTheButtonsSide) {
    TFileList list;
    const auto empty = list.JumpMenuItems("btnNext");
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].Caption, "(Нет файлов)");
    EXPECT_FALSE(empty[0].Enabled);

    list.Assign(Batch(6));
    list.OpenAt(3);
    const auto before = list.JumpMenuItems("BtnPrevious");
    EXPECT_EQ(Indexes(before), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(before[1].Caption, "scan 1.tif");
    EXPECT_EQ(Indexes(list.JumpMenuItems("btnNext")), (std::vector<int>{4, 5}));

    list.OpenAt(5);
    EXPECT_TRUE(list.JumpMenuItems("btnNext").empty());
    list.OpenAt(0);
    EXPECT_TRUE(list.JumpMenuItems("BtnPrevious").empty());
}

TEST(FileList, DroppedPathsStayWholeAndInOrder) {
    const std::string longPath = "/home/user/" + std::string(300, 'd') + "/scan.tif";
    const auto paths = DroppedPaths({longPath, "", "/scans/folder", "/scans/notes.txt"});
    EXPECT_EQ(paths, (std::vector<std::string>{longPath, "/scans/folder", "/scans/notes.txt"}));
}

} // namespace
} // namespace vantrel
