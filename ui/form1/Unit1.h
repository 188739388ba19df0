// SPDX-License-Identifier: MIT
#pragma once

// The main window TForm1: every control, the image state, the crop frame and the busy state.
// Its member definitions are spread over the files of ui/form1/, each named after the part of
// the window it holds: Unit1.cpp (start, end, title, busy state, buttons), Form1CropTab.cpp
// and Form1SettingsTab.cpp (the two tabs), Form1CropFrame.cpp, Form1Painting.cpp,
// Form1MetadataPanel.cpp, Form1HelpPane.cpp, Form1Keyboard.cpp, Form1Settings.cpp (the
// settings files), Form1Navigation.cpp (the batch of files), and jobs/ (the background jobs
// and the display worker).

#include <QColor>
#include <QImage>
#include <QMainWindow>
#include <QSize>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pipeline/jobs/JobFailures.h"
#include "pipeline/jobs/LoadGeneration.h"
#include "pipeline/jobs/OneShotJob.h"
#include "pipeline/jobs/ReadAhead.h"
#include "pipeline/kernels/CurrentImage.h"
#include "pipeline/kernels/DisplayAdjustments.h"
#include "pipeline/kernels/ViewBitmap.h"
#include "texts/Language.h"
#include "tiff/SampleWords.h"
#include "tiff/TIFFRecords.h"
#include "ui/logic/BatchTravel.h"
#include "ui/logic/FileList.h"
#include "ui/logic/FrameLogic.h"
#include "ui/logic/PicturePlacement.h"
#include "ui/logic/StripTravel.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QKeyEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QSpinBox;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace vantrel {

class TActivityIndicator;
class TColorBox;
class THelpViewer;
class TDisplayWorker;
class TUiCallQueue;
class TImageBox;
class TScaledViewCache;
class TUpDown;
enum class TButton : uint8_t;
struct TSettings;
struct TSettingRow;

/// The program name at the start of the window title.
inline const char* const AppName = "Vantrel";

/// Where the window keeps its settings files and how it tells of a problem with them; the
/// program leaves both empty, tests give a folder of their own and record the problems.
struct TSettingsEnvironment {
    /// The folder of Vantrel.ini and VantrelFrames.txt. Empty: beside the executable when that
    /// folder is writable, else $XDG_CONFIG_HOME/vantrel.
    std::filesystem::path Folder;
    /// Shows a problem with the settings files. Empty: a warning box.
    std::function<void(const QString& message)> ShowProblem;
};

/// Enabled states of the ten command buttons saved on entering the busy state.
struct TButtonEnabledState {
    bool BtnOpen = false;
    bool BtnSaveFolder = false;
    bool BtnRotLeft = false;
    bool BtnRotRight = false;
    bool BtnRotate = false;
    bool BtnFlip = false;
    bool BtnSave = false;
    bool BtnPrevious = false;
    bool BtnNext = false;
    bool BtnInvert = false;
};

/// When a command button or a track bar is enabled (UpdateButtons).
enum class TEnabledWhen : uint8_t {
    Always,       // not touched: enabled except while busy (BtnOpen, BtnSaveFolder)
    Image,        // a view bitmap exists
    PreviousFile, // the batch has a file before the one shown
    NextFile,     // the batch has a file after the one shown
};

/// What the busy state does with it (SetBusy).
enum class TWhileBusy : uint8_t {
    Usable, // nothing
    Held,   // disabled, its state recorded in ButtonEnabledState and given back
    Off,    // disabled; the rule decides again afterwards
};

