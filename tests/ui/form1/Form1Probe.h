// SPDX-License-Identifier: MIT
#pragma once

// What the window tests and the window's benchmarks reach inside TForm1: its controls, found
// by their object names (the names they have in the design), and the private fields they set
// up or look at (TForm1 makes TForm1Probe its friend for these).

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/form1/Unit1.h"
#include "ui/logic/KeyMap.h"
#include "ui/widgets/ActivityIndicator.h"
#include "ui/widgets/ColorBox.h"
#include "ui/widgets/HelpViewer.h"
#include "ui/widgets/ImageBox.h"
#include "ui/widgets/UpDown.h"

namespace vantrel {

/// The control of `form` named `name`; null when there is none of that name and type.
template <class T> [[nodiscard]] T* Control(const TForm1& form, const char* name) {
    return form.findChild<T*>(QLatin1String(name));
}

struct TForm1Probe {
    explicit TForm1Probe(TForm1& form)
        : ActivityIndicator1(Control<TActivityIndicator>(form, "ActivityIndicator1")),
          ActivityIndicator2(Control<TActivityIndicator>(form, "ActivityIndicator2")),
          BitBtn2(Control<QPushButton>(form, "BitBtn2")),
          BtnFlip(Control<QPushButton>(form, "BtnFlip")),
          BtnInvert(Control<QPushButton>(form, "BtnInvert")),
          BtnLockRatio(Control<QPushButton>(form, "BtnLockRatio")),
          BtnOpen(Control<QPushButton>(form, "BtnOpen")),
          BtnPrevious(Control<QPushButton>(form, "BtnPrevious")),
          BtnRotLeft(Control<QPushButton>(form, "BtnRotLeft")),
          BtnRotRight(Control<QPushButton>(form, "BtnRotRight")),
          BtnRotate(Control<QPushButton>(form, "BtnRotate")),
          BtnSave(Control<QPushButton>(form, "BtnSave")),
          BtnSaveFolder(Control<QPushButton>(form, "BtnSaveFolder")),
          ChADNext(Control<QCheckBox>(form, "ChADNext")),
          ChkPgNext(Control<QCheckBox>(form, "ChkPgNext")),
          ChkTabNext(Control<QCheckBox>(form, "ChkTabNext")),
          Chk_AltC(Control<QCheckBox>(form, "Chk_AltC")),
          Chk_CtrlEnter(Control<QCheckBox>(form, "Chk_CtrlEnter")),
          Chk_NoModif(Control<QCheckBox>(form, "Chk_NoModif")),
          Chk_Space(Control<QCheckBox>(form, "Chk_Space")),
          ColorBox1(Control<TColorBox>(form, "ColorBox1")),
          ColorBox2(Control<TColorBox>(form, "ColorBox2")),
          ComboBox1(Control<QComboBox>(form, "ComboBox1")),
          EdPostfix(Control<QLineEdit>(form, "EdPostfix")),
          EdPrefix(Control<QLineEdit>(form, "EdPrefix")),
          ImageViewer(Control<TImageBox>(form, "ImageViewer")),
          InfoPanel(Control<QFrame>(form, "InfoPanel")), Label14(Control<QLabel>(form, "Label14")),
          ListView1(Control<QTreeWidget>(form, "ListView1")), N1(Control<QAction>(form, "N1")),
          N2(Control<QAction>(form, "N2")), N3(Control<QAction>(form, "N3")),
          N4(Control<QAction>(form, "N4")), PageControl1(Control<QTabWidget>(form, "PageControl1")),
          PopupMenu3(Control<QMenu>(form, "PopupMenu3")),
          SpEdHeight(Control<QSpinBox>(form, "SpEdHeight")),
          SpEdWidth(Control<QSpinBox>(form, "SpEdWidth")),
          Splitter1(Control<QSplitter>(form, "Splitter1")),
          StatusBar1(Control<QLabel>(form, "StatusBar1")),
          StatusStep(Control<QLabel>(form, "StatusStep")),
          TrackBar1(Control<QSlider>(form, "TrackBar1")),
          TrackBar2(Control<QSlider>(form, "TrackBar2")),
          TrackBar3(Control<QSlider>(form, "TrackBar3")),
          UpDnBlank(Control<TUpDown>(form, "UpDnBlank")),
          UpDnDash(Control<TUpDown>(form, "UpDnDash")),
          WebBrowser1(Control<THelpViewer>(form, "WebBrowser1")),
          btnNext(Control<QPushButton>(form, "btnNext")),
          btnTags(Control<QPushButton>(form, "btnTags")),
          chkNoTags(Control<QCheckBox>(form, "chkNoTags")),
          lblApproximate(Control<QLabel>(form, "lblApproximate")),
          lblAspectRatio(Control<QLabel>(form, "lblAspectRatio")),
          lblHeight(Control<QLabel>(form, "lblHeight")),
          lblUpDnBlank(Control<QLabel>(form, "lblUpDnBlank")),
          lblUpDnDash(Control<QLabel>(form, "lblUpDnDash")),
          lblWidth(Control<QLabel>(form, "lblWidth")), ButtonEnabledState(form.ButtonEnabledState),
          ColorboxItemWidth(form.ColorboxItemWidth), FAspectRatio(form.FAspectRatio),
          FBrightness(form.FAdjustments.Brightness), FCachedBitmap(form.FCachedBitmap),
          FColorBox1Selected(form.FColorBox1Selected), FColorBox2Selected(form.FColorBox2Selected),
          FCroppedFile(form.FCroppedFile), FCurrentScale(form.FCurrentScale),
          FDragOffset(form.FDragOffset), FDragging(form.FDragging), FFileList(form.FBatch.Files()),
          FFramePosInPixels(form.FFramePosInPixels), FFrameSizeInPixels(form.FFrameSizeInPixels),
          FImageHasFocus(form.FImageHasFocus), FInputFile(form.FInputFile),
          FOriginalHeight(form.FOriginal.Height), FOriginalSamples(form.FOriginal.Samples),
          FOriginalWidth(form.FOriginal.Width), FOriginalWords(form.FOriginal.Words),
          FOutputFolder(form.FOutputFolder), FSContrast(form.FAdjustments.SContrast),
          FSelecting(form.FSelecting), FShownFile(form.FShownFile), FStandInView(form.FStandInView),
          FTransformState(form.FTransformState), FUpdating(form.FUpdating),
          LastShiftState(form.LastShiftState), ListViewHeight(form.ListViewHeight),
          OpenDialog1InitialDir(form.OpenDialog1InitialDir), TemplateHeight(form.TemplateHeight),
          TemplateWidth(form.TemplateWidth), ReloadCommand(form.ReloadCommand),
          OnlySaveCommand(form.OnlySaveCommand), FBatch(form.FBatch), FReadAhead(form.FReadAhead),
          FReadAheadFile(form.FReadAheadFile), FStrip(form.FStrip), FStripWords(form.FStripWords) {}

