// SPDX-License-Identifier: MIT
#include "ui/form1/Unit1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "pipeline/crop/PathParts.h"
#include "pipeline/jobs/DisplayWorker.h" // the window owns the worker and the call queue
#include "pipeline/jobs/JobTexts.h"
#include "pipeline/jobs/UiCallQueue.h"
#include "tags/TIFFTagUtils.h"
#include "texts/Language.h"
#include "ui/logic/KeyMap.h"
#include "ui/logic/settings/Settings.h"
#include "ui/widgets/ActivityIndicator.h"
#include "ui/widgets/AppStyle.h"
#include "ui/widgets/ColorBox.h"
#include "ui/widgets/ImageBox.h"
#include "ui/widgets/QtTranslations.h"
#include "ui/widgets/ScaledViewCache.h"
#include "ui/widgets/TagListView.h"
#include "ui/widgets/Utf8Text.h"

namespace vantrel {

namespace {

constexpr int PageControlWidth = 180;

// The frame's size from the window's creation until the settings give it (their default,
// 1650 × 1100, is the settings table's): the size of the 1200 ppi template.
constexpr TPoint FrameSizeBeforeSettings{1687, 1125};

} // namespace

TForm1::TForm1(TSettingsEnvironment settings, QWidget* parent)
    : QMainWindow(parent), FSettingsEnvironment(std::move(settings)) {
    // The language comes first: every text below is made in it. The settings are read again,
    // with their problems told, once the controls exist (LoadSettings).
    ApplyLanguage(texts::LanguageFromCode(vantrel::LoadSettings(SettingsFolderPath()).Language)
                      .value_or(texts::TLanguage::Russian));
    FTextsLanguage = texts::CurrentLanguage();
    setFont(AppFont());
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    Panel1 = new QWidget(central);
    Panel1->setObjectName("Panel1");
    layout->addWidget(Panel1, 1);
    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName("PageControl1");
    // A click on a tab takes the focus, as any control's click does (and clears the image
    // focus).
    PageControl1->tabBar()->setFocusPolicy(Qt::StrongFocus);
    PageControl1->setFixedWidth(PageControlWidth);
    layout->addWidget(PageControl1);

    StatusBar1 = new QLabel;
    StatusBar1->setObjectName("StatusBar1");
    // Through SetStatusText, as every later text: the click copies the whole text it keeps.
    SetStatusText(tr("Готов к работе"));
    StatusBar1->setProperty("vantrelReady", true); // until another text replaces it
    StatusBar1->installEventFilter(this);
    statusBar()->addWidget(StatusBar1, 1);
    StatusStep = new QLabel;
    StatusStep->setObjectName("StatusStep");
    StatusStep->setContentsMargins(6, 0, 6, 0);
    StatusStep->hide();
    statusBar()->addPermanentWidget(StatusStep);
    statusBar()->setSizeGripEnabled(false);

    CreateWorkArea();
    CreateCropTab();
    CreateSettingsTab();
    ShowControlSettings(TSettings()); // the defaults, before any handler is connected
    CreatePopupMenus();
    CreateArrowActions();
    FScaledView = std::make_unique<TScaledViewCache>();
    ConnectCropFrame();
    ConnectImageView();
    CreateMetadataPanel();
    CreateHelpPane();
    CreateActions();
    CreateJobs(); // before the settings are read: they may name the dialogs' folders

    FitPageControlWidth();
    setMinimumSize(MinWindowWidth, MinWindowHeight); // made the outer size at the first show
    resize(MinWindowWidth, MinWindowHeight);
    FormCreate();
    ApplyHintDuration(this);
}

// 180 pixels hold the tabs in the design font; a wider fallback font or the captions of another
// language widen the column rather than cutting captions off.
void TForm1::FitPageControlWidth() {
    PageControl1->setFixedWidth(
        std::max(PageControlWidth, PageControl1->minimumSizeHint().width()));
}

TForm1::~TForm1() {
    FormDestroy();
}

void TForm1::CreateWorkArea() {
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Vertical, Panel1);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(true);
    layout->addWidget(Splitter1);
    ListView1 = new TTagListView(Splitter1); // with a drag selection of its own
    ListView1->setObjectName("ListView1");
    ListView1->setRootIsDecorated(false);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    WorkStack = new QStackedWidget(Splitter1);
    WorkStack->setObjectName("WorkStack");
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
}

