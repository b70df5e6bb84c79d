// levora-tax: the desktop calculator.

#include "UApplication.h"
#include "UFrmMain.h"

int main(int argc, char* argv[])
{
    TApplication app(argc, argv);
    TFrmMain frmMain;
    frmMain.show();
    return app.exec();
}
