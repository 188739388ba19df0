// SPDX-License-Identifier: MIT
// The metadata panel in the window: filled by a load, toggled, collapsed, copied, and rows
// selected by dragging.

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSplitter>
#include <QTreeWidget>

#include "tags/TagNumbers.h"
#include "tests/support/Wine.h"
#include "tests/ui/form1/WindowFixture.h"

namespace vantrel {
namespace {

class MetadataPanelTest : public WindowTest {
protected:
    // `count` ASCII tags; a load's completion fills the panel with them.
    void LoadWithTags(size_t count, bool bigEndian) {
        std::vector<TTIFFTag> tags(count);
        for (size_t i = 0; i < count; ++i) {
            tags[i].TagID = uint16_t(270 + i);
            tags[i].TagName = "Тег " + std::to_string(i);
            tags[i].DataType = TTIFFDataType::dtASCII;
            tags[i].Count = uint32_t(i + 1);
            tags[i].DisplayValue = std::string("v").append(std::to_string(i));
            tags[i].DisplayValueDecoded = std::string("d").append(std::to_string(i));
        }
        LoadTags(std::move(tags), bigEndian);
    }

    void LoadTags(std::vector<TTIFFTag> tags, bool bigEndian) {
        TLoadedImage image;
        image.Words = std::make_shared<TSampleWords>(3, 0);
        image.Width = 300;
        image.Height = 200;
        image.Samples = 3;
        image.Photometric = 2;
        image.Bitmap = Bitmap(300, 200);
        Form->CompleteLoad(std::move(image), std::move(tags), bigEndian, "/scans/a.tif", "");
    }

    QString Cell(int row, int column) const {
        return Probe(*Form).ListView1->topLevelItem(row)->text(column);
    }

    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (int r = 0; r < Probe(*Form).ListView1->topLevelItemCount(); ++r)
            if (Probe(*Form).ListView1->topLevelItem(r)->isSelected())
                rows.push_back(r);
        return rows;
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QWidget* viewport = Probe(*Form).ListView1->viewport();
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, viewport->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }

    QPoint RowPoint(int row) const {
        return Probe(*Form)
            .ListView1->visualItemRect(Probe(*Form).ListView1->topLevelItem(row))
            .center();
    }
};

TEST_F(MetadataPanelTest, ColumnsAndSummaryRow) {
    if (test::RunsUnderWine())
        GTEST_SKIP() << "under Wine: Wine's stand-in for Segoe UI (DejaVu Sans, "
                        "scripts/windows-wine-prefix.sh) draws wider than the widths are made for";
    TForm1& f = *Form;
    ASSERT_EQ(Probe(f).ListView1->columnCount(), 6);
    const char* captions[] = {"Имя тега", "Тег", "Тип", "Кол.", "Значение", "Расшифровка"};
    const int widths[] = {300, 50, 80, 50, 100};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(Probe(f).ListView1->headerItem()->text(c), QString::fromUtf8(captions[c]));
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(Probe(f).ListView1->columnWidth(c), widths[c]);
    EXPECT_EQ(Probe(f).ListView1->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(Probe(f).ListView1->selectionBehavior(), QAbstractItemView::SelectRows);

    const struct {
        size_t Count;
        bool BigEndian;
        const char* Summary;
    } cases[] = {{21, false, "Найден 21 тэг, порядок байтов Little-Endian:"},
                 {22, true, "Найдены 22 тега, порядок байтов Big-Endian:"},
                 {11, false, "Найдено 11 тегов, порядок байтов Little-Endian:"},
                 {0, true, "Найдено 0 тегов, порядок байтов Big-Endian:"}};
    for (const auto& c : cases) {
        LoadWithTags(c.Count, c.BigEndian);
        ASSERT_EQ(Probe(f).ListView1->topLevelItemCount(), int(c.Count) + 1);
        EXPECT_EQ(Cell(0, 0), QString::fromUtf8(c.Summary));
        EXPECT_EQ(Cell(0, 1), QString());
        EXPECT_TRUE(Probe(f).ListView1->topLevelItem(0)->isFirstColumnSpanned());
    }
    EXPECT_EQ(f.TagPanelHeight(), 0); // filled while hidden

    // The names column fits the longest name, from its width at the start up to a limit.
    const QFontMetrics metrics = Probe(f).ListView1->fontMetrics();
    const struct {
        const char* Name;
        bool Fits;
    } names[] = {{"Ширина", true},
                 {"Фотометрическая интерпретация (PhotometricInterpretation)", true},
                 {"Очень длинное имя тега, которое не поместилось бы и в половину ширины "
                  "таблицы ни при каком разумном размере окна",
                  false}};
    for (const auto& n : names) {
        TTIFFTag tag;
        tag.TagName = n.Name;
        LoadTags({tag}, false);
        const int width = Probe(f).ListView1->columnWidth(0);
        EXPECT_GE(width, widths[0]);
        EXPECT_EQ(width > metrics.horizontalAdvance(QString::fromUtf8(n.Name)), n.Fits) << n.Name;
        EXPECT_LE(width, 480);
    }
}

TEST_F(MetadataPanelTest, ContinuationRowAndCopies) {
    TForm1& f = *Form;
    TTIFFTag bytes;
    bytes.TagID = tagid::XMLPacket;
    bytes.TagName = "XMP";
    bytes.DataType = TTIFFDataType::dtByte;
    bytes.Count = 4;
    bytes.DisplayValue = "<4 байт>";
    bytes.DisplayValueDecoded = "[61 62 0D 0A]\r\nab\r\ncd";
    TTIFFTag plain;
    plain.TagID = tagid::ImageWidth;
    plain.TagName = "Ширина";
    plain.DataType = TTIFFDataType::dtShort;
    plain.Count = 1;
    plain.DisplayValue = "300";
    plain.DisplayValueDecoded = "300 пикс.";
    LoadTags({bytes, plain}, false);
    ASSERT_EQ(Probe(f).ListView1->topLevelItemCount(), 4);
    EXPECT_EQ(Cell(1, 5), QStringLiteral("[61 62 0D 0A]"));
    EXPECT_EQ(Cell(2, 0), QString());
    EXPECT_EQ(Cell(2, 4), QStringLiteral("ASCII →"));
    EXPECT_EQ(Cell(2, 5), QStringLiteral("ab\r\ncd"));

    QClipboard* clipboard = QGuiApplication::clipboard();
    Probe(f).N1->trigger();
    // Five lines; the continuation cell keeps its own CR LF.
    const QStringList lines = clipboard->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 7) << clipboard->text().toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Имя тега\tТег\tТип\tКол.\tЗначение\tРасшифровка"));
    EXPECT_EQ(lines[1], QStringLiteral("Найдены 2 тега, порядок байтов Little-Endian:"));
    EXPECT_EQ(lines[2].count(QLatin1Char('\t')), 5);
    EXPECT_EQ(lines[3], QStringLiteral("\t\t\t\tASCII →\tab"));
    EXPECT_EQ(lines[4], QStringLiteral("cd"));
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("Ширина\t256\t")));
    EXPECT_EQ(lines[6], QString());

    // Nothing selected: the clipboard keeps its text.
    clipboard->setText(QStringLiteral("прежнее"));
    Probe(f).ListView1->clearSelection();
    Probe(f).N2->trigger();
    EXPECT_EQ(clipboard->text(), QStringLiteral("прежнее"));
    Probe(f).ListView1->topLevelItem(3)->setSelected(true);
    Probe(f).ListView1->topLevelItem(0)->setSelected(true);
    Probe(f).N2->trigger();
    EXPECT_EQ(clipboard->text(),
              QStringLiteral("Найдены 2 тега, порядок байтов Little-Endian:\r\n") + lines[5] +
                  QStringLiteral("\r\n"));
}

