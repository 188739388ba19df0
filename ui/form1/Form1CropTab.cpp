// SPDX-License-Identifier: MIT
// The tab "Обрезка": file and transform buttons, the frame fields, save and navigation, the
// display track bars.

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>

#include "pipeline/kernels/DisplayAdjustments.h"
#include "ui/form1/Unit1.h"
#include "ui/widgets/ActivityIndicator.h"
#include "ui/widgets/Glyphs.h"
#include "ui/widgets/Named.h"

namespace vantrel {

namespace {

// A command button; its caption and hint follow the language (TForm1::Texts).
QPushButton* GlyphButton(QWidget* parent, const char* name, int glyph) {
    auto* b = Named<QPushButton>(name, parent);
    if (glyph >= 0)
        b->setIcon(Glyph(glyph));
    b->setIconSize(QSize(18, 18));
    return b;
}

QSlider* TrackBar(QWidget* parent, const char* name, int min, int max, int ticks) {
    auto* t = Named<QSlider>(name, Qt::Horizontal, parent);
    t->setRange(min, max);
    t->setTickInterval(ticks);
    t->setTickPosition(QSlider::TicksBelow);
    t->setValue(0);
    t->setContextMenuPolicy(Qt::CustomContextMenu);
    return t;
}

QSpinBox* SpinEdit(QWidget* parent, const char* name, int value) {
    auto* s = Named<QSpinBox>(name, parent);
    s->setRange(1, std::numeric_limits<int>::max());
    s->setValue(value);
    s->setMinimumWidth(60); // the range's ten digits would otherwise widen the tab
    return s;
}

QString HotKeysOf(const char* ctrlKey, const char* plainKey) {
    return TForm1::tr("\n_\nГорячие клавиши:\n[Ctrl+%1] — всегда доступно\n[%2] — когда фокус "
                      "на изображении\nи установлен флаг «Разрешить без Ctrl и Alt»")
        .arg(QLatin1String(ctrlKey), QLatin1String(plainKey));
}

// A command button with no caption, only a glyph and its hint.
void Hint(QPushButton* button, const QString& hint) {
    button->setToolTip(hint);
}

} // namespace

void TForm1::CreateCropTab() {
    TabCrop = Named<QWidget>("TabCrop");
    PageControl1->addTab(TabCrop, QString());
    Texts([this] { PageControl1->setTabText(PageControl1->indexOf(TabCrop), tr("Обрезка")); });
    auto* page = new QVBoxLayout(TabCrop);
    page->setContentsMargins(4, 6, 4, 4);
    page->setSpacing(4);

    // The two folder buttons' hints name their folders once the settings are read.
    BtnOpen = GlyphButton(TabCrop, "BtnOpen", 2);
    BtnOpen->setToolTip(tr("Выберите файлы"));
    btnTags = GlyphButton(TabCrop, "btnTags", 7);
    BtnSaveFolder = GlyphButton(TabCrop, "BtnSaveFolder", 3);
    BtnSaveFolder->setToolTip(tr("Укажите папку для сохранения"));
    Texts([this] {
        BtnOpen->setText(tr("Открыть TIFF"));
        Hint(btnTags, tr("Просмотр метаданных TIFF-файла") + HotKeysOf("T", "T"));
        BtnSaveFolder->setText(tr("Куда сохранять"));
    });
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(BtnOpen, 1);
    fileRow->addWidget(btnTags);
    btnTags->setFixedWidth(32);
    page->addLayout(fileRow);
    page->addWidget(BtnSaveFolder);

    BtnRotLeft = GlyphButton(TabCrop, "BtnRotLeft", 8);
    BtnRotRight = GlyphButton(TabCrop, "BtnRotRight", 9);
    BtnRotate = GlyphButton(TabCrop, "BtnRotate", 10);
    BtnFlip = GlyphButton(TabCrop, "BtnFlip", 11);
    BtnInvert = GlyphButton(TabCrop, "BtnInvert", 12);
    BtnPlace = GlyphButton(TabCrop, "BtnPlace", 13);
    BtnStrip = GlyphButton(TabCrop, "BtnStrip", 14);
    Texts([this] {
        Hint(BtnRotLeft, tr("Повернуть на 90° против часовой стрелки") + HotKeysOf("L", "L"));
        Hint(BtnRotRight, tr("Повернуть на 90° по часовой стрелке") + HotKeysOf("R", "R"));
        Hint(BtnRotate, tr("Перевернуть на 180°") + HotKeysOf("O", "O"));
        Hint(BtnFlip, tr("Отразить горизонтально") + HotKeysOf("M", "M"));
        Hint(BtnInvert, tr("Инвертировать") + HotKeysOf("I", "I"));
        Hint(BtnPlace,
             tr("Рамку на кадр:\nнайти снимок на скане\nи поставить рамку по его центру") +
                 HotKeysOf("F", "F"));
        Hint(BtnStrip,
             tr("Рамку на следующий кадр скана\nс целой полоской плёнки\n[Shift+Кнопка] — на "
                "предыдущий кадр") +
                 HotKeysOf("N", "N") + tr("\n[Ctrl+Shift+N], [Shift+N] — на предыдущий кадр"));
    });
    auto* transformRow = new QHBoxLayout;
    transformRow->setSpacing(2);
    for (QPushButton* b :
         {BtnRotLeft, BtnRotRight, BtnRotate, BtnFlip, BtnInvert, BtnPlace, BtnStrip}) {
        b->setFixedHeight(28);
        b->setMinimumWidth(28);
        transformRow->addWidget(b);
    }
    page->addLayout(transformRow);
    page->addSpacing(4);

    Label1 = Named<QLabel>("Label1", TabCrop);
    page->addWidget(Label1);
    ComboBox1 = new QComboBox(TabCrop);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setEditable(false);
    ComboBox1->setMaxVisibleItems(20);
    // The tab is 180 pixels wide: long template texts must not widen it.
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox1->setMinimumContentsLength(12);
    Texts([this] {
        Label1->setText(tr("Рамки 3:2 (36 x 24 мм):"));
        ComboBox1->setToolTip(
            tr("Шаблоны рамок для обрезки\n(можно изменить в VantrelFrames.txt)"));
    });
    page->addWidget(ComboBox1);

    auto* sizeGrid = new QGridLayout;
    sizeGrid->setHorizontalSpacing(4);
    sizeGrid->setVerticalSpacing(3);
    lblWidth = Named<QLabel>("lblWidth", QStringLiteral("0 →"), TabCrop);
    SpEdWidth = SpinEdit(TabCrop, "SpEdWidth", 9000);
    lblHeight = Named<QLabel>("lblHeight", QStringLiteral("0 →"), TabCrop);
    SpEdHeight = SpinEdit(TabCrop, "SpEdHeight", 6000);
    BitBtn2 = GlyphButton(TabCrop, "BitBtn2", -1);
    BitBtn2->setText(QStringLiteral("↑↓"));
    BtnLockRatio = GlyphButton(TabCrop, "BtnLockRatio", 0);
    BtnLockRatio->setProperty("Tag", RatioLocked);
    Texts([this] {
        SpEdWidth->setToolTip(tr("Ширина рамки"));
        SpEdHeight->setToolTip(tr("Высотра рамки"));
        Hint(BitBtn2, tr("Смена ориентации рамки"));
        ShowLockHint(LockState() == RatioLocked);
    });
    for (QLabel* l : {lblWidth, lblHeight})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QPushButton* b : {BitBtn2, BtnLockRatio})
        b->setFixedSize(28, 24);
    sizeGrid->addWidget(lblWidth, 0, 0);
    sizeGrid->addWidget(SpEdWidth, 0, 1);
    sizeGrid->addWidget(BitBtn2, 0, 2);
    sizeGrid->addWidget(lblHeight, 1, 0);
    sizeGrid->addWidget(SpEdHeight, 1, 1);
    sizeGrid->addWidget(BtnLockRatio, 1, 2);
    sizeGrid->setColumnStretch(1, 1);
    page->addLayout(sizeGrid);

