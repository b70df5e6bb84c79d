#include "UFrmSalary.h"
#include "ui_UFrmSalary.h"

#include "UAmount.h"
#include "UAnchors.h"
#include "UApplication.h"
#include "UDeployment.h"
#include "UDisplayForms.h"
#include "UEntryChecks.h"
#include "UJpegImage.h"
#include "UKeyUpNotifier.h"
#include "UPageLook.h"
#include "USalaryTaxManager.h"
#include "UUtils.h"

#include <QLocale>
#include <QPixmap>

namespace {

constexpr QSize DesignBodySize(900, 555);

using PageLook::DecimalSeparator;
using PageLook::Text;

} // namespace

TFrmSalary::TFrmSalary(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TFrmSalary>())
{
    ui->setupUi(this);
    PageLook::SetUp(ui->Panel5, ui->StatusBar1);
    PageLook::SetLargeFont(ui->TxtIncome);
    PageLook::SetLargeFont(ui->TxtGolds);
    PageLook::SetShadowText(ui->StaticText13);
    PageLook::TabToSelected(ui->RBtnChina, ui->RBtnForeign);
    for (QLabel* red : {ui->TxtMsgSalary, ui->TxtMsgGolds, ui->lblTaxNew, ui->lblIncomeAfterTaxNew})
        red->setStyleSheet(QStringLiteral("color: red;"));
    // Blanks that keep the message labels' place; Designer drops blank-only texts.
    const QString blanks(3, QLatin1Char(' '));
    ui->TxtMsgSalary->setText(blanks);
    ui->TxtMsgGolds->setText(blanks);
    PageLook::NameAfterCaption(ui->StaticText20, ui->TxtIncome);
    PageLook::NameAfterCaption(ui->StaticText5, ui->TxtGolds);
    PageLook::NameAfterCaption(ui->lblTaxNew, ui->TxtTax);
    PageLook::NameAfterCaption(ui->lblIncomeAfterTaxNew, ui->TxtIncomeAfterTax);
    // Three buttons read "复制"; the name says what each one copies.
    ui->BtnCopyTax->setAccessibleName(QStringLiteral("复制应纳税额"));
    ui->BtnCopyIncome->setAccessibleName(QStringLiteral("复制税后收入"));
    ui->TxtQQ->setAccessibleName(QStringLiteral("客服QQ号码"));
    ui->BtnCopyQQ->setAccessibleName(QStringLiteral("复制客服QQ号码"));
    ui->BtnAntiTax->hide();
    ui->BtnAntiIncomeAfterTax->hide();

    const QPixmap rateTable =
        QPixmap::fromImage(TJpegImage::LoadPicture(QStringLiteral(":/pictures/ratetable.jpg")));
    for (QLabel* picture : {ui->Image4, ui->Image1, ui->Image2, ui->Image3}) {
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setPixmap(rateTable);
    }
    const QPixmap qq =
        QPixmap::fromImage(TJpegImage::LoadPicture(QStringLiteral(":/pictures/qq-online.bmp")));
    ui->ImgOnlineQQ->setPixmap(qq);
    ui->ImgQQ->setPixmap(qq);
    ui->ImgWangWang->setPixmap(
        QPixmap::fromImage(TJpegImage::LoadPicture(QStringLiteral(":/pictures/wangwang.bmp"))));
    ui->TxtQQ->setText(Deployment::SupportQQNumber());
    ui->StaticText11->setText(Deployment::SupportQQNumber());
    ui->StaticText12->setText(Deployment::SupportWangWangAccount());

    auto* anchors = new TAnchors(ui->Panel5, DesignBodySize);
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui->Image4, ui->GroupBox5, ui->GroupBox6, ui->Image1, ui->Image2, ui->Image3,
             ui->GroupBox1, ui->GroupBox2, ui->GroupBox3, ui->GroupBox4, ui->GroupBox7})
        anchors->AnchorRight(w);

    TApplication::Connect(ui->BtnCalc, &QPushButton::clicked, this, &TFrmSalary::BtnCalcClick);
    TApplication::Connect(ui->BtnReset, &QPushButton::clicked, this, &TFrmSalary::BtnResetClick);
    TApplication::Connect(ui->BtnAntiTax, &QPushButton::clicked, this,
                          &TFrmSalary::BtnAntiTaxClick);
    TApplication::Connect(ui->BtnAntiIncomeAfterTax, &QPushButton::clicked, this,
                          &TFrmSalary::BtnAntiIncomeAfterTaxClick);
    TApplication::Connect(ui->BtnCopyTax, &QPushButton::clicked, this,
                          &TFrmSalary::BtnCopyTaxClick);
    TApplication::Connect(ui->BtnCopyIncome, &QPushButton::clicked, this,
                          &TFrmSalary::BtnCopyIncomeClick);
    TApplication::Connect(ui->BtnCopyQQ, &QPushButton::clicked, this, &TFrmSalary::BtnCopyQQClick);
    TApplication::Connect(ui->ImgOnlineQQ, &TClickableImage::clicked, this,
                          &TFrmSalary::ImgOnlineQQClick);
    TApplication::Connect(ui->ImgQQ, &TClickableImage::clicked, this, &TFrmSalary::ImgQQClick);
    TApplication::Connect(ui->ImgWangWang, &TClickableImage::clicked, this,
                          &TFrmSalary::ImgWangWangClick);
    for (QLineEdit* edit : {ui->TxtIncome, ui->TxtGolds})
        TApplication::Connect(new TKeyUpNotifier(edit), &TKeyUpNotifier::KeyUp, this,
                              &TFrmSalary::TxtIncomeKeyUp);
}

