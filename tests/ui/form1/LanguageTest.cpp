// SPDX-License-Identifier: MIT
// The interface language: the window switches to English at once and back to exactly its
// Russian texts, and the choice survives a restart.

#include <QFile>
#include <QHeaderView>
#include <QTabBar>

#include "tests/ui/form1/WindowFixture.h"
#include "ui/logic/TagTable.h"
#include "ui/logic/settings/IniFile.h"
#include "ui/logic/settings/Settings.h"
#include "ui/widgets/QtTranslations.h"
#include "ui/widgets/Utf8Text.h"

namespace vantrel {
namespace {

class LanguageTest : public WindowTest {
protected:
    LanguageTest() { CloseHelpAtStart = false; }
    void TearDown() override {
        WindowTest::TearDown();
        ApplyLanguage(texts::TLanguage::Russian); // whatever a failed test left
    }

    QComboBox* LanguageBox() const { return Control<QComboBox>(*Form, "CbLanguage"); }
    void Choose(int index) {
        LanguageBox()->setCurrentIndex(index);
        emit LanguageBox()->activated(index); // as the user's pick
    }
    [[nodiscard]] std::optional<std::string> StoredLanguage() const {
        return TIniFile::LoadFromFile(std::filesystem::path(SettingsFolder->Path()) /
                                      SettingsFileName)
            .ReadValue("UI", "Language");
    }

    // What the test compares in both languages.
    [[nodiscard]] QStringList Texts() const {
        TForm1Probe p = Probe(*Form);
        return {p.BtnOpen->text(),
                p.BtnSave->text(),
                p.BtnSave->toolTip(),
                p.BtnLockRatio->toolTip(),
                p.PageControl1->tabText(0),
                p.PageControl1->tabText(1),
                p.Label14->text(),
                p.N1->text(),
                p.Chk_NoModif->text(),
                Control<QLabel>(*Form, "LblLanguage")->text(),
                p.ListView1->headerItem()->text(0),
                p.ListView1->topLevelItem(0)->text(0),
                p.btnNext->text(),
                Form->windowTitle(),
                p.WebBrowser1->source().toString()};
    }
};

TEST_F(LanguageTest, SwitchesAtOnceAndBackToTheRussianTexts) {
    // Qt's Russian texts as the program has them, where they are installed.
    const bool qtRussian = InstallQtTranslations(*qApp);
    ASSERT_NO_FATAL_FAILURE(OpenThroughDialog({Write("frame-01.tif", Rgb(60, 40))}));
    Form->ShowHelp();
    TForm1Probe p = Probe(*Form);
    ASSERT_GT(p.ListView1->topLevelItemCount(), 1);
    const QStringList russian = Texts();
    const int russianWidth = p.PageControl1->width();
    EXPECT_EQ(LanguageBox()->currentText(), QStringLiteral("Русский"));
    EXPECT_EQ(russian[0], QStringLiteral("Открыть TIFF"));

    Choose(1);
    EXPECT_EQ(texts::CurrentLanguage(), texts::TLanguage::English);
    EXPECT_EQ(p.BtnOpen->text(), QStringLiteral("Open TIFF"));
    EXPECT_EQ(p.BtnSave->text(), QStringLiteral("Crop and save"));
    EXPECT_TRUE(p.BtnLockRatio->toolTip().startsWith(QStringLiteral("Proportions locked.")));
    EXPECT_EQ(p.PageControl1->tabText(1), QStringLiteral("Settings"));
    EXPECT_EQ(Control<QLabel>(*Form, "LblLanguage")->text(), QStringLiteral("Interface language"));
    EXPECT_EQ(LanguageBox()->currentText(), QStringLiteral("English"));
    // The tabs' column widens to the English captions rather than cutting them off.
    EXPECT_GE(p.PageControl1->width(), p.PageControl1->minimumSizeHint().width());
    EXPECT_TRUE(Form->windowTitle().contains(QStringLiteral("[SOURCE FOLDER]")));
    // The hints' rules are drawn again under the English lines.
    EXPECT_FALSE(p.BtnSave->toolTip().contains(QStringLiteral("\n_\n")));
    // The tag table is made again in the language of the tags' texts, names and values alike.
    EXPECT_EQ(p.ListView1->headerItem()->text(0), TextOf(TagTableColumns[0].Caption));
    EXPECT_FALSE(
        p.ListView1->findItems(QStringLiteral("Image width (ImageWidth)"), Qt::MatchExactly)
            .isEmpty());
    // The help page of the same name, in English where the English pages have it.
    const bool englishHelp = QFile::exists(QStringLiteral(":/help/en/INDEX"));
    EXPECT_EQ(p.WebBrowser1->source().toString(), englishHelp ? QStringLiteral("qrc:/help/en/INDEX")
                                                              : QStringLiteral("qrc:/help/INDEX"));
    EXPECT_FALSE(p.WebBrowser1->toPlainText().isEmpty());
    // Qt's own texts are its English ones.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));

    Choose(0);
    EXPECT_EQ(texts::CurrentLanguage(), texts::TLanguage::Russian);
    EXPECT_EQ(Texts(), russian);
    EXPECT_EQ(p.PageControl1->width(), russianWidth);
    if (qtRussian) {
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                  QStringLiteral("Отмена"));
    }
}

TEST_F(LanguageTest, TheChoiceSurvivesARestart) {
    // A new settings file starts Russian and names no language.
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_EQ(StoredLanguage(), std::nullopt);
    EXPECT_EQ(LanguageBox()->currentIndex(), 0);

    Choose(1);
    EXPECT_EQ(Probe(*Form).StatusBar1->text(), QStringLiteral("Ready")); // made again
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_EQ(StoredLanguage(), "en");
    EXPECT_EQ(LanguageBox()->currentIndex(), 1);
    EXPECT_EQ(Probe(*Form).BtnOpen->text(), QStringLiteral("Open TIFF"));
    EXPECT_EQ(Form->windowTitle().left(7), QStringLiteral("Vantrel"));

    // The problems of the settings file are told in the language it chose.
    Form.reset();
    TIniFile ini =
        TIniFile::LoadFromFile(std::filesystem::path(SettingsFolder->Path()) / SettingsFileName);
    ini.WriteString("UI", "FrameColor1", "clNoSuchColour");
    ini.SaveToFile(std::filesystem::path(SettingsFolder->Path()) / SettingsFileName);
    Form = std::make_unique<TForm1>(Settings);
    QCoreApplication::processEvents(); // the problems are told once the window runs
    ASSERT_EQ(Problems.size(), 1);
    EXPECT_TRUE(Problems[0].startsWith(QStringLiteral("Unknown colour FrameColor1=clNoSuchColour")))
        << Problems[0].toStdString();

    Choose(0);
    EXPECT_EQ(Probe(*Form).StatusBar1->text(), QStringLiteral("Готов к работе"));
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_EQ(StoredLanguage(), "ru");
    EXPECT_EQ(Probe(*Form).BtnOpen->text(), QStringLiteral("Открыть TIFF"));
}

} // namespace
} // namespace vantrel