    auto* ratioRow = new QHBoxLayout;
    ratioRow->setSpacing(4);
    Label9 = Named<QLabel>("Label9", TabCrop);
    Texts([this] { Label9->setText(tr("Пропорция:")); });
    lblApproximate = Named<QLabel>("lblApproximate", QStringLiteral("≈"), TabCrop);
    lblAspectRatio = Named<QLabel>("lblAspectRatio", QStringLiteral("0"), TabCrop);
    ratioRow->addWidget(Label9);
    ratioRow->addWidget(lblApproximate);
    ratioRow->addWidget(lblAspectRatio, 1);
    page->addLayout(ratioRow);
    page->addSpacing(4);

    BtnSave = GlyphButton(TabCrop, "BtnSave", 4);
    Texts([this] {
        BtnSave->setText(tr("Обрезать и cохранить"));
        Hint(BtnSave,
             tr("Обрезать изображение по границам рамки\nи сохранить в новый файл\n[Ctrl+Кнопка] — "
                "сохранить без обрезки\n_\nГорячие клавиши:\n[Alt+C], [Ctrl+Enter] — всегда "
                "доступно, когда\nустановлены соответствующие флаги;\n[Пробел] — когда фокус на "
                "изображении\nи установлен соответствующий флаг;\n[C], [Enter] — когда фокус на "
                "изображении,\nустановлены соответствующие флаги\nи установлен флаг «Разрешить без "
                "Ctrl и Alt»\n_\n[Ctrl+S] — сохранить без обрезки\n[S] — сохранить без обрезки, "
                "когда фокус на изображении,\nи установлен флаг «Разрешить без Ctrl и Alt»"));
    });
    BtnSave->setMinimumHeight(30);
    page->addWidget(BtnSave);