void TForm1::FormCreate() {
    // No file, no view bitmap, no batch.
    FInputFile.clear();
    FCroppedFile.clear();
    FCachedBitmap.reset();
    FImageHasFocus = false;
    // The image view, grey where no image is drawn.
    ImageViewer = new TImageBox(WorkStack);
    ImageViewer->setObjectName("ImageViewer");
    QPalette pal = ImageViewer->palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 128));
    ImageViewer->setPalette(pal);
    WorkStack->addWidget(ImageViewer);
    ImageViewer->OnPaintContent = [this] { PaintImage(); };
    ImageViewer->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
        ImageViewerMouseDown(b, m, x, y);
    };
    ImageViewer->OnMouseMove = [this](int x, int y) { ImageViewerMouseMove(x, y); };
    ImageViewer->OnMouseUp = [this](Qt::MouseButton b) { ImageViewerMouseUp(b); };
    FFrameSizeInPixels = FrameSizeBeforeSettings;
    FFramePosInPixels = {0, 0};
    FDragging = false;
    // Display adjustments; the display worker's own arrive with the worker.
    FAdjustments = TDisplayAdjustments{};
    TrackBar1->setValue(0);
    TrackBar2->setValue(0);
    TrackBar3->setValue(0);
    // The colour lists open wide enough for the longest colour name.
    ColorboxItemWidth =
        ColorBox1->count() > 0
            ? QFontMetrics(ColorBox1->font()).horizontalAdvance(QStringLiteral("Оранжевый")) + 30
            : 0;
    ColorBox1->view()->setMinimumWidth(ColorboxItemWidth);
    ColorBox2->view()->setMinimumWidth(ColorboxItemWidth);
    // A control other than the view taking the focus takes it from the image.
    connect(qApp, &QApplication::focusChanged, this, &TForm1::ActiveControlChanged);
    Splitter1->setSizes({0, 1}); // the metadata panel starts collapsed
    LoadSettings();
    SpEdWidth->setValue(FFrameSizeInPixels.X);
    SpEdHeight->setValue(FFrameSizeInPixels.Y);
    UpdateButtons();
    StartBusyIndicators(false);
    // Keys: the window sees every key before the focused control.
    qApp->installEventFilter(this);
    SetStartTitle();
    ShowStartupHelp();
    WidenHintSeparators();
}

void TForm1::FormDestroy() {
    if (FDestroyed)
        return;
    FDestroyed = true;
    // Jobs and render passes end first, their completions serviced: a save runs to its end.
    StopJobs();
    // The smooth-copy worker ends before the bitmap it reads is released.
    FScaledView.reset();
    FCachedBitmap.reset();
    qApp->removeEventFilter(this);
    disconnect(qApp, &QApplication::focusChanged, this, &TForm1::ActiveControlChanged);
    SaveSettings();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FCentred)
        return;
    FCentred = true;
    // The frame's size is known once the window is on screen: 900 × 600 is the outer size.
    const QMargins margins = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    setMinimumSize(MinWindowWidth - frame.width(), MinWindowHeight - frame.height());
    // The size given before the first show was meant as the outer size.
    if (!isMaximized())
        resize(width() - frame.width(), height() - frame.height());
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// --- Title ---

namespace {

// "Vantrel v.1.0.1 (сборка 176, x64)", the start of every title.
std::string TitleStart() {
    return std::string(AppName) + " v." +
           GetVersionText(texts::CurrentLanguage() == texts::TLanguage::English);
}

} // namespace

void TForm1::SetStartTitle() {
    FTitle = [this] { setWindowTitle(FromUtf8(TitleStart())); };
    FTitle();
}

void TForm1::SetLoadedTitle(const std::string& distFolder, const std::string& fileName) {
    // The markers of a file of the batch and of a saved crop follow the language; a folder is
    // a folder.
    const bool result = FromUtf8(distFolder) == TextOf(ResultFolderMarker);
    FTitle = [this, distFolder, fileName, result] {
        const QString folder = distFolder.empty() ? TextOf(SourceFolderMarker)
                               : result           ? TextOf(ResultFolderMarker)
                                                  : FromUtf8(distFolder);
        setWindowTitle(FromUtf8(TitleStart() + " — ") + folder + FromUtf8(FileNamePart(fileName)));
    };
    FTitle();
}

