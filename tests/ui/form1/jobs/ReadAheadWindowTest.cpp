// SPDX-License-Identifier: MIT
// The next scan read ahead while the user works: Tab shows its samples, and a file changed
// after it was read is loaded fresh from the disk.

#include <QApplication>
#include <QTest>

#include "tests/ui/form1/WindowFixture.h"
#include "tiff/ScanMemory.h"

namespace vantrel {
namespace {

using ReadAheadWindowTest = WindowTest;

test::TLibTIFFImage Numbered(uint16_t first, bool bigEndian = false) {
    test::TLibTIFFImage image;
    image.Width = 40;
    image.Height = 30;
    image.Samples = 3;
    image.BigEndian = bigEndian;
    for (size_t i = 0; i < size_t(40 * 30 * 3); ++i)
        image.Words.push_back(uint16_t(first + i * 7));
    return image;
}

TEST_F(ReadAheadWindowTest, TabShowsTheScanReadAheadAndAChangedFileFresh) {
    TForm1& f = *Form;
    // At the test's own priority: a busy machine does not starve the read.
    Probe(f).FReadAhead = std::make_unique<TReadAhead>(SystemAvailableMemory, false);
    const std::string a = Write("a.tif", Numbered(100));
    const std::string b = Write("b.tif", Numbered(2000, true));
    const std::string c = Write("c.tif", Numbered(30000));
    ASSERT_NO_FATAL_FAILURE(OpenThroughDialog({a, b, c}));

    auto tabToReadAhead = [&](const std::string& expected) {
        EXPECT_EQ(Probe(f).FReadAheadFile, expected);
        Probe(f).FReadAhead->WaitUntilIdle();
        EXPECT_GT(Probe(f).FReadAhead->HeldBytes(), 0u);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(WaitForJobs());
        EXPECT_EQ(Probe(f).FShownFile, expected);
        EXPECT_EQ(WindowWords(), Written[expected]);
    };
    ASSERT_NO_FATAL_FAILURE(tabToReadAhead(b));
    Probe(f).FReadAhead->WaitUntilIdle();
    // Rewritten in place with other samples of the same size after it was read ahead.
    Write("c.tif", Numbered(500));
    ASSERT_NO_FATAL_FAILURE(tabToReadAhead(c));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(ReadAheadWindowTest, TheScanReadAheadComesWithItsSmoothView) {
    // Larger than the view: drawn reduced, from the smooth copy made with the words.
    TForm1& f = *Form;
    f.SetSmoothView(true);
    Probe(f).FReadAhead = std::make_unique<TReadAhead>(SystemAvailableMemory, false);
    test::TLibTIFFImage image;
    image.Width = 1500;
    image.Height = 1000;
    const std::string a = Write("a.tif", image), b = Write("b.tif", image);
    ASSERT_NO_FATAL_FAILURE(OpenThroughDialog({a, b}));
    Probe(f).FReadAhead->WaitUntilIdle();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(f).FShownFile, b);
    EXPECT_LT(Probe(f).FCurrentScale, 1.0);
    EXPECT_TRUE(f.SmoothViewReady());
    EXPECT_TRUE(Messages.empty());
}

} // namespace
} // namespace vantrel