    BtnPrevious = GlyphButton(TabCrop, "BtnPrevious", 5);
    btnNext = GlyphButton(TabCrop, "btnNext", 6);
    Texts([this] {
        const QString reloadKeys = tr("\n_\n[BackSpace] — перезагрузить текущий оригинал,\nкогда "
                                      "фокус на изображении;\n[F12] "
                                      "— перезагрузить текущий оригинал,\nвсегда доступно");
        Hint(BtnPrevious,
             tr("Предыдущее изображение из выбранных\n(контекстное меню — прямой "
                "переход)\n_\nГорячие клавиши:\n[Alt+A] — всегда доступно, "
                "когда\nустановлен соответствующий флаг;\n[PgUp, Shift+Tab] — когда "
                "фокус на изображении\nи установлен соответствующиq флаг;\n[A] — когда "
                "фокус на изображении,\nустановлен соответствующиq флаг\nи установлен "
                "флаг «Разрешить без Ctrl и Alt»") +
                 reloadKeys);
        Hint(btnNext, tr("Следующее изображение из выбранных\n(контекстное меню — прямой "
                         "переход)\n_\nГорячие клавиши:\n[Alt+D] — всегда доступно, "
                         "когда\nустановлен соответствующий флаг;\n[PgDn, Tab] — когда фокус на "
                         "изображении\nи установлен соответствующиq флаг;\n[D] — когда фокус на "
                         "изображении,\nустановлен соответствующиq флаг\nи установлен флаг "
                         "«Разрешить без Ctrl и Alt»") +
                          reloadKeys);
        UpdateNavCaptions(FBatch.CurrentIndex()); // "Следующий" and the numbers of the batch
    });
    btnNext->setLayoutDirection(Qt::RightToLeft); // the glyph at the right
    BtnPrevious->setContextMenuPolicy(Qt::CustomContextMenu);
    btnNext->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* navRow = new QHBoxLayout;
    navRow->addWidget(BtnPrevious);
    BtnPrevious->setFixedWidth(44);
    navRow->addWidget(btnNext, 1);
    page->addLayout(navRow);

    ActivityIndicator1 = new TActivityIndicator(TabCrop, 64);
    ActivityIndicator1->setObjectName("ActivityIndicator1");
    page->addWidget(ActivityIndicator1, 0, Qt::AlignHCenter);
    page->addStretch(1);

    // The display track bars, each under its label.
    const struct {
        QLabel*& Label;
        const char* LabelName;
        const char* Caption;
        const char* Hint;
        QSlider*& Bar;
        const char* BarName;
        int32_t Limit; // the range is -Limit..Limit
        int Ticks;
    } trackBars[] = {
        {Label14, "Label14", QT_TR_NOOP("Яркость:"),
         QT_TR_NOOP("Яркость \nВлияет только на отображение, в файл не сохраняется.\nСмещает "
                    "слишком тёмные или слишком светлые участки\nв удобный для восприятия "
                    "диапазон,\nчтобы упростить точное позиционирование рамки.\n_\nГорячие "
                    "клавиши:\n[Shift + колёсико мыши] — всегда доступно"),
         TrackBar1, "TrackBar1", BrightnessLimit, 26},
        {Label4, "Label4", QT_TR_NOOP("S-контрастность:"),
         QT_TR_NOOP("S-контрастность (контрастность по S-образной кривой)\nВлияет только на "
                    "отображение, в файл не сохраняется.\nУвеличивает градацию оттенков в "
                    "тенях и светах,\nчтобы упростить точное позиционирование рамки.\n_\n"
                    "Горячие клавиши:\n[Ctrl + колёсико мыши] — всегда доступно"),
         TrackBar2, "TrackBar2", SContrastLimit, 50},
        {Label16, "Label16", QT_TR_NOOP("Гамма-коррекция"),
         QT_TR_NOOP("Гамма-коррекция\nВлияет только на отображение, в файл не "
                    "сохраняется.\nРегулирует яркость средних тонов,\nсохраняя света и "
                    "тени\n_\nГорячие клавиши:\n[Alt + колёсико мыши] — всегда доступно"),
         TrackBar3, "TrackBar3", GammaLimit, 10},
    };
    for (const auto& t : trackBars) {
        t.Label = Named<QLabel>(t.LabelName, TabCrop);
        Texts([label = t.Label, caption = t.Caption, hint = t.Hint] {
            label->setText(tr(caption));
            label->setToolTip(tr(hint));
        });
        t.Bar = TrackBar(TabCrop, t.BarName, -t.Limit, t.Limit, t.Ticks);
        page->addWidget(t.Label);
        page->addWidget(t.Bar);
    }
}

} // namespace vantrel
