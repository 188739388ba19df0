// SPDX-License-Identifier: MIT
// Program start: the application, its look and hint timing, the window, the event loop.

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tags/TIFFTagUtils.h"
#include "ui/form1/Unit1.h"
#include "ui/widgets/AppStyle.h"
#include "ui/widgets/QtTranslations.h"
#include "ui/widgets/Utf8Text.h"

namespace {

constexpr const char* kUsage =
    "Usage: vantrel [FILE]...\n"
    "Trim uncompressed 16-bit TIFF film scans to a fixed frame.\n"
    "\n"
    "Opens the window with the FILEs as one batch and shows the first of them.\n"
    "The options of the Qt toolkit, such as -platform NAME, are taken as well.\n"
    "\n"
    "  -h, --help     print this text and exit\n"
    "      --version  print the version and exit\n";

// --help and --version answer on the terminal before the application is made, so that they
// work without a display. Nothing when neither is given.
std::optional<int> AnswerInformationOption(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)
            std::fputs(kUsage, stdout);
        else if (std::strcmp(arg, "--version") == 0)
            std::printf("%s v.%s\n", vantrel::AppName, vantrel::GetVersionText(false).c_str());
        else
            continue;
        // A text that did not reach its reader (on a full disk, say) is a failure.
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    return std::nullopt;
}

// The icon of every window and of the task bar entry: the installed icon's drawing at each
// size it is drawn at, so that no size is scaled from another.
QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vantrel-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = AnswerInformationOption(argc, argv))
        return *status;
    QApplication app(argc, argv);
    // The name the task bar shows (the window class); the window title stays our own. The
    // desktop file name ties the windows to the installed desktop entry and its icon.
    QApplication::setApplicationName(QString::fromLatin1(vantrel::AppName));
    QGuiApplication::setDesktopFileName(QStringLiteral("invalid.vantrel.vantrel"));
    QApplication::setWindowIcon(ProgramIcon());
    vantrel::ApplyAppStyle(app); // hint timing, then the look; a missing style keeps the default
    vantrel::InstallQtTranslations(app);
    int result = 0;
    {
        vantrel::TForm1 form;
        form.show();
        // Files handed over by the desktop (the file manager's "Open with") open as a batch, as
        // if they had been dropped on the window.
        std::vector<std::string> files;
        for (const QString& arg : QApplication::arguments().mid(1))
            files.push_back(vantrel::NativePath(QFileInfo(arg).absoluteFilePath()));
        if (!files.empty())
            form.DropFiles(files);
        result = app.exec();
    }
    return result;
}
