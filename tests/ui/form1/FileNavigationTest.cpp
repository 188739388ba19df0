// SPDX-License-Identifier: MIT
// Opening, dropping and browsing a batch of real files; loads that fail or overlap.

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "pipeline/jobs/JobTexts.h"
#include "tests/ui/form1/WindowFixture.h"

namespace vantrel {
namespace {

using FileNavigationTest = WindowTest;

std::string Caption(QPushButton* b) {
    return b->text().toStdString();
}

TEST_F(FileNavigationTest, OpenThreeFilesAndStepThrough) {
    const std::vector<std::string> files = {
        Write("a.tif", Grey(40, 30)), Write("b.tif", Rgb(30, 40)), Write("c.tiff", Grey(50, 20))};
    OpenThroughDialog(files, false);
    // At once, before the load completes.
    EXPECT_EQ(Caption(Probe(*Form).btnNext), "Следующий (2)");
    EXPECT_EQ(Caption(Probe(*Form).BtnPrevious), "0");
    EXPECT_EQ(Probe(*Form).StatusBar1->text().toStdString(), "Загрузка файла: " + files[0]);
    EXPECT_TRUE(Busy());
    ASSERT_TRUE(WaitForJobs());
    EXPECT_FALSE(Busy());
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Probe(*Form).FOriginalWidth, 40);
    EXPECT_EQ(Probe(*Form).lblWidth->text().toStdString(), "40 →");
    EXPECT_NE(Title().find(" — [ПАПКА ИСТОЧНИКA]\\a.tif"), std::string::npos) << Title();
    EXPECT_EQ(Probe(*Form).FOutputFolder, Dir.Path() + "/");
    EXPECT_EQ(Probe(*Form).BtnOpen->toolTip().toStdString(), Dir.Path() + "/");
    EXPECT_EQ(Probe(*Form).BtnSaveFolder->toolTip().toStdString(), Dir.Path() + "/");
    EXPECT_TRUE(Probe(*Form).btnNext->isEnabled());
    EXPECT_FALSE(Probe(*Form).BtnPrevious->isEnabled());

    const struct {
        std::string Next, Previous;
        int Width;
    } steps[] = {{"Следующий (1)", "1", 30}, {"Следующий (0)", "2", 50}};
    for (const auto& step : steps) {
        Form->ClickIfEnabled(Probe(*Form).btnNext, Probe(*Form).btnNext);
        EXPECT_EQ(Caption(Probe(*Form).btnNext), step.Next);
        EXPECT_EQ(Caption(Probe(*Form).BtnPrevious), step.Previous);
        ASSERT_TRUE(WaitForJobs());
        EXPECT_EQ(Probe(*Form).FOriginalWidth, step.Width);
    }
    EXPECT_EQ(Probe(*Form).FBatch.CurrentIndex(), 2);
    EXPECT_EQ(Probe(*Form).StatusBar1->text().isEmpty(), false);
    EXPECT_FALSE(Probe(*Form).btnNext->isEnabled()); // the last file
    EXPECT_TRUE(Probe(*Form).BtnPrevious->isEnabled());

    // A cancelled dialog changes nothing.
    OpenThroughDialog({});
    EXPECT_EQ(Probe(*Form).FFileList.size(), 3u);
    EXPECT_EQ(Probe(*Form).FBatch.CurrentIndex(), 2);

