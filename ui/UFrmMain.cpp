#include "UFrmMain.h"

TFrmMain::TFrmMain(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Levora个人所得税计算器 V3.01"));
}