/// What a finished load hands to the window: the image and its view.
struct TLoadedImage : TCurrentImage {
    std::vector<TFurtherPage> FurtherPages; // of the file: the tag table tells them, a save checks
    std::unique_ptr<TViewBitmap> Bitmap;
    QImage SmoothView; // the smooth reduced copy made with the scan read ahead, or none
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(TSettingsEnvironment settings = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // --- Start, end, title, busy state, buttons (Unit1.cpp) ---
    void SetBusy(bool busy);
    void UpdateButtons();
    /// Runs the button's click handler with the given sender if the button is enabled and
    /// has one. Keyboard commands pass no sender.
    void ClickIfEnabled(QPushButton* button, QObject* sender);
    /// The click handler of a command button; a mouse click passes the button as sender.
    void SetClickHandler(QPushButton* button, std::function<void(QObject* sender)> handler);
    /// Shows `text` in the status line; `whole`, when given, is the longer line it stands for
    /// (its tooltip and what a click copies).
    void SetStatusText(const QString& text, const QString& whole = {});
    /// Window titles after a load (folder label and file name) and after a transform.
    void SetLoadedTitle(const std::string& distFolder, const std::string& fileName);
    void SetTransformTitle();
    /// The whole completion of a successful load: InstallImage, tags, title, status line,
    /// busy state, transform state, buttons. An empty distFolder means the source folder.
    void CompleteLoad(TLoadedImage image, std::vector<TTIFFTag> tags, bool isBigEndian,
                      const std::string& fileName, std::string distFolder);
    [[nodiscard]] bool HasImage() const { return FCachedBitmap || !FStandInView.isNull(); }

    // --- The interface language (Form1Language.cpp) ---
    /// Puts the window, the engine's texts and Qt's dialogs into `language` at once: the
    /// translators change, and the QEvent::LanguageChange that follows retranslates every
    /// text on screen. The settings file keeps the choice.
    void SetLanguage(texts::TLanguage language);

    // --- Crop frame (Form1CropFrame.cpp) ---
    void SpEdWidthChange();
    void SpEdHeightChange();
    void ComboBox1Change();
    void ApplyRatioLock(int state);
    void MoveFrameByArrow(TArrow arrow);
    [[nodiscard]] int LockState() const;
    void SetLockState(int state);
    [[nodiscard]] int32_t SpinWidth() const;
    [[nodiscard]] int32_t SpinHeight() const;
    /// Writes both spin edits with the lock in the updating state (restored afterwards).
    void WriteFrameSize(int32_t width, int32_t height);

    // --- Painting and the frame's look (Form1Painting.cpp) ---
    void ColorBox1DropDown(TColorBox* box);
    /// Smooth (area-averaged) reduced copy at rest; off draws the plain stretched copy always.
    void SetSmoothView(bool on);
    [[nodiscard]] bool SmoothViewReady() const;

    // --- Metadata panel (Form1MetadataPanel.cpp) ---
    void btnTagsClick();
    /// Shown when at least 30 pixels high.
    [[nodiscard]] bool TagPanelShown() const;
    [[nodiscard]] int TagPanelHeight() const;
    void SetTagPanelHeight(int height);

    // --- Help pane (Form1HelpPane.cpp) ---
    void ShowHelp();
    void HideHelp();
    [[nodiscard]] bool HelpShown() const;

    // --- Keyboard and wheel (Form1Keyboard.cpp) ---
    void PopupMenu2Popup(QSlider* trackBar);

    // --- The batch of files (Form1Navigation.cpp) ---
    /// A new batch from the open dialog or a drop: the list, the first load, the folders, the
    /// captions. `openFolder` becomes the open dialog's folder.
    void OpenBatch(std::vector<std::string> paths, const std::string& openFolder);
    void DropFiles(const std::vector<std::string>& localPaths);
    void OpenFileAt(int index);
    void ReloadExecute();
    void PopupMenu3Popup(QPushButton* opener);
    void BtnSaveFolderClick();
    /// The dialogs; tests replace them. An empty result means the user cancelled.
    std::function<std::vector<std::string>(const std::string& initialFolder)> ChooseFilesToOpen;
    std::function<std::string(const std::string& initialFolder)> ChooseOutputFolder;

    // --- Background jobs and the display worker (jobs/) ---
    /// Shows a modal message with an OK button. Tests replace it so that nothing blocks.
    std::function<void(const std::string& text)> ShowMessage;
    /// Starts the threads of jobs and render passes; tests replace it to make starts fail.
    TThreadStarter ThreadStarter = DefaultThreadStarter();
    void PerformImageTransform(TTransformType Transform);
    void CropByFrame(bool UseFrame);
    /// The window's current image (words shared, not copied).
    [[nodiscard]] TCurrentImage CurrentImage() const;
    /// Jobs started and not yet released; a caller waiting for the window to rest waits for 0.
    [[nodiscard]] std::size_t RunningJobs();
    TDisplayWorker& DisplayWorker() { return *FWorker; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Files dropped from the desktop (Form1Navigation.cpp).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The tests and benchmarks set up and look at the window's fields through this.
    friend struct TForm1Probe;

    // --- Start, end, title, busy state (Unit1.cpp) ---
    /// A row of the buttons' enabled rule: the control, the button a key clicks it as
    /// (TButton::None: no key does), when it is enabled, what the busy state does with it and,
    /// for a button the busy state holds, the field of ButtonEnabledState its state goes to.
    struct TButtonRow {
        QWidget* Control;
        TButton Button;
        TEnabledWhen EnabledWhen;
        TWhileBusy WhileBusy;
        bool TButtonEnabledState::*Record = nullptr;
    };
    /// Every command button and track bar whose enabled state the window decides, the ones
    /// the busy state holds in the order of ButtonEnabledState.
    [[nodiscard]] std::vector<TButtonRow> ButtonRows() const;
    [[nodiscard]] bool Allows(TEnabledWhen when) const;
    void CreateWorkArea();
    void FormCreate();
    void FormDestroy();
    void WidenHintSeparators();
    void StatusBar1Click();
    void SetStartTitle();
    void StartBusyIndicators(bool on);
    void ReleaseImage();
    /// Installs a loaded image exactly as a load's completion does: releases the previous
    /// image, installs words and view, shows the size labels, fits the frame, gives the image
    /// the focus and repaints.
    void InstallImage(TLoadedImage image);
    /// The size in pixels of the image the view shows (the full view's or its stand-in's).
    [[nodiscard]] QSize ShownImageSize() const;

    // --- The interface language (Form1Language.cpp) ---
    /// Runs `apply`, which sets texts that follow the language, now and after every change of
    /// the language.
    void Texts(std::function<void()> apply);
    /// Every text again in the language in force: the controls' (Texts), the hints' rules, the
    /// tag table, the help page, the status line, the title.
    void RetranslateUi();
    void LanguageBoxChange();
    /// The colour boxes' names, once the lists have been filled (ColorBox1DropDown).
    void RetranslateColourNames();
    /// The lock button's hint for the lock's state.
    void ShowLockHint(bool locked);
    std::vector<std::function<void()>> FTexts;
    texts::TLanguage FTextsLanguage = texts::TLanguage::Russian; // of the texts on screen
    std::function<void()> FTitle;                                // makes the title in force again
    bool FTagsBigEndian = false; // the byte order of the file whose tags the table shows
    QLabel* LblLanguage = nullptr;
    QComboBox* CbLanguage = nullptr; // "Русский", "English"

    // --- The two tabs (Form1CropTab.cpp, Form1SettingsTab.cpp) ---
    void CreateCropTab();
    void CreateSettingsTab();

    // --- Crop frame (Form1CropFrame.cpp) ---
    void CreatePopupMenus();
    void CreateArrowActions();
    void ConnectCropFrame();
    void FrameDimensionChanged(bool isWidth);
    void ClearTemplateIfChanged();
    void BitBtn2Click();
    void BtnLockRatioClick();
    void ShowRatioText();
    void FitPageControlWidth();
    void FitFrameToImage();
    void ImageViewerMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ImageViewerMouseMove(int x, int y);
    void ImageViewerMouseUp(Qt::MouseButton button);
    void DragFrameTo(int x, int y);
    void ArrowExecute(QAction* sender);
    void UpdateStatusLine();
    /// What the status line's frame texts are made of; a paint rewrites the line only when it
    /// changed, so that a load's or a save's own text stays through an expose.
    struct TStatusInputs {
        TPoint Image, Position, Size;
        int32_t Step = 0;
        bool ImageHasFocus = false;
        friend bool operator==(const TStatusInputs&, const TStatusInputs&) = default;
    };
    [[nodiscard]] TStatusInputs StatusInputs() const;
    /// Runs `change` with the ratio lock in its updating state, so that neither spin edit
    /// follows the other; the state before comes back on every way out.
    void WhileLockUpdating(const std::function<void()>& change);

    // --- Painting and the frame's look (Form1Painting.cpp) ---
    void ConnectImageView();
    void PaintImage();
    void ActiveControlChanged(QWidget* old, QWidget* now);
    void ColorBox1Change();
    void UpDnDashChangingEx(int newValue);
    void UpDnBlankChangingEx(int newValue);
    void RepaintView();
    /// Before a job makes a new view of an image drawn reduced: the full view is let go and
    /// a copy at the size drawn stands in for it until the new one is installed, so that two
    /// full views are never held at once. Returns the view let go of (null when it stays),
    /// for the job to free on its own thread.
    [[nodiscard]] std::shared_ptr<const TViewBitmap> LetGoOfFullView();

    // --- Metadata panel (Form1MetadataPanel.cpp) ---
    void CreateMetadataPanel();
    /// Clears and refills the table from a load's tag list and the file's byte order.
    void FillTagList(const std::vector<TTIFFTag>& tags, bool isBigEndian);
    void CopyAllTags();      // N1 "Скопировать всё"
    void CopySelectedTags(); // N2 "Скопировать выделенное"
    void ListView1MouseDown(Qt::MouseButton button, const QPoint& pos);
    void ListView1MouseMove(Qt::MouseButtons buttons, const QPoint& pos);
    void ListView1MouseUp(Qt::MouseButton button);

    // --- Help pane (Form1HelpPane.cpp) ---
    void CreateHelpPane();
    /// At the start: the view in front, the help pane over it on a first run.
    void ShowStartupHelp();
    void HelpExecute();

    // --- Keyboard and wheel (Form1Keyboard.cpp) ---
    void CreateActions();
    /// The application-wide filter's part for keys and the wheel; true consumes the event.
    bool AppMessage(QObject* watched, QEvent* event);
    bool TabKey();
    bool WheelMessage(const class QWheelEvent& event);
    /// The window's own key handling after the shortcuts; true when it consumed the key.
    bool FormKeyDown(const QKeyEvent& event);
    void FormKeyUp(const QKeyEvent& event);
    /// Hands a key (a Qt key code) to the focused control as a press and a release.
    void ForwardKey(int key);
    void EscapeExecute();
    /// F12 and Backspace: ReloadCommand.
    void ReloadFromKey();
    void OnlySaveExecute();
    /// Ctrl+Shift+N, Shift+N: the frame onto the strip's picture before, as a Shift-click.
    void PreviousPictureFromKey();
    /// Runs the action of the list ActionList1 named `name` as its shortcut would.
    void ExecuteAction(QAction* action);
    /// The command button a key or an action clicks.
    [[nodiscard]] QPushButton* CommandButton(TButton button) const;
    void N3Click();
    void N4Click();

    // --- Settings files (Form1Settings.cpp) ---
    /// Reads the settings and templates files; until they are read, the built-in templates
    /// and defaults are in force.
    void LoadSettings();
    /// The frame's defaults in force while no settings file has been read.
    void ApplyBuiltInSettings();
    /// The frame's part of the settings: lock, templates and their selection, size.
    void ShowFrameSettings(const TSettings& s);
    /// The settings a control shows as they are (the rows of SettingRows() that name one):
    /// into the controls, and back from them.
    void ShowControlSettings(const TSettings& s);
    void TakeControlSettings(TSettings& s) const;
    [[nodiscard]] QWidget* SettingControl(const TSettingRow& row) const;
    /// Writes the settings and templates files back at the end of the run.
    void SaveSettings();
    void ShowSettingsProblems();
    void ShowProblem(const QString& message);
    /// The folder of the two settings files in force for this window.
    [[nodiscard]] std::filesystem::path SettingsFolderPath() const;

    // --- The batch of files (Form1Navigation.cpp) ---
    void BtnOpenClick();
    void btnNextClick();
    void BtnPreviousClick();
    void JumpMenuItemClick(int index);
    void UpdateNavCaptions(int index);
    /// The open dialog's and the save dialog's initial folders, with the hints that show them.
    void SetOpenDialogFolder(const std::string& folder);
    void SetSaveDialogFolder(const std::string& folder);

    // --- Background jobs and the display worker (jobs/) ---
    // Form1Jobs.cpp: the UI-thread call queue, the job runner, the display worker, messages.
    void CreateJobs();
    void ConnectJobControls();
    [[nodiscard]] TFailureActions FailureActions();
    /// After a failed job: renders the view the job let go of (see LetGoOfFullView).
    void RenderFullViewAgain();
    void InstallTransformed(TSharedWords words, int32_t width, int32_t height,
                            std::unique_ptr<TViewBitmap> bitmap);
    /// The display worker's hand-over: the new view in place of the old, repainted.
    void ReplaceViewBitmap(std::unique_ptr<TViewBitmap> bitmap);
    void ShowOutOfMemoryAdvice();
    /// The display adjustments as the track bars last set them.
    [[nodiscard]] TDisplayAdjustments CurrentAdjustments() const;
    /// Waits for every job and render pass, servicing their completions (the end of the run).
    void StopJobs();
    // Form1LoadJob.cpp
    void DisplayTIFFAsync(const std::string& FileName, const std::string& DistFolder);
    void ReadDisplayAdjustments();
    // Form1CropJob.cpp
    void BtnSaveClick(QObject* Sender);
    // Form1DisplayWorker.cpp
    void TrackBar1Change();
    void TrackBar2Change();
    void TrackBar3Change();
    void RequestBitmapUpdate();
    /// After a load or transform has installed a view rendered with `shown`: renders again
    /// when a track bar was moved meanwhile (the pass it asked for was of the replaced image).
    void RenderAgainIfAdjusted(const TDisplayAdjustments& shown);

    // --- The next scan read ahead while the user works (jobs/Form1ReadAhead.cpp) ---
    /// A move through the batch to `index`: notes its direction and lets go of bytes read
    /// ahead for any other file.
    void TravelTo(int index);
    /// A new batch: forward again, nothing held.
    void RestartTravel();
    /// Once a load is shown: the file ahead in the direction last travelled is read.
    void ReadNextScanAhead();
    /// The smooth reduced copy of the view the read-ahead makes with the words: with the
    /// adjustments in force, at the size the view draws it now; none while the view paints
    /// without it.
    [[nodiscard]] std::optional<TReducedWish> SmoothViewWish() const;
    /// Lets go of the bytes read ahead unless they are of `fileName`.
    void KeepReadAheadOnlyFor(const std::string& fileName);
    /// The end of the run: a read under way stops within one chunk, its thread is joined.
    void StopReadAhead();
    /// Loads take the bytes from here (on their threads); null once the run has ended.
    std::unique_ptr<TReadAhead> FReadAhead = std::make_unique<TReadAhead>();
    TBatchTravel FTravel;
    std::string FReadAheadFile; // the file asked of FReadAhead; empty when none

    // --- Fields ---
    /// Modifier keys recorded at the window's last key press or release.
    TShiftState LastShiftState = 0;
    /// The frame size of the template last picked in this run (0 until one is picked).
    int32_t TemplateWidth = 0;
    int32_t TemplateHeight = 0;
    /// The tags of the file shown; set by a load's completion, read by the crop job.
    std::vector<TTIFFTag> CurrentFileTags;
    std::vector<TFurtherPage> CurrentFilePages; // the pages after the first of the file shown
    std::string FInputFile;                     // the file of the batch loaded last or being loaded
    /// The file whose samples the view holds. It differs from FInputFile while a load runs
    /// and after a load failed (the view keeps the image before).
    std::string FShownFile;
    std::string FCroppedFile;  // the file the last save wrote
    std::string FOutputFolder; // where saves go; empty: the source's folder
    TPoint FFrameSizeInPixels;
    TPoint FFramePosInPixels;
    double FCurrentScale = 0.0; // view pixels per image pixel at the last repaint
    bool FDragging = false;
    TPoint FDragOffset;        // the pointer's place in the frame, in image pixels, while dragging
    double FAspectRatio = 1.5; // width ÷ height held by the ratio lock
    bool FUpdating = false;    // a spin edit follows the other: no echo back
    bool FImageHasFocus = false;
    TStatusInputs FStatusShown;   // what the status line last told of the frame
    int32_t ListViewHeight = 200; // the metadata panel's height to come back to
    TImageTransformState FTransformState;
    TButtonEnabledState ButtonEnabledState;
    bool FlagShowHelp = true; // a first run opens the help pane
    /// The display adjustments: FAdjustments.Brightness, .SContrast (contrast along an
    /// S-shaped curve), .Gamma.
    TDisplayAdjustments FAdjustments;
    /// The image in memory: FOriginal.Words, .Width, .Height, .Samples, .Photometric,
    /// .SampleFormat.
    TCurrentImage FOriginal;
    std::shared_ptr<const TViewBitmap> FCachedBitmap; // shared with the smooth-copy worker
    QImage FStandInView; // drawn while a job makes the next view; see LetGoOfFullView
    QSize FStandInFor;   // the image size of the view it stands in for
    QColor FColorBox1Selected;
    QColor FColorBox2Selected;
    int ColorboxItemWidth = 0; // the colour lists' width when open

    // --- Controls ---
    QTabWidget* PageControl1 = nullptr; // the tabs "Обрезка" and "Настройки"
    QWidget* TabCrop = nullptr;
    QWidget* TabSettings = nullptr;
    QWidget* Panel1 = nullptr;           // the work area left of the tabs
    QSplitter* Splitter1 = nullptr;      // the metadata panel above, the view or help below
    QTreeWidget* ListView1 = nullptr;    // the metadata panel's tag table
    QStackedWidget* WorkStack = nullptr; // the image view or the help pane
    TImageBox* ImageViewer = nullptr;
    QLabel* StatusBar1 = nullptr; // the status line; a click copies it
    QLabel* StatusStep = nullptr; // the arrow step, at the right while the image has the focus

    QPushButton* BtnOpen = nullptr;
    QPushButton* btnTags = nullptr; // shows and hides the metadata panel
    QPushButton* BtnSaveFolder = nullptr;
    QPushButton* BtnRotLeft = nullptr;
    QPushButton* BtnRotRight = nullptr;
    QPushButton* BtnRotate = nullptr; // 180°
    QPushButton* BtnFlip = nullptr;   // mirror left to right
    QPushButton* BtnInvert = nullptr;
    QLabel* Label1 = nullptr;       // the caption of the template list
    QComboBox* ComboBox1 = nullptr; // the frame templates
    QLabel* lblWidth = nullptr;     // the image's width, beside the frame's
    QSpinBox* SpEdWidth = nullptr;  // the frame's width
    QLabel* lblHeight = nullptr;    // the image's height, beside the frame's
    QSpinBox* SpEdHeight = nullptr; // the frame's height
    QPushButton* BitBtn2 = nullptr; // turns the frame: width and height change places
    QPushButton* BtnLockRatio = nullptr;
    QLabel* Label9 = nullptr;         // the caption "Пропорция:"
    QLabel* lblApproximate = nullptr; // "≈" when the ratio shown is rounded
    QLabel* lblAspectRatio = nullptr;
    QPushButton* BtnSave = nullptr; // crop and save
    QPushButton* BtnPrevious = nullptr;
    QPushButton* btnNext = nullptr;
    TActivityIndicator* ActivityIndicator1 = nullptr; // busy sign on the crop tab
    QLabel* Label14 = nullptr;                        // the caption of TrackBar1, "Яркость:"
    QSlider* TrackBar1 = nullptr;                     // brightness of the view
    QLabel* Label4 = nullptr;     // the caption of TrackBar2, "S-контрастность:"
    QSlider* TrackBar2 = nullptr; // S-curve contrast of the view
    QLabel* Label16 = nullptr;    // the caption of TrackBar3, "Гамма-коррекция"
    QSlider* TrackBar3 = nullptr; // gamma of the view

    QLineEdit* EdPrefix = nullptr;  // put before the source's name in a saved file's name
    QLabel* Label2 = nullptr;       // "Имя" between the prefix and the postfix
    QLineEdit* EdPostfix = nullptr; // put after the source's name
    QLabel* Label3 = nullptr;       // the extension ".tif" after the postfix
    QCheckBox* chkNoTags = nullptr; // saves keep only the tags an image needs
    QLabel* Label5 = nullptr;       // the caption of the dash length, "Штрих:"
    TColorBox* ColorBox1 = nullptr; // the first colour of the focused frame's dashes
    TColorBox* ColorBox2 = nullptr; // the second colour
    QLabel* lblUpDnDash = nullptr;  // the dash length UpDnDash holds
    TUpDown* UpDnDash = nullptr;
    QLabel* Label6 = nullptr;       // the caption of the gap, "Пробел:"
    QLabel* lblUpDnBlank = nullptr; // the gap between dashes UpDnBlank holds
    TUpDown* UpDnBlank = nullptr;
    QLabel* Label8 = nullptr;           // the caption of the save keys, "Обрезка:"
    QCheckBox* Chk_Space = nullptr;     // Space saves
    QCheckBox* Chk_CtrlEnter = nullptr; // Ctrl+Enter saves
    QCheckBox* Chk_AltC = nullptr;      // Alt+C saves
    QLabel* Label10 = nullptr;          // the caption of the paging keys, "Листание:"
    QCheckBox* ChkTabNext = nullptr;    // Tab and Shift+Tab page
    QCheckBox* ChkPgNext = nullptr;     // PgDn and PgUp page
    QCheckBox* ChADNext = nullptr;      // Alt+D and Alt+A page
    QCheckBox* Chk_NoModif = nullptr;   // the hot keys without Ctrl or Alt on the image
    QFrame* InfoPanel = nullptr;        // the short key reference
    TActivityIndicator* ActivityIndicator2 = nullptr; // busy sign on the settings tab

    QMenu* PopupMenu1 = nullptr; // the metadata panel's menu: N1, N2
    QAction* N1 = nullptr;       // "Скопировать всё"
    QAction* N2 = nullptr;       // "Скопировать выделенное"
    QMenu* PopupMenu2 = nullptr; // the track bars' menu: N3, N4
    QAction* N3 = nullptr;       // resets the track bar the menu was opened on
    QAction* N4 = nullptr;       // resets all three track bars
    QMenu* PopupMenu3 = nullptr; // the navigation buttons' menu: a jump to any file of the batch
    THelpViewer* WebBrowser1 = nullptr; // the help pane
    std::vector<QAction*> ArrowActions; // Left, Up, Down, Right
    std::vector<QAction*> ActionList1;  // the twenty actions of the hot keys, by object name
    QSlider* FPopupTrackBar = nullptr;  // the track bar PopupMenu2 was opened on
    bool FSelecting = false;            // a drag selection in the tag table is under way
    int32_t FSelectionAnchor = -1;
    int32_t FSelectionLast = -1;

    // --- Keys, the view, the jobs and the settings files ---
    bool FSwallowKeyPress = false; // the press of a key whose shortcut already ran
    bool FForwarding = false;
    std::unique_ptr<TScaledViewCache> FScaledView;
    uint64_t FBitmapSerial = 0;
    bool FSmoothView = true;
    bool FCentred = false;
    bool FDestroyed = false;
    std::map<QPushButton*, std::function<void(QObject*)>> FClickHandlers;
    std::unique_ptr<TUiCallQueue> FUiQueue;
    std::unique_ptr<TJobRunner> FJobs;
    std::unique_ptr<TDisplayWorker> FWorker;
    TLoadGeneration FLoads;
    // A save asked for while the newest load runs waits for that load: the completion of a
    // load ends FLoadRunning and then makes the save (with or without the frame) it holds.
    bool FLoadRunning = false;
    std::optional<bool> FPendingSaveUseFrame;
    [[nodiscard]] TJobCompletion ThenPendingSave(TJobCompletion completion);
    TFileList FBatch; // the batch of files: its FFileList and FCurrentIndex
    bool FClosing = false;
    bool FBusyEntered = false; // SetBusy(true) saved the button states and is still in force
    /// What LoadSettings could not use (shown once the window is on screen).
    std::vector<std::string> FSettingsProblems;
    /// Commands of the jobs without a button of their own: reload the current file through
    /// OpenFileAt (F12, Backspace) and save without cropping (Ctrl+S, S). Set by CreateJobs;
    /// a key does nothing while they are empty.
    std::function<void()> ReloadCommand;
    std::function<void()> OnlySaveCommand;
    std::string OpenDialog1InitialDir;
    std::string SaveDialog1InitialDir;
    const TSettingsEnvironment FSettingsEnvironment;

    // --- The frame on the picture (Form1Placement.cpp, jobs/Form1DetectionJob.cpp) ---
public:
    /// BtnPlace, Ctrl+F, F: looks for the picture on the shown scan, off the UI thread, and
    /// centres the frame on it, or says why it stays.
    void PlaceFrameOnPictureClick();

private:
    /// At the end of a load's completion: a file of the batch (not a save's reload) is the
    /// roll's; with chkPlaceOnOpen ticked the frame goes onto its picture.
    void PlaceFrameAfterLoad(bool batchFile);
    void StartPictureDetection();
    /// Moves the frame to `position`, kept inside the image, as a drag or an arrow moves it.
    void MoveFrameTo(TPoint position);
    /// The status line's note about the last placement, while the frame stays where it put it.
    [[nodiscard]] std::optional<std::string> PlacementNote();
    QPushButton* BtnPlace = nullptr;     // the frame onto the picture
    QCheckBox* chkPlaceOnOpen = nullptr; // every load puts the frame on the picture
    TBatchRoll FPictureRoll;             // the batch's files examined so far
    TStatusNote FPlacementNote;
    TLoadGeneration FDetections; // only the newest detection places the frame
    /// The words as the last load of a batch file gave them; not held, only recognised.
    std::weak_ptr<const TSampleWords> FLoadedWords;

    // --- The pictures of a strip scan (Form1Strip.cpp, jobs/Form1StripJob.cpp) ---
public:
    /// BtnStrip, Ctrl+N, N: the frame onto the next picture of the shown scan; a Shift-click,
    /// Ctrl+Shift+N and Shift+N onto the one before. The scan's pictures are found off the UI
    /// thread once per shown image. On the crop a save of a strip's picture shows, the scan
    /// it came from is loaded again and the step goes on from the picture saved.
    void StripPictureClick(QObject* sender);
    void StepStripPicture(bool forward);

private:
    /// A step that waits for the pictures of the shown scan (or for its reload after a save).
    struct TStripStep {
        bool Forward = true;
        int From = -1; // the picture saved last, or -1: from where the frame stands
    };
    void StartStripDetection(TStripStep step);
    void ApplyStripStep(TStripStep step);
    /// After a load: the step waiting for the reload of the strip's scan; true when it starts.
    bool ResumeStripAfterLoad();
    /// The pictures found on the image shown now, or nothing when it has not been examined.
    [[nodiscard]] const TStripPictures* ShownStrip() const;
    /// The number of the picture a save of `frame` (or of the whole image, without
    /// `useFrame`) writes; 0 keeps the name as it is. Remembers the save for the next step.
    [[nodiscard]] int SavedPictureNumberOf(bool useFrame, const TCropRect& frame);
    QPushButton* BtnStrip = nullptr;
    TStripPictures FStrip;
    std::weak_ptr<const TSampleWords> FStripWords; // the words FStrip was found on; not held
    TLoadGeneration FStripSearches;                // only the newest search steps the frame
    /// The last save of a strip's picture: the scan and the picture's index.
    struct TStripSaved {
        std::string File;
        int Picture = 0;
    };
    std::optional<TStripSaved> FStripSaved;
    std::optional<TStripStep> FStripAfterReload;
    /// The picture the last step put the frame on, and where: a frame moved since, or another
    /// strip found, stands on no picture.
    struct TStripStand {
        int Picture = -1;
        TPoint Position, Size;
    };
    TStripStand FStripStand;
};

} // namespace vantrel