TEST_F(MetadataPanelTest, DragSelection) {
    TForm1& f = *Form;
    LoadWithTags(11, false); // 12 rows
    f.btnTagsClick();
    f.SetTagPanelHeight(400);
    ASSERT_TRUE(Probe(f).ListView1->visualItemRect(Probe(f).ListView1->topLevelItem(11)).bottom() <
                Probe(f).ListView1->viewport()->height() - 5);

    Mouse(QEvent::MouseButtonPress, RowPoint(5), Qt::LeftButton);
    Mouse(QEvent::MouseMove, RowPoint(2), Qt::LeftButton);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 3, 4, 5}));
    Mouse(QEvent::MouseMove, RowPoint(8), Qt::LeftButton);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{5, 6, 7, 8}));
    Mouse(QEvent::MouseButtonRelease, RowPoint(8), Qt::NoButton);
    EXPECT_FALSE(Probe(f).FSelecting);
    EXPECT_TRUE(Probe(f).ListView1->hasFocus());

    // A press below the last row clears; dragging onto row 3 selects from the top.
    const QPoint below(RowPoint(0).x(), Probe(f).ListView1->viewport()->height() - 2);
    Mouse(QEvent::MouseButtonPress, below, Qt::LeftButton);
    EXPECT_TRUE(SelectedRows().empty());
    Mouse(QEvent::MouseMove, RowPoint(3), Qt::LeftButton);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2, 3}));
    Mouse(QEvent::MouseButtonRelease, RowPoint(3), Qt::NoButton);
}

TEST_F(MetadataPanelTest, ToggleCollapseAndRememberedHeight) {
    TForm1& f = *Form;
    LoadWithTags(3, false);
    EXPECT_EQ(f.TagPanelHeight(), 0);
    Probe(f).btnTags->click();
    EXPECT_EQ(f.TagPanelHeight(), 200);
    // The splitter dragged to 120, Esc, Ctrl+T: back at 120.
    QSplitterHandle* handle = Probe(f).Splitter1->handle(1);
    const int dy = 120 - f.TagPanelHeight();
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(50, 1));
    QTest::mouseMove(handle, QPoint(50, 1 + dy));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(50, 1 + dy));
    const int dragged = f.TagPanelHeight();
    EXPECT_NEAR(dragged, 120, 1);
    QTest::keyClick(Probe(f).ImageViewer, Qt::Key_Escape);
    EXPECT_EQ(f.TagPanelHeight(), 0);
    QTest::keyClick(Probe(f).ImageViewer, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(f.TagPanelHeight(), dragged);
    // Dragged below 30 pixels the panel collapses.
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(50, 1));
    QTest::mouseMove(handle, QPoint(50, 1 - 100));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(50, 1 - 100));
    EXPECT_EQ(f.TagPanelHeight(), 0);
}

} // namespace
} // namespace vantrel
