// SPDX-License-Identifier: MIT
// The tab "Настройки": output naming, the look of the focused frame, the hot-key switches and
// the short key reference.

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

// A check box of a setting: its state is the setting's (ShowControlSettings).
QCheckBox* CheckBox(QWidget* parent, const char* name, const QString& caption,
                    const QString& hint) {
    auto* c = Named<QCheckBox>(name, caption, parent);
    c->setToolTip(hint);
    return c;
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
    PageControl1->addTab(TabSettings, QStringLiteral("Настройки"));
    auto* page = new QVBoxLayout(TabSettings);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(3);

    auto* nameGroup = new QGroupBox(QStringLiteral("Имя нового файла:"), TabSettings);
    auto* nameLayout = new QVBoxLayout(nameGroup);
    nameLayout->setContentsMargins(4, 2, 4, 4);
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(3);
    EdPrefix = new QLineEdit(nameGroup);
    EdPrefix->setObjectName("EdPrefix");
    EdPrefix->setToolTip(QStringLiteral("Префикс для нового имени"));
    Label2 = Named<QLabel>("Label2", QStringLiteral("Имя"), nameGroup);
    EdPostfix = new QLineEdit(nameGroup);
    EdPostfix->setObjectName("EdPostfix");
    EdPostfix->setToolTip(QStringLiteral("Постфикс для нового имени"));
    Label3 = Named<QLabel>("Label3", QStringLiteral(".tif"), nameGroup);
    nameRow->addWidget(EdPrefix, 1);
    nameRow->addWidget(Label2);
    nameRow->addWidget(EdPostfix, 1);
    nameRow->addWidget(Label3);
    nameLayout->addLayout(nameRow);
    chkNoTags = CheckBox(nameGroup, "chkNoTags", QStringLiteral("Обрезать лишние теги"),
                         QStringLiteral("Файл TIFF может содержать много ненужных "
                                        "тегов.\nоставшихся от предыдущих обработок.\nОпция "
                                        "позволяет их обрезать,\nоставив только необходимый "
                                        "минимум."));
    nameLayout->addWidget(chkNoTags);
    page->addWidget(nameGroup);

    auto* frameGroup = new QGroupBox(QStringLiteral("Тип фокусной рамки:"), TabSettings);
    auto* frameGrid = new QGridLayout(frameGroup);
    frameGrid->setContentsMargins(4, 2, 4, 4);
    frameGrid->setHorizontalSpacing(4);
    frameGrid->setVerticalSpacing(3);
    Label5 = Named<QLabel>("Label5", QStringLiteral("Штрих:"), frameGroup);
    ColorBox1 = new TColorBox(frameGroup);
    ColorBox1->setObjectName("ColorBox1");
    ColorBox1->setToolTip(QStringLiteral("Первый цвет штриха обрезной рамки"));
    ColorBox2 = new TColorBox(frameGroup);
    ColorBox2->setObjectName("ColorBox2");
    ColorBox2->setToolTip(QStringLiteral("Второй цвет штриха обрезной рамки"));
    for (TColorBox* box : {ColorBox1, ColorBox2}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(3);
    }
    lblUpDnDash = Named<QLabel>("lblUpDnDash", QStringLiteral("0"), frameGroup);
    lblUpDnDash->setToolTip(QStringLiteral("Длина штриха\nфокусной обрезной рамки"));
    UpDnDash = UpDown(frameGroup, &TSettings::FrameDash);
    UpDnDash->setObjectName("UpDnDash");
    Label6 = Named<QLabel>("Label6", QStringLiteral("Пробел:"), frameGroup);
    lblUpDnBlank = Named<QLabel>("lblUpDnBlank", QStringLiteral("0"), frameGroup);
    lblUpDnBlank->setToolTip(QStringLiteral("Расстояние между штрихами\nфокусной обрезной рамки"));
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
    chkPlaceOnOpen = CheckBox(TabSettings, "chkPlaceOnOpen",
                              QStringLiteral("Ставить рамку на кадр\nпри открытии"),
                              QStringLiteral("Каждый открытый файл: найти снимок на скане\nи "
                                             "поставить рамку по его центру.\nЕсли снимок не "
                                             "найден, рамка остаётся на месте."));
    page->addWidget(chkPlaceOnOpen);

    auto* keyGroup = new QGroupBox(QStringLiteral("Горячие клавиши:"), TabSettings);
    auto* keyGrid = new QGridLayout(keyGroup);
    keyGrid->setContentsMargins(4, 2, 4, 4);
    keyGrid->setVerticalSpacing(0);
    const QString always = QStringLiteral("Действует всегда");
    const QString focused = QStringLiteral("Действует при фокусе на изображении");
    Label8 = Named<QLabel>("Label8", QStringLiteral("Обрезка:"), keyGroup);
    Chk_Space = CheckBox(keyGroup, "Chk_Space", QStringLiteral("Пробел"), focused);
    Chk_CtrlEnter = CheckBox(keyGroup, "Chk_CtrlEnter", QStringLiteral("Ctrl+Enter"), always);
    Chk_AltC = CheckBox(keyGroup, "Chk_AltC", QStringLiteral("Alt+С"), always);
    Label10 = Named<QLabel>("Label10", QStringLiteral("Листание:"), keyGroup);
    ChkTabNext = CheckBox(keyGroup, "ChkTabNext", QStringLiteral("Tab"),
                          QStringLiteral("Действует при фокусе на изображении;\n[Shift+Tab] — "
                                         "листать назад"));
    ChkPgNext = CheckBox(keyGroup, "ChkPgNext", QStringLiteral("PgDn, PgUp"), focused);
    ChADNext = CheckBox(keyGroup, "ChADNext", QStringLiteral("Alt+D. Alt+A"), always);
    Chk_NoModif = CheckBox(keyGroup, "Chk_NoModif",
                           QStringLiteral("Разрешить без Ctrl и Alt\nесли фокус на рамке"),
                           QStringLiteral("Отключить клавиши-модификаторы\nу всех горячих клавиш "
                                          "(кроме стрелок),\nесли фокус находится на изображении"));
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

    InfoPanel = new QFrame(TabSettings);
    InfoPanel->setObjectName("InfoPanel");
    InfoPanel->setFrameShape(QFrame::StyledPanel);
    auto* info = new QVBoxLayout(InfoPanel);
    info->setContentsMargins(6, 4, 6, 4);
    info->setSpacing(0);
    const QString infoTexts[] = {
        QStringLiteral("Справка: F1"), QStringLiteral("Cдвиг рамки (пикс.):"),
        QStringLiteral("↕,↔: 1\nCtrl=2, Shift=4, Alt=16\nОдновременное нажатие\nперемножает "
                       "значения"),
        QStringLiteral("Перекл. фокуса и вкладок: "),
        QStringLiteral("Ctrl+Tab, Ctrl+Shift+Tab\n(рамка ⇄ обрез. ⇄ настр.)")};
    for (const QString& text : infoTexts) {
        auto* l = new QLabel(text, InfoPanel);
        info->addWidget(l);
    }
    page->addWidget(InfoPanel);
    ActivityIndicator2 = new TActivityIndicator(TabSettings, 64);
    ActivityIndicator2->setObjectName("ActivityIndicator2");
    page->addWidget(ActivityIndicator2, 0, Qt::AlignHCenter);
    page->addStretch(1);
}

} // namespace vantrel
