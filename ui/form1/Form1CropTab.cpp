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

QPushButton* GlyphButton(QWidget* parent, const char* name, int glyph, const QString& caption,
                         const QString& hint) {
    auto* b = Named<QPushButton>(name, caption, parent);
    if (glyph >= 0)
        b->setIcon(Glyph(glyph));
    b->setIconSize(QSize(18, 18));
    b->setToolTip(hint);
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

QSpinBox* SpinEdit(QWidget* parent, const char* name, int value, const QString& hint) {
    auto* s = Named<QSpinBox>(name, parent);
    s->setRange(1, std::numeric_limits<int>::max());
    s->setValue(value);
    s->setToolTip(hint);
    s->setMinimumWidth(60); // the range's ten digits would otherwise widen the tab
    return s;
}

const QString HotKeysOf(const char* ctrlKey, const char* plainKey) {
    return QStringLiteral("\n_\nГорячие клавиши:\n[Ctrl+%1] — всегда доступно\n[%2] — когда фокус "
                          "на изображении\nи установлен флаг «Разрешить без Ctrl и Alt»")
        .arg(QLatin1String(ctrlKey), QLatin1String(plainKey));
}

} // namespace

void TForm1::CreateCropTab() {
    TabCrop = Named<QWidget>("TabCrop");
    PageControl1->addTab(TabCrop, QStringLiteral("Обрезка"));
    auto* page = new QVBoxLayout(TabCrop);
    page->setContentsMargins(4, 6, 4, 4);
    page->setSpacing(4);

    BtnOpen = GlyphButton(TabCrop, "BtnOpen", 2, QStringLiteral("Открыть TIFF"),
                          QStringLiteral("Выберите файлы"));
    btnTags = GlyphButton(TabCrop, "btnTags", 7, QString(),
                          QStringLiteral("Просмотр метаданных TIFF-файла") + HotKeysOf("T", "T"));
    BtnSaveFolder = GlyphButton(TabCrop, "BtnSaveFolder", 3, QStringLiteral("Куда сохранять"),
                                QStringLiteral("Укажите папку для сохранения"));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(BtnOpen, 1);
    fileRow->addWidget(btnTags);
    btnTags->setFixedWidth(32);
    page->addLayout(fileRow);
    page->addWidget(BtnSaveFolder);

    BtnRotLeft = GlyphButton(TabCrop, "BtnRotLeft", 8, QString(),
                             QStringLiteral("Повернуть на 90° против часовой стрелки") +
                                 HotKeysOf("L", "L"));
    BtnRotRight =
        GlyphButton(TabCrop, "BtnRotRight", 9, QString(),
                    QStringLiteral("Повернуть на 90° по часовой стрелке") + HotKeysOf("R", "R"));
    BtnRotate = GlyphButton(TabCrop, "BtnRotate", 10, QString(),
                            QStringLiteral("Перевернуть на 180°") + HotKeysOf("O", "O"));
    BtnFlip = GlyphButton(TabCrop, "BtnFlip", 11, QString(),
                          QStringLiteral("Отразить горизонтально") + HotKeysOf("M", "M"));
    BtnInvert = GlyphButton(TabCrop, "BtnInvert", 12, QString(),
                            QStringLiteral("Инвертировать") + HotKeysOf("I", "I"));
    BtnPlace = GlyphButton(TabCrop, "BtnPlace", 13, QString(),
                           QStringLiteral("Рамку на кадр:\nнайти снимок на скане\nи поставить "
                                          "рамку по его центру") +
                               HotKeysOf("F", "F"));
    auto* transformRow = new QHBoxLayout;
    transformRow->setSpacing(2);
    for (QPushButton* b : {BtnRotLeft, BtnRotRight, BtnRotate, BtnFlip, BtnInvert, BtnPlace}) {
        b->setFixedHeight(28);
        b->setMinimumWidth(28);
        transformRow->addWidget(b);
    }
    page->addLayout(transformRow);
    page->addSpacing(4);

    Label1 = Named<QLabel>("Label1", QStringLiteral("Рамки 3:2 (36 x 24 мм):"), TabCrop);
    page->addWidget(Label1);
    ComboBox1 = new QComboBox(TabCrop);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setEditable(false);
    ComboBox1->setMaxVisibleItems(20);
    // The tab is 180 pixels wide: long template texts must not widen it.
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox1->setMinimumContentsLength(12);
    ComboBox1->setToolTip(
        QStringLiteral("Шаблоны рамок для обрезки\n(можно изменить в VantrelFrames.txt)"));
    page->addWidget(ComboBox1);

    auto* sizeGrid = new QGridLayout;
    sizeGrid->setHorizontalSpacing(4);
    sizeGrid->setVerticalSpacing(3);
    lblWidth = Named<QLabel>("lblWidth", QStringLiteral("0 →"), TabCrop);
    SpEdWidth = SpinEdit(TabCrop, "SpEdWidth", 9000, QStringLiteral("Ширина рамки"));
    lblHeight = Named<QLabel>("lblHeight", QStringLiteral("0 →"), TabCrop);
    SpEdHeight = SpinEdit(TabCrop, "SpEdHeight", 6000, QStringLiteral("Высотра рамки"));
    BitBtn2 = GlyphButton(TabCrop, "BitBtn2", -1, QStringLiteral("↑↓"),
                          QStringLiteral("Смена ориентации рамки"));
    BtnLockRatio =
        GlyphButton(TabCrop, "BtnLockRatio", 0, QString(),
                    QStringLiteral("Пропорции зафиксированы.\nНажмите, чтобы разблокировать."));
    BtnLockRatio->setProperty("Tag", RatioLocked);
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
    Label9 = Named<QLabel>("Label9", QStringLiteral("Пропорция:"), TabCrop);
    lblApproximate = Named<QLabel>("lblApproximate", QStringLiteral("≈"), TabCrop);
    lblAspectRatio = Named<QLabel>("lblAspectRatio", QStringLiteral("0"), TabCrop);
    ratioRow->addWidget(Label9);
    ratioRow->addWidget(lblApproximate);
    ratioRow->addWidget(lblAspectRatio, 1);
    page->addLayout(ratioRow);
    page->addSpacing(4);

    BtnSave = GlyphButton(
        TabCrop, "BtnSave", 4, QStringLiteral("Обрезать и cохранить"),
        QStringLiteral(
            "Обрезать изображение по границам рамки\nи сохранить в новый файл\n[Ctrl+Кнопка] — "
            "сохранить без обрезки\n_\nГорячие клавиши:\n[Alt+C], [Ctrl+Enter] — всегда "
            "доступно, когда\nустановлены соответствующие флаги;\n[Пробел] — когда фокус на "
            "изображении\nи установлен соответствующий флаг;\n[C], [Enter] — когда фокус на "
            "изображении,\nустановлены соответствующие флаги\nи установлен флаг «Разрешить без "
            "Ctrl и Alt»\n_\n[Ctrl+S] — сохранить без обрезки\n[S] — сохранить без обрезки, "
            "когда фокус на изображении,\nи установлен флаг «Разрешить без Ctrl и Alt»"));
    BtnSave->setMinimumHeight(30);
    page->addWidget(BtnSave);

    const QString reloadKeys = QStringLiteral(
        "\n_\n[BackSpace] — перезагрузить текущий оригинал,\nкогда фокус на изображении;\n[F12] "
        "— перезагрузить текущий оригинал,\nвсегда доступно");
    BtnPrevious = GlyphButton(
        TabCrop, "BtnPrevious", 5, QString(),
        QStringLiteral("Предыдущее изображение из выбранных\n(контекстное меню — прямой "
                       "переход)\n_\nГорячие клавиши:\n[Alt+A] — всегда доступно, "
                       "когда\nустановлен соответствующий флаг;\n[PgUp, Shift+Tab] — когда "
                       "фокус на изображении\nи установлен соответствующиq флаг;\n[A] — когда "
                       "фокус на изображении,\nустановлен соответствующиq флаг\nи установлен "
                       "флаг «Разрешить без Ctrl и Alt»") +
            reloadKeys);
    btnNext = GlyphButton(
        TabCrop, "btnNext", 6, QStringLiteral("Следующий"),
        QStringLiteral("Следующее изображение из выбранных\n(контекстное меню — прямой "
                       "переход)\n_\nГорячие клавиши:\n[Alt+D] — всегда доступно, "
                       "когда\nустановлен соответствующий флаг;\n[PgDn, Tab] — когда фокус на "
                       "изображении\nи установлен соответствующиq флаг;\n[D] — когда фокус на "
                       "изображении,\nустановлен соответствующиq флаг\nи установлен флаг "
                       "«Разрешить без Ctrl и Alt»") +
            reloadKeys);
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
        QString Caption;
        QString Hint;
        QSlider*& Bar;
        const char* BarName;
        int32_t Limit; // the range is -Limit..Limit
        int Ticks;
    } trackBars[] = {
        {Label14, "Label14", QStringLiteral("Яркость:"),
         QStringLiteral("Яркость \nВлияет только на отображение, в файл не сохраняется.\nСмещает "
                        "слишком тёмные или слишком светлые участки\nв удобный для восприятия "
                        "диапазон,\nчтобы упростить точное позиционирование рамки.\n_\nГорячие "
                        "клавиши:\n[Shift + колёсико мыши] — всегда доступно"),
         TrackBar1, "TrackBar1", BrightnessLimit, 26},
        {Label4, "Label4", QStringLiteral("S-контрастность:"),
         QStringLiteral("S-контрастность (контрастность по S-образной кривой)\nВлияет только на "
                        "отображение, в файл не сохраняется.\nУвеличивает градацию оттенков в "
                        "тенях и светах,\nчтобы упростить точное позиционирование рамки.\n_\n"
                        "Горячие клавиши:\n[Ctrl + колёсико мыши] — всегда доступно"),
         TrackBar2, "TrackBar2", SContrastLimit, 50},
        {Label16, "Label16", QStringLiteral("Гамма-коррекция"),
         QStringLiteral("Гамма-коррекция\nВлияет только на отображение, в файл не "
                        "сохраняется.\nРегулирует яркость средних тонов,\nсохраняя света и "
                        "тени\n_\nГорячие клавиши:\n[Alt + колёсико мыши] — всегда доступно"),
         TrackBar3, "TrackBar3", GammaLimit, 10},
    };
    for (const auto& t : trackBars) {
        t.Label = Named<QLabel>(t.LabelName, t.Caption, TabCrop);
        t.Label->setToolTip(t.Hint);
        t.Bar = TrackBar(TabCrop, t.BarName, -t.Limit, t.Limit, t.Ticks);
        page->addWidget(t.Label);
        page->addWidget(t.Bar);
    }
}

} // namespace vantrel