TFrmSalary::~TFrmSalary() = default;

void TFrmSalary::BtnCalcClick()
{
    PageLook::SetMessage(ui->TxtMsgSalary, ui->TxtIncome, QString());
    PageLook::SetMessage(ui->TxtMsgGolds, ui->TxtGolds, QString());
    const bool isForeign = ui->RBtnForeign->isChecked();
    const auto entry =
        CheckSalaryEntry(ui->TxtIncome->text().toStdString(), ui->TxtGolds->text().toStdString(),
                         isForeign, DecimalSeparator());
    if (const auto* failure = std::get_if<TEntryFailure>(&entry)) {
        auto* box = findChild<QLineEdit*>(QLatin1String(failure->Box));
        PageLook::SetMessage(findChild<QLabel*>(QLatin1String(failure->Label)), box,
                             Text(failure->Message));
        box->setFocus();
        box->selectAll();
        return;
    }
    const auto& in = std::get<TSalaryEntry>(entry);
    const TTaxInfo info = TSalaryTaxManager().Calculate(isForeign, in.Income, in.Golds);
    ShowValues(SalaryCalculateForm(info, DecimalSeparator()));
    ui->TxtIncome->setFocus();
    ui->TxtIncome->selectAll();
}

void TFrmSalary::TxtIncomeKeyUp(QObject* /*sender*/, int key, Qt::KeyboardModifiers /*shift*/)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        BtnCalcClick();
}

void TFrmSalary::BtnResetClick()
{
    PageLook::SetMessage(ui->TxtMsgSalary, ui->TxtIncome, QString());
    PageLook::SetMessage(ui->TxtMsgGolds, ui->TxtGolds, QString());
    ui->TxtIncome->clear();
    ui->TxtGolds->clear();
    const QString zero = QStringLiteral("0元");
    for (QLabel* value : {ui->TxtInfome2, ui->TxtGolds2, ui->TxtSP, ui->TxtTaxableIncome})
        PageLook::SetGrowingText(value, zero);
    PageLook::SetGrowingText(ui->TxtRate, QStringLiteral("0%"));
    PageLook::SetGrowingText(ui->TxtDeduct, zero);
    ui->TxtTax->clear();
    ui->TxtIncomeAfterTax->clear();
    ui->RBtnChina->setChecked(true);
    ui->TxtIncome->setFocus();
}

// The reverse calculations check nothing: unreadable text raises, and the
// application's error box reports it with the page left as it was.
void TFrmSalary::BtnAntiTaxClick()
{
    const double tax = Amount::ReadOrThrow(ui->TxtTax->text().toStdString(), DecimalSeparator());
    const double golds =
        Amount::ReadOrThrow(ui->TxtGolds->text().toStdString(), DecimalSeparator());
    ShowTaxInfo(TSalaryTaxManager().AntiTax(ui->RBtnForeign->isChecked(), tax, golds));
}

void TFrmSalary::BtnAntiIncomeAfterTaxClick()
{
    const double afterTax =
        Amount::ReadOrThrow(ui->TxtIncomeAfterTax->text().toStdString(), DecimalSeparator());
    const double golds =
        Amount::ReadOrThrow(ui->TxtGolds->text().toStdString(), DecimalSeparator());
    ShowTaxInfo(
        TSalaryTaxManager().AntiIncomeAfterTax(ui->RBtnForeign->isChecked(), afterTax, golds));
}

void TFrmSalary::ShowTaxInfo(const TTaxInfo& info)
{
    ShowValues(SalaryReverseForm(info, DecimalSeparator()));
}

void TFrmSalary::ShowValues(const TSalaryDisplay& shown)
{
    PageLook::SetGrowingText(ui->TxtInfome2, Text(shown.TxtInfome2));
    PageLook::SetGrowingText(ui->TxtGolds2, Text(shown.TxtGolds2));
    PageLook::SetGrowingText(ui->TxtSP, Text(shown.TxtSP));
    PageLook::SetGrowingText(ui->TxtTaxableIncome, Text(shown.TxtTaxableIncome));
    PageLook::SetGrowingText(ui->TxtRate, Text(shown.TxtRate));
    PageLook::SetGrowingText(ui->TxtDeduct, Text(shown.TxtDeduct));
    ui->TxtTax->setText(Text(shown.TxtTax));
    ui->TxtIncomeAfterTax->setText(Text(shown.TxtIncomeAfterTax));
}

void TFrmSalary::BtnCopyTaxClick()
{
    TUtils::CopyToClipboard(ui->TxtTax->text());
}
void TFrmSalary::BtnCopyIncomeClick()
{
    TUtils::CopyToClipboard(ui->TxtIncomeAfterTax->text());
}
void TFrmSalary::BtnCopyQQClick()
{
    TUtils::CopyToClipboard(ui->TxtQQ->text());
}
void TFrmSalary::ImgOnlineQQClick()
{
    TUtils::OpenQQ();
}
void TFrmSalary::ImgQQClick()
{
    TUtils::OpenQQ();
}
void TFrmSalary::ImgWangWangClick()
{
    TUtils::OpenWangWang();
}