    // A later batch elsewhere keeps the output folder; one file: plain captions.
    std::filesystem::create_directory(Dir.File("other"));
    OpenThroughDialog({Write("other/d.tif", Grey(8, 8))});
    EXPECT_EQ(Probe(*Form).FOutputFolder, Dir.Path() + "/");
    EXPECT_EQ(Probe(*Form).BtnOpen->toolTip().toStdString(), Dir.Path() + "/other/");
    EXPECT_EQ(Caption(Probe(*Form).btnNext), "Следующий");
    EXPECT_EQ(Caption(Probe(*Form).BtnPrevious), "");
    EXPECT_FALSE(Probe(*Form).btnNext->isEnabled());
    EXPECT_FALSE(Probe(*Form).BtnPrevious->isEnabled());
}

TEST_F(FileNavigationTest, FailedLoadsKeepTheImageAndTellWhy) {
    test::TLibTIFFImage oneChannelRgb = Grey(6, 6);
    oneChannelRgb.Photometric = 2;
    const std::vector<std::string> files = {Write("good.tif", Grey(40, 30)), Dir.File("gone.tif"),
                                            Write("colour.tif", oneChannelRgb)};
    OpenThroughDialog(files);
    const std::string title = Title();
    struct {
        int Index;
        std::string Start;
    } const cases[] = {
        {1, "Ошибка при загрузке файла:\r\nETIFFError: "},
        {2, "Ошибка при загрузке файла:\r\nException: Неподдерживаемая цветовая модель для "
            "одноканального изображения.\r\nPhotometricInterpretation = 2"},
    };
    for (const auto& c : cases) {
        Messages.clear();
        Form->OpenFileAt(c.Index);
        ASSERT_TRUE(WaitForJobs());
        ASSERT_EQ(Messages.size(), 1u);
        EXPECT_EQ(Messages[0].rfind(c.Start, 0), 0u) << Messages[0];
        EXPECT_EQ(Probe(*Form).FOriginalWidth, 40);
        EXPECT_EQ(Title(), title);
        EXPECT_EQ(Probe(*Form).FBatch.CurrentIndex(), c.Index);
        EXPECT_EQ(Probe(*Form).FInputFile, files[size_t(c.Index)]);
        Probe(*Form).ImageViewer->repaint(); // an expose keeps the failed file's name
        EXPECT_EQ(Probe(*Form).StatusBar1->text().toStdString(),
                  "загрузка файла: " + files[size_t(c.Index)]);
        EXPECT_FALSE(Busy());
        EXPECT_TRUE(Probe(*Form).BtnSave->isEnabled());
    }
}

TEST_F(FileNavigationTest, DropTwoFilesWhileTenAreOpen) {
    std::vector<std::string> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back(Write("f" + std::to_string(i).append(".tif"), Grey(10 + i, 10)));
    OpenThroughDialog(ten);
    EXPECT_EQ(Caption(Probe(*Form).btnNext), "Следующий (9)");

    // A path longer than 259 characters arrives whole.
    std::string deep = Dir.Path();
    for (int i = 0; i < 3; ++i)
        deep += "/" + std::string(100, char('p' + i));
    std::filesystem::create_directories(deep);
    const std::string dropped[] = {
        Write(deep.substr(Dir.Path().size() + 1) + "/x.tif", Grey(33, 22)),
        Write("y.tif", Grey(5, 5))};
    ASSERT_GT(dropped[0].size(), 259u);
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped[0])),
                   QUrl(QStringLiteral("https://example.org/z.tif")),
                   QUrl::fromLocalFile(QString::fromStdString(dropped[1]))});
    const QPoint at = Form->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &drop);
    delete data;
    ASSERT_TRUE(WaitForJobs());

    // A dropped file is named as the system spells it (with backslashes on Windows).
    const auto native = [](std::string path) {
#if defined(_WIN32)
        std::replace(path.begin(), path.end(), '/', '\\');
#endif
        return path;
    };
    EXPECT_EQ(Probe(*Form).FFileList,
              (std::vector<std::string>{native(dropped[0]), native(dropped[1])}));
    EXPECT_EQ(Probe(*Form).FInputFile, native(dropped[0]));
    EXPECT_EQ(Probe(*Form).FOriginalWidth, 33);
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Caption(Probe(*Form).btnNext), "Следующий (1)");
    EXPECT_EQ(Caption(Probe(*Form).BtnPrevious), "0");
    EXPECT_EQ(Probe(*Form).BtnOpen->toolTip().toStdString(), native(deep + "/"));
}

TEST_F(FileNavigationTest, JumpMenu) {
    // Empty batch: one disabled item.
    Form->PopupMenu3Popup(Probe(*Form).btnNext);
    ASSERT_EQ(Probe(*Form).PopupMenu3->actions().size(), 1);
    EXPECT_EQ(Probe(*Form).PopupMenu3->actions()[0]->text(), QStringLiteral("(Нет файлов)"));
    EXPECT_FALSE(Probe(*Form).PopupMenu3->actions()[0]->isEnabled());

    std::vector<std::string> files;
    for (int i = 0; i < 5; ++i)
        files.push_back(Write("n" + std::to_string(i).append(".tif"), Grey(10 + i, 10)));
    OpenThroughDialog(files);
    Form->OpenFileAt(3);
    ASSERT_TRUE(WaitForJobs());

    Form->PopupMenu3Popup(Probe(*Form).BtnPrevious);
    QStringList names;
    for (QAction* a : Probe(*Form).PopupMenu3->actions())
        names << a->text();
    EXPECT_EQ(names, (QStringList{"n0.tif", "n1.tif", "n2.tif"}));
    Probe(*Form).PopupMenu3->actions()[1]->trigger();
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FBatch.CurrentIndex(), 1);
    EXPECT_EQ(Probe(*Form).FOriginalWidth, 11);

    Form->OpenFileAt(4);
    ASSERT_TRUE(WaitForJobs());
    Form->PopupMenu3Popup(Probe(*Form).btnNext);
    EXPECT_TRUE(Probe(*Form).PopupMenu3->actions().isEmpty());
}