void TForm1::SetTransformTitle() {
    FTitle = [this, fileName = FileNamePart(FInputFile)] {
        setWindowTitle(FromUtf8(TitleStart() + " — ") + TextOf(InWorkMarker) + FromUtf8(fileName));
    };
    FTitle();
}

// --- Busy state and buttons ---

void TForm1::StartBusyIndicators(bool on) {
    ActivityIndicator1->setVisible(on);
    ActivityIndicator1->SetAnimate(on);
    InfoPanel->setVisible(!on);
    ActivityIndicator2->setVisible(on);
    ActivityIndicator2->SetAnimate(on);
}

std::vector<TForm1::TButtonRow> TForm1::ButtonRows() const {
    using W = TEnabledWhen;
    using B = TWhileBusy;
    using R = TButtonEnabledState;
    // clang-format off
    return {
        // Control   key clicks it as      enabled when     while busy  recorded in
        {BtnOpen,       TButton::None,        W::Always,       B::Held,    &R::BtnOpen},
        {BtnSaveFolder, TButton::None,        W::Always,       B::Held,    &R::BtnSaveFolder},
        {BtnRotLeft,    TButton::BtnRotLeft,  W::Image,        B::Held,    &R::BtnRotLeft},
        {BtnRotRight,   TButton::BtnRotRight, W::Image,        B::Held,    &R::BtnRotRight},
        {BtnRotate,     TButton::BtnRotate,   W::Image,        B::Held,    &R::BtnRotate},
        {BtnFlip,       TButton::BtnFlip,     W::Image,        B::Held,    &R::BtnFlip},
        {BtnSave,       TButton::BtnSave,     W::Image,        B::Held,    &R::BtnSave},
        {BtnPrevious,   TButton::BtnPrevious, W::PreviousFile, B::Held,    &R::BtnPrevious},
        {btnNext,       TButton::btnNext,     W::NextFile,     B::Held,    &R::BtnNext},
        {BtnInvert,     TButton::BtnInvert,   W::Image,        B::Held,    &R::BtnInvert},
        {btnTags,       TButton::btnTags,     W::Image,        B::Usable},
        {BtnPlace,      TButton::BtnPlace,    W::Image,        B::Off},
        {BtnStrip,      TButton::BtnStrip,    W::Image,        B::Off},
        {TrackBar1,     TButton::None,        W::Image,        B::Usable},
        {TrackBar2,     TButton::None,        W::Image,        B::Usable},
        {TrackBar3,     TButton::None,        W::Image,        B::Usable},
    };
    // clang-format on
}

bool TForm1::Allows(TEnabledWhen when) const {
    switch (when) {
    case TEnabledWhen::Always:
        return true;
    case TEnabledWhen::Image:
        return HasImage();
    case TEnabledWhen::PreviousFile:
        return FBatch.CanGoPrevious();
    case TEnabledWhen::NextFile:
        return FBatch.CanGoNext();
    }
    return false;
}

void TForm1::SetBusy(bool busy) {
    const std::vector<TButtonRow> rows = ButtonRows();
    if (busy) {
        StartBusyIndicators(true);
        // Entered again while busy (a reload or a jump during a load), the buttons are all
        // disabled: the states saved on the first entry stay, or the open button would never
        // be enabled again.
        for (const TButtonRow& row : rows)
            if (row.WhileBusy == TWhileBusy::Held && !FBusyEntered)
                ButtonEnabledState.*row.Record = row.Control->isEnabled();
        FBusyEntered = true;
        for (const TButtonRow& row : rows)
            if (row.WhileBusy != TWhileBusy::Usable)
                row.Control->setEnabled(false);
    } else {
        FBusyEntered = false;
        for (const TButtonRow& row : rows) {
            // A button enabled meanwhile stays enabled.
            if (row.WhileBusy == TWhileBusy::Held && !row.Control->isEnabled())
                row.Control->setEnabled(ButtonEnabledState.*row.Record);
            else if (row.WhileBusy == TWhileBusy::Off)
                row.Control->setEnabled(Allows(row.EnabledWhen));
        }
        StartBusyIndicators(false);
    }
}

