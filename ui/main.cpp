// Program start: the application, its look and hint timing, the window, the event loop.

#include <QApplication>

#include "ui/AppStyle.h"
#include "ui/Unit1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vantrel::ApplyAppStyle(app); // hint timing, then the look; a missing style keeps the default
    int result = 0;
    {
        vantrel::TForm1 form;
        // The name the task bar shows (the window class); the window title stays our own.
        QApplication::setApplicationName(QString::fromLatin1(vantrel::AppName));
        form.show();
        result = app.exec();
    }
    return result;
}
