// SPDX-License-Identifier: MIT
// The tab "Настройки": output naming, the look of the focused frame, the hot-key switches and
// the short key reference.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/form1/Unit1.h"
#include "ui/logic/settings/SettingRows.h"
#include "ui/widgets/ActivityIndicator.h"
#include "ui/widgets/ColorBox.h"
#include "ui/widgets/Named.h"
#include "ui/widgets/UpDown.h"

namespace vantrel {

namespace {

// A check box of a setting: its state is the setting's (ShowControlSettings), its texts
// follow the language (TForm1::Texts).
QCheckBox* CheckBox(QWidget* parent, const char* name) {
    return Named<QCheckBox>(name, parent);
}

void Caption(QCheckBox* box, const QString& caption, const QString& hint) {
    box->setText(caption);
    box->setToolTip(hint);
}

// An up-down of a setting over the setting's range.
TUpDown* UpDown(QWidget* parent, int TSettings::*setting) {
    const TSettingRange range = SettingRowOf(setting)->Range;
    return new TUpDown(range.Min, range.Max, range.Min, parent);
}

QFrame* Rule(QWidget* parent) {
    auto* r = new QFrame(parent);
    r->setFrameShape(QFrame::HLine);
    r->setFrameShadow(QFrame::Sunken);
    return r;
}

} // namespace

void TForm1::CreateSettingsTab() {
    TabSettings = Named<QWidget>("TabSettings");
    PageControl1->addTab(TabSettings, QString());
    auto* page = new QVBoxLayout(TabSettings);
    // Packed closely: at the smallest window the tab's height holds every row, the language's
    // among them, in either language.
    page->setContentsMargins(4, 2, 4, 2);
    page->setSpacing(1);

    auto* nameGroup = new QGroupBox(TabSettings);
    auto* nameLayout = new QVBoxLayout(nameGroup);
    nameLayout->setContentsMargins(4, 0, 4, 3);
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(3);
    EdPrefix = new QLineEdit(nameGroup);
    EdPrefix->setObjectName("EdPrefix");
    Label2 = Named<QLabel>("Label2", nameGroup);
    EdPostfix = new QLineEdit(nameGroup);
    EdPostfix->setObjectName("EdPostfix");
    Label3 = Named<QLabel>("Label3", QStringLiteral(".tif"), nameGroup);
    nameRow->addWidget(EdPrefix, 1);
    nameRow->addWidget(Label2);
    nameRow->addWidget(EdPostfix, 1);
    nameRow->addWidget(Label3);
    nameLayout->addLayout(nameRow);
    chkNoTags = CheckBox(nameGroup, "chkNoTags");
    nameLayout->addWidget(chkNoTags);
    page->addWidget(nameGroup);
    nameGroup->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto* frameGroup = new QGroupBox(TabSettings);
    auto* frameGrid = new QGridLayout(frameGroup);
    frameGrid->setContentsMargins(4, 0, 4, 3);
    frameGrid->setHorizontalSpacing(4);
    frameGrid->setVerticalSpacing(3);
    Label5 = Named<QLabel>("Label5", frameGroup);
    ColorBox1 = new TColorBox(frameGroup);
    ColorBox1->setObjectName("ColorBox1");
    ColorBox2 = new TColorBox(frameGroup);
    ColorBox2->setObjectName("ColorBox2");
    for (TColorBox* box : {ColorBox1, ColorBox2}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(3);
    }
    lblUpDnDash = Named<QLabel>("lblUpDnDash", QStringLiteral("0"), frameGroup);
    UpDnDash = UpDown(frameGroup, &TSettings::FrameDash);
    UpDnDash->setObjectName("UpDnDash");
    Label6 = Named<QLabel>("Label6", frameGroup);
    lblUpDnBlank = Named<QLabel>("lblUpDnBlank", QStringLiteral("0"), frameGroup);
    UpDnBlank = UpDown(frameGroup, &TSettings::FrameBlank);
    UpDnBlank->setObjectName("UpDnBlank");
    for (QLabel* l : {lblUpDnDash, lblUpDnBlank}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(24);
    }
    frameGrid->addWidget(Label5, 0, 0);
    frameGrid->addWidget(lblUpDnDash, 0, 2);
    frameGrid->addWidget(UpDnDash, 0, 3);
    // The two colours side by side: the tab's height at the smallest window holds every row.
    auto* colourRow = new QHBoxLayout;
    colourRow->setSpacing(4);
    colourRow->addWidget(ColorBox1, 1);
    colourRow->addWidget(ColorBox2, 1);
    frameGrid->addLayout(colourRow, 1, 0, 1, 4);
    frameGrid->addWidget(Label6, 2, 0);
    frameGrid->addWidget(lblUpDnBlank, 2, 2);
    frameGrid->addWidget(UpDnBlank, 2, 3);
    frameGrid->setColumnStretch(1, 1);
    page->addWidget(frameGroup);
    frameGroup->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    chkPlaceOnOpen = CheckBox(TabSettings, "chkPlaceOnOpen");
    page->addWidget(chkPlaceOnOpen);

    auto* keyGroup = new QGroupBox(TabSettings);
    auto* keyGrid = new QGridLayout(keyGroup);
    keyGrid->setContentsMargins(4, 0, 4, 3);
    keyGrid->setVerticalSpacing(0);
    Label8 = Named<QLabel>("Label8", keyGroup);
    Chk_Space = CheckBox(keyGroup, "Chk_Space");
    Chk_CtrlEnter = CheckBox(keyGroup, "Chk_CtrlEnter");
    Chk_AltC = CheckBox(keyGroup, "Chk_AltC");
    Label10 = Named<QLabel>("Label10", keyGroup);
    ChkTabNext = CheckBox(keyGroup, "ChkTabNext");
    ChkPgNext = CheckBox(keyGroup, "ChkPgNext");
    ChADNext = CheckBox(keyGroup, "ChADNext");
    Chk_NoModif = CheckBox(keyGroup, "Chk_NoModif");
    keyGrid->addWidget(Label8, 0, 0, 1, 2);
    keyGrid->addWidget(Chk_Space, 1, 0);
    keyGrid->addWidget(Chk_CtrlEnter, 1, 1);
    keyGrid->addWidget(Chk_AltC, 2, 0, 1, 2);
    keyGrid->addWidget(Rule(keyGroup), 3, 0, 1, 2);
    keyGrid->addWidget(Label10, 4, 0, 1, 2);
    keyGrid->addWidget(ChkTabNext, 5, 0);
    keyGrid->addWidget(ChkPgNext, 5, 1);
    keyGrid->addWidget(ChADNext, 6, 0, 1, 2);
    keyGrid->addWidget(Rule(keyGroup), 7, 0, 1, 2);
    keyGrid->addWidget(Chk_NoModif, 8, 0, 1, 2);
    page->addWidget(keyGroup);
    keyGroup->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    // The interface language, each named in itself; the choice applies at once.
    LblLanguage = Named<QLabel>("LblLanguage", TabSettings);
    CbLanguage = Named<QComboBox>("CbLanguage", TabSettings);
    CbLanguage->addItem(QStringLiteral("Русский"), QStringLiteral("ru"));
    CbLanguage->addItem(QStringLiteral("English"), QStringLiteral("en"));
    auto* languageRow = new QHBoxLayout;
    languageRow->setSpacing(4);
    languageRow->addWidget(LblLanguage);
    languageRow->addWidget(CbLanguage, 1);
    page->addLayout(languageRow);
    connect(CbLanguage, &QComboBox::activated, this, [this] { LanguageBoxChange(); });

    InfoPanel = new QFrame(TabSettings);
    InfoPanel->setObjectName("InfoPanel");
    InfoPanel->setFrameShape(QFrame::StyledPanel);
    auto* info = new QVBoxLayout(InfoPanel);
    info->setContentsMargins(6, 2, 6, 2);
    info->setSpacing(0);
    static const char* const infoTexts[] = {
        QT_TR_NOOP("Справка: F1"), QT_TR_NOOP("Cдвиг рамки (пикс.):"),
        QT_TR_NOOP("↕,↔: 1\nCtrl=2, Shift=4, Alt=16\nОдновременное нажатие\nперемножает "
                   "значения"),
        QT_TR_NOOP("Перекл. фокуса и вкладок: "),
        QT_TR_NOOP("Ctrl+Tab, Ctrl+Shift+Tab\n(рамка ⇄ обрез. ⇄ настр.)")};
    for (const char* text : infoTexts) {
        auto* l = new QLabel(InfoPanel);
        info->addWidget(l);
        Texts([l, text] { l->setText(tr(text)); });
    }
    page->addWidget(InfoPanel);
    // Where the tab is lower than its rows (the window's height taking a title bar, as on
    // Windows, or a large system font), the key summary gives way, cut at its foot, and the
    // controls above keep their room; the help has the same keys in full.
    // (A minimum of one pixel, as none would leave its rows' minimum in force.)
    info->setSizeConstraint(QLayout::SetNoConstraint);
    InfoPanel->setMinimumHeight(1);
    ActivityIndicator2 = new TActivityIndicator(TabSettings, 64);
    ActivityIndicator2->setObjectName("ActivityIndicator2");
    page->addWidget(ActivityIndicator2, 0, Qt::AlignHCenter);
    page->addStretch(1);

    Texts([this, nameGroup, frameGroup, keyGroup] {
        PageControl1->setTabText(PageControl1->indexOf(TabSettings), tr("Настройки"));
        nameGroup->setTitle(tr("Имя нового файла:"));
        EdPrefix->setToolTip(tr("Префикс для нового имени"));
        Label2->setText(tr("Имя"));
        EdPostfix->setToolTip(tr("Постфикс для нового имени"));
        Caption(chkNoTags, tr("Обрезать лишние теги"),
                tr("Файл TIFF может содержать много ненужных тегов.\nоставшихся от предыдущих "
                   "обработок.\nОпция позволяет их обрезать,\nоставив только необходимый "
                   "минимум."));
        frameGroup->setTitle(tr("Тип фокусной рамки:"));
        Label5->setText(tr("Штрих:"));
        ColorBox1->setToolTip(tr("Первый цвет штриха обрезной рамки"));
        ColorBox2->setToolTip(tr("Второй цвет штриха обрезной рамки"));
        lblUpDnDash->setToolTip(tr("Длина штриха\nфокусной обрезной рамки"));
        Label6->setText(tr("Пробел:"));
        lblUpDnBlank->setToolTip(tr("Расстояние между штрихами\nфокусной обрезной рамки"));
        Caption(chkPlaceOnOpen, tr("Ставить рамку на кадр\nпри открытии"),
                tr("Каждый открытый файл: найти снимок на скане\nи поставить рамку по его "
                   "центру.\nЕсли снимок не найден, рамка остаётся на месте."));
        keyGroup->setTitle(tr("Горячие клавиши:"));
        const QString always = tr("Действует всегда");
        const QString focused = tr("Действует при фокусе на изображении");
        Label8->setText(tr("Обрезка:"));
        Caption(Chk_Space, tr("Пробел"), focused);
        Caption(Chk_CtrlEnter, QStringLiteral("Ctrl+Enter"), always);
        Caption(Chk_AltC, tr("Alt+С"), always);
        Label10->setText(tr("Листание:"));
        Caption(ChkTabNext, QStringLiteral("Tab"),
                tr("Действует при фокусе на изображении;\n[Shift+Tab] — листать назад"));
        Caption(ChkPgNext, QStringLiteral("PgDn, PgUp"), focused);
        Caption(ChADNext, tr("Alt+D. Alt+A"), always);
        Caption(Chk_NoModif, tr("Разрешить без Ctrl и Alt\nесли фокус на рамке"),
                tr("Отключить клавиши-модификаторы\nу всех горячих клавиш (кроме "
                   "стрелок),\nесли фокус находится на изображении"));
        LblLanguage->setText(tr("Язык интерфейса"));
        const QSignalBlocker quiet(CbLanguage);
        CbLanguage->setCurrentIndex(texts::CurrentLanguage() == texts::TLanguage::English ? 1 : 0);
    });
}

} // namespace vantrel