void TForm1::UpdateButtons() {
    for (const TButtonRow& row : ButtonRows())
        if (row.EnabledWhen != TEnabledWhen::Always)
            row.Control->setEnabled(Allows(row.EnabledWhen) &&
                                    !(row.WhileBusy == TWhileBusy::Off && FBusyEntered));
}

void TForm1::ClickIfEnabled(QPushButton* button, QObject* sender) {
    if (!button || !button->isEnabled())
        return;
    const auto handler = FClickHandlers.find(button);
    if (handler != FClickHandlers.end() && handler->second)
        handler->second(sender);
}

void TForm1::SetClickHandler(QPushButton* button, std::function<void(QObject*)> handler) {
    const bool first = FClickHandlers.find(button) == FClickHandlers.end();
    FClickHandlers[button] = std::move(handler);
    if (first)
        connect(button, &QPushButton::clicked, this, [this, button] {
            const auto h = FClickHandlers.find(button);
            if (h != FClickHandlers.end() && h->second)
                h->second(button); // a mouse click passes the button as the sender
        });
}

void TForm1::WidenHintSeparators() {
    const QFontMetrics metrics(QToolTip::font());
    auto widen = [&](QWidget* control) {
        const QString hint = control->toolTip();
        if (hint.isEmpty())
            return;
        QStringList lines = hint.split(QLatin1Char('\n'));
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        QString rule = QStringLiteral("_");
        while (metrics.horizontalAdvance(rule) < widest)
            rule += QLatin1Char('_');
        while (rule.size() >= 2 && metrics.horizontalAdvance(rule) > widest)
            rule.chop(1);
        for (QString& line : lines)
            if (line == QLatin1String("_"))
                line = rule;
        control->setToolTip(lines.join(QLatin1Char('\n')).trimmed());
    };
    for (QPushButton* b : findChildren<QPushButton*>())
        widen(b);
    for (QSlider* s : findChildren<QSlider*>())
        widen(s);
}

void TForm1::StatusBar1Click() {
    QGuiApplication::clipboard()->setText(StatusBar1->toolTip());
}

void TForm1::SetStatusText(const QString& text, const QString& whole) {
    StatusBar1->setText(text);
    StatusBar1->setToolTip(whole.isEmpty() ? text : whole);
    StatusBar1->setProperty("vantrelReady", false);
}

// --- Installing a loaded image ---

void TForm1::ReleaseImage() {
    FScaledView->Clear();
    FCachedBitmap.reset();
    FStandInView = QImage();
    FOriginal.Words.reset();
}

void TForm1::InstallImage(TLoadedImage image) {
    ReleaseImage();
    FCachedBitmap = std::shared_ptr<const TViewBitmap>(std::move(image.Bitmap));
    ++FBitmapSerial;
    if (!image.SmoothView.isNull())
        FScaledView->Install(FBitmapSerial, std::move(image.SmoothView));
    FOriginal = std::move(static_cast<TCurrentImage&>(image));
    lblWidth->setText(QString::number(FOriginal.Width) + QStringLiteral(" →"));
    lblHeight->setText(QString::number(FOriginal.Height) + QStringLiteral(" →"));
    FitFrameToImage();
    FImageHasFocus = true;
    ImageViewer->setFocus(Qt::OtherFocusReason);
    ImageViewer->repaint();
}

void TForm1::CompleteLoad(TLoadedImage image, std::vector<TTIFFTag> tags, bool isBigEndian,
                          const std::string& fileName, std::string distFolder) {
    HideHelp();
    CurrentFileTags.clear();
    CurrentFilePages = std::move(image.FurtherPages);
    InstallImage(std::move(image));
    FShownFile = fileName;
    CurrentFileTags = std::move(tags);
    FTagsBigEndian = isBigEndian;
    SetLoadedTitle(distFolder, fileName);
    UpdateStatusLine();
    FillTagList(CurrentFileTags, isBigEndian);
    SetBusy(false);
    FTransformState = TImageTransformState{};
    UpdateButtons();
    PlaceFrameAfterLoad(distFolder.empty());
}

// --- Events the window sees first ---

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StatusBar1 && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            StatusBar1Click();
        return false;
    }
    // Keys and the wheel: Tab, shortcuts by the physical key, FormKeyDown/FormKeyUp.
    if (AppMessage(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

} // namespace vantrel