TEST_F(FileNavigationTest, NewestLoadWins) {
    const std::vector<std::string> files = {Write("big.tif", Rgb(1500, 1200)),
                                            Write("small.tif", Grey(7, 5))};
    OpenThroughDialog(files);
    Form->OpenFileAt(1);
    ASSERT_TRUE(WaitForJobs());

    // The older load (a large file) ends after the newer one: it is dropped.
    Form->OpenFileAt(0);
    Form->OpenFileAt(1);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FOriginalWidth, 7);
    EXPECT_EQ(Probe(*Form).FInputFile, files[1]);
    EXPECT_NE(Title().find("small.tif"), std::string::npos);
    EXPECT_FALSE(Busy());

    // An older load that fails is dropped silently as well.
    std::filesystem::remove(files[0]);
    Form->OpenFileAt(0);
    Form->OpenFileAt(1);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_TRUE(Messages.empty());
    EXPECT_FALSE(Busy());
}

TEST_F(FileNavigationTest, ReloadAfterTransformShowsTheFileOnDisk) {
    OpenThroughDialog({Write("r.tif", Grey(40, 30))});
    Form->ClickIfEnabled(Probe(*Form).BtnRotRight, Probe(*Form).BtnRotRight);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FOriginalWidth, 30);
    EXPECT_NE(Title().find(" — В РАБОТЕ: r.tif"), std::string::npos) << Title();
    EXPECT_EQ(Probe(*Form).FTransformState.NetRotation, 90);

    Form->ReloadExecute();
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FOriginalWidth, 40);
    EXPECT_NE(Title().find(" — [ПАПКА ИСТОЧНИКA]\\r.tif"), std::string::npos) << Title();
    EXPECT_EQ(Probe(*Form).FTransformState.NetRotation, 0);
}

TEST_F(FileNavigationTest, OutputFolderFromTheFolderChooser) {
    std::filesystem::create_directory(Dir.File("out"));
    Form->ChooseOutputFolder = [this](const std::string&) { return Dir.File("out"); };
    Form->ClickIfEnabled(Probe(*Form).BtnSaveFolder, Probe(*Form).BtnSaveFolder);
    EXPECT_EQ(Probe(*Form).FOutputFolder, Dir.File("out") + "/");
    EXPECT_EQ(Probe(*Form).BtnSaveFolder->toolTip().toStdString(), Dir.File("out") + "/");
    Form->ChooseOutputFolder = [](const std::string&) { return std::string(); };
    Form->ClickIfEnabled(Probe(*Form).BtnSaveFolder, Probe(*Form).BtnSaveFolder);
    EXPECT_EQ(Probe(*Form).FOutputFolder, Dir.File("out") + "/");
}

TEST_F(FileNavigationTest, ThreadsThatCannotStart) {
    const std::string file = Write("t.tif", Grey(20, 10));
    Form->ThreadStarter = [](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                                "no thread");
    };
    OpenThroughDialog({file});
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("Ошибка при загрузке файла:\r\nException: no thread", 0), 0u);
    EXPECT_FALSE(Busy());
    EXPECT_FALSE(Form->HasImage());

    Form->ThreadStarter = DefaultThreadStarter();
    Form->ReloadExecute();
    ASSERT_TRUE(WaitForJobs());
    ASSERT_TRUE(Form->HasImage());

    // A render pass that cannot start: told, and the worker is not left busy.
    Messages.clear();
    Form->ThreadStarter = [](std::function<void()>) -> std::thread {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                                "no thread");
    };
    Probe(*Form).TrackBar1->setValue(-100);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("no thread"), std::string::npos);
    EXPECT_FALSE(Form->DisplayWorker().WorkerBusy());
    Form->ThreadStarter = DefaultThreadStarter();
    Probe(*Form).TrackBar1->setValue(-255);
    ASSERT_TRUE(WaitForJobs());
    EXPECT_EQ(Probe(*Form).FBrightness, -255);
    for (int x = 0; x < 3 * 20; ++x) // brightness −255 leaves only black
        EXPECT_EQ(Probe(*Form).FCachedBitmap->Row(9)[x], 0);
}

} // namespace
} // namespace vantrel