    /// The command button a key or an action clicks as `button`.
    static QPushButton* CommandButton(const TForm1& form, TButton button) {
        return form.CommandButton(button);
    }

    // Controls
    TActivityIndicator* const ActivityIndicator1;
    TActivityIndicator* const ActivityIndicator2;
    QPushButton* const BitBtn2;
    QPushButton* const BtnFlip;
    QPushButton* const BtnInvert;
    QPushButton* const BtnLockRatio;
    QPushButton* const BtnOpen;
    QPushButton* const BtnPrevious;
    QPushButton* const BtnRotLeft;
    QPushButton* const BtnRotRight;
    QPushButton* const BtnRotate;
    QPushButton* const BtnSave;
    QPushButton* const BtnSaveFolder;
    QCheckBox* const ChADNext;
    QCheckBox* const ChkPgNext;
    QCheckBox* const ChkTabNext;
    QCheckBox* const Chk_AltC;
    QCheckBox* const Chk_CtrlEnter;
    QCheckBox* const Chk_NoModif;
    QCheckBox* const Chk_Space;
    TColorBox* const ColorBox1;
    TColorBox* const ColorBox2;
    QComboBox* const ComboBox1;
    QLineEdit* const EdPostfix;
    QLineEdit* const EdPrefix;
    TImageBox* const ImageViewer;
    QFrame* const InfoPanel;
    QLabel* const Label14;
    QTreeWidget* const ListView1;
    QAction* const N1;
    QAction* const N2;
    QAction* const N3;
    QAction* const N4;
    QTabWidget* const PageControl1;
    QMenu* const PopupMenu3;
    QSpinBox* const SpEdHeight;
    QSpinBox* const SpEdWidth;
    QSplitter* const Splitter1;
    QLabel* const StatusBar1;
    QLabel* const StatusStep;
    QSlider* const TrackBar1;
    QSlider* const TrackBar2;
    QSlider* const TrackBar3;
    TUpDown* const UpDnBlank;
    TUpDown* const UpDnDash;
    THelpViewer* const WebBrowser1;
    QPushButton* const btnNext;
    QPushButton* const btnTags;
    QCheckBox* const chkNoTags;
    QLabel* const lblApproximate;
    QLabel* const lblAspectRatio;
    QLabel* const lblHeight;
    QLabel* const lblUpDnBlank;
    QLabel* const lblUpDnDash;
    QLabel* const lblWidth;

    // Fields
    TButtonEnabledState& ButtonEnabledState;
    int& ColorboxItemWidth;
    double& FAspectRatio;
    int32_t& FBrightness;
    std::shared_ptr<const TViewBitmap>& FCachedBitmap;
    QColor& FColorBox1Selected;
    QColor& FColorBox2Selected;
    std::string& FCroppedFile;
    double& FCurrentScale;
    TPoint& FDragOffset;
    bool& FDragging;
    const std::vector<std::string>& FFileList; // FBatch's
    TPoint& FFramePosInPixels;
    TPoint& FFrameSizeInPixels;
    bool& FImageHasFocus;
    std::string& FInputFile;
    int32_t& FOriginalHeight;
    int32_t& FOriginalSamples;
    int32_t& FOriginalWidth;
    TSharedWords& FOriginalWords;
    std::string& FOutputFolder;
    double& FSContrast;
    bool& FSelecting;
    std::string& FShownFile;
    QImage& FStandInView;
    TImageTransformState& FTransformState;
    bool& FUpdating;
    TShiftState& LastShiftState;
    int32_t& ListViewHeight;
    std::string& OpenDialog1InitialDir;
    int32_t& TemplateHeight;
    int32_t& TemplateWidth;
    std::function<void()>& ReloadCommand;
    std::function<void()>& OnlySaveCommand;
    TFileList& FBatch;
    std::unique_ptr<TReadAhead>& FReadAhead;
    std::string& FReadAheadFile;
    TStripPictures& FStrip;
    std::weak_ptr<const TSampleWords>& FStripWords;
};

/// The probe of one window, made anew for each use: it never outlives a window it was made of.
[[nodiscard]] inline TForm1Probe Probe(TForm1& form) {
    return TForm1Probe(form);
}

} // namespace vantrel
