// levora-tax: the desktop calculator.

#include "UFrmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TFrmMain frmMain;
    frmMain.show();
    return app.exec();
}
