#include "UFrmMain.h"
#include "ui_UFrmMain.h"

#include "UApplication.h"
#include "UDeployment.h"
#include "UFrmSalary.h"
#include "UFrmYearAward.h"
#include "UJpegImage.h"
#include "UUtils.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr QSize ClientSize(912, 677); // without the menu bar
constexpr QSize ToolButtonSize(85, 21);
constexpr int ToolBarHeight = 25;

} // namespace

TFrmMain::TFrmMain(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TFrmMain>())
{
    // The look of the program: the system sans-serif at 11 pixels.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(11);
    setFont(font);

    ui->setupUi(this);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/levora-tax-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);

    ui->ToolButton6->setSeparator(true);
    ui->ToolButton9->setSeparator(true);
    ui->ToolBar1->setFixedHeight(ToolBarHeight);
    for (QAction* action : ui->ToolBar1->actions())
        if (auto* button = qobject_cast<QToolButton*>(ui->ToolBar1->widgetForAction(action)))
            button->setFixedSize(ToolButtonSize);

    ui->ImgLogo->setPixmap(
        QPixmap::fromImage(TJpegImage::LoadPicture(":/pictures/banner-taobao.bmp")));
    ui->ImgDangDang->setPixmap(
        QPixmap::fromImage(TJpegImage::LoadPicture(":/pictures/banner-dangdang.bmp")));
    ui->ImgAmazon->setPixmap(
        QPixmap::fromImage(TJpegImage::LoadPicture(":/pictures/banner-amazon.bmp")));

    TApplication::Connect(ui->ToolButton1, &QAction::triggered, this, &TFrmMain::ToolButton1Click);
    TApplication::Connect(ui->ToolButton2, &QAction::triggered, this, &TFrmMain::ToolButton2Click);
    TApplication::Connect(ui->TBtnExcelTax, &QAction::triggered, this,
                          &TFrmMain::TBtnExcelTaxClick);
    TApplication::Connect(ui->TBtnOpenCalc, &QAction::triggered, this,
                          &TFrmMain::TBtnOpenCalcClick);
    TApplication::Connect(ui->ToolButton8, &QAction::triggered, this, &TFrmMain::ToolButton8Click);
    TApplication::Connect(ui->TBtnDownload, &QAction::triggered, this,
                          &TFrmMain::TBtnDownloadClick);
    TApplication::Connect(ui->TBtnHomePage, &QAction::triggered, this,
                          &TFrmMain::TBtnHomePageClick);
    TApplication::Connect(ui->MExit, &QAction::triggered, this, &TFrmMain::MExitClick);
    TApplication::Connect(ui->MSalary, &QAction::triggered, this, &TFrmMain::MSalaryClick);
    TApplication::Connect(ui->MYearAward, &QAction::triggered, this, &TFrmMain::MYearAwardClick);
    TApplication::Connect(ui->NSysCalc, &QAction::triggered, this, &TFrmMain::NSysCalcClick);
    TApplication::Connect(ui->MHomePage, &QAction::triggered, this, &TFrmMain::MHomePageClick);
    TApplication::Connect(ui->ImgLogo, &TClickableImage::clicked, this, &TFrmMain::ImgLogoClick);
    TApplication::Connect(ui->ImgDangDang, &TClickableImage::clicked, this,
                          &TFrmMain::ImgDangDangClick);
    TApplication::Connect(ui->ImgAmazon, &TClickableImage::clicked, this,
                          &TFrmMain::ImgAmazonClick);

    setFixedSize(ClientSize.width(), ClientSize.height() + menuBar()->sizeHint().height());
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());

    FormCreate();
}

TFrmMain::~TFrmMain() = default;

// A fresh page on every choice. The page it replaces is released, whatever its
// kind, so that its controls cannot be reached under the new one.
template <class TPage> void TFrmMain::ShowFrame()
{
    delete currentFrame;
    auto* page = new TPage(ui->Panel2);
    ui->Panel2Layout->addWidget(page);
    page->show();
    currentFrame = page;
    currentFrameName = QString::fromLatin1(TPage::staticMetaObject.className());
}

void TFrmMain::FormCreate()
{
    ShowFrame<TFrmSalary>();
}
void TFrmMain::ToolButton1Click()
{
    ShowFrame<TFrmSalary>();
}
void TFrmMain::ToolButton2Click()
{
    ShowFrame<TFrmYearAward>();
}
void TFrmMain::TBtnExcelTaxClick()
{
    TUtils::OpenUrl(Deployment::ExcelPageUrl());
}
void TFrmMain::TBtnOpenCalcClick()
{
    TUtils::OpenCalc();
}
void TFrmMain::ToolButton8Click()
{
    TUtils::OpenNotepad();
}
void TFrmMain::TBtnDownloadClick()
{
    TUtils::OpenUrl(Deployment::DownloadPageUrl());
}
void TFrmMain::TBtnHomePageClick()
{
    TUtils::OpenUrl(Deployment::HomePageUrl());
}
void TFrmMain::MExitClick()
{
    QCoreApplication::quit();
}
void TFrmMain::MSalaryClick()
{
    ShowFrame<TFrmSalary>();
}
void TFrmMain::MYearAwardClick()
{
    ShowFrame<TFrmYearAward>();
}
void TFrmMain::NSysCalcClick()
{
    TUtils::OpenCalc();
}
void TFrmMain::MHomePageClick()
{
    TUtils::OpenUrl(Deployment::HomePageUrl());
}
void TFrmMain::ImgLogoClick()
{
    TUtils::OpenUrl(Deployment::TaobaoAdUrl());
}
void TFrmMain::ImgDangDangClick()
{
    TUtils::OpenUrl(Deployment::DangdangAdUrl());
}
void TFrmMain::ImgAmazonClick()
{
    TUtils::OpenUrl(Deployment::AmazonAdUrl());
}
