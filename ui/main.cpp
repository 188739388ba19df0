// SPDX-License-Identifier: MIT
// Program start: the application, its look and hint timing, the window, the event loop.

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <string>
#include <vector>

#include "ui/form1/Unit1.h"
#include "ui/widgets/AppStyle.h"

namespace {

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
    QApplication app(argc, argv);
    // The name the task bar shows (the window class); the window title stays our own. The
    // desktop file name ties the windows to the installed vantrel.desktop and its icon.
    QApplication::setApplicationName(QString::fromLatin1(vantrel::AppName));
    QGuiApplication::setDesktopFileName(QStringLiteral("vantrel"));
    QApplication::setWindowIcon(ProgramIcon());
    vantrel::ApplyAppStyle(app); // hint timing, then the look; a missing style keeps the default
    int result = 0;
    {
        vantrel::TForm1 form;
        form.show();
        // Files handed over by the desktop (the file manager's "Open with") open as a batch, as
        // if they had been dropped on the window.
        std::vector<std::string> files;
        for (const QString& arg : QApplication::arguments().mid(1))
            files.push_back(QFileInfo(arg).absoluteFilePath().toStdString());
        if (!files.empty())
            form.DropFiles(files);
        result = app.exec();
    }
    return result;
}
