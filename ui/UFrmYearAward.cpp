#include "UFrmYearAward.h"
#include "ui_UFrmYearAward.h"

#include "UAnchors.h"
#include "UApplication.h"
#include "UDisplayForms.h"
#include "UEntryChecks.h"
#include "UJpegImage.h"
#include "UKeyUpNotifier.h"
#include "UPageLook.h"
#include "UUtils.h"
#include "UYearAwardManager.h"

#include <QLocale>
#include <QPixmap>

namespace {

constexpr QSize DesignBodySize(940, 535);

using PageLook::DecimalSeparator;
using PageLook::Text;

QPixmap Picture(const char* resourcePath)
{
    return QPixmap::fromImage(TJpegImage::LoadPicture(QString::fromLatin1(resourcePath)));
}

// The captions are drawn to end where their values begin, whatever width the
// font gives their text.
void EndAt(QLabel* caption, int right)
{
    caption->resize(caption->sizeHint().width(), caption->height());
    caption->move(right - caption->width(), caption->y());
}

} // namespace

TFrmYearAward::TFrmYearAward(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TFrmYearAward>())
{
    ui->setupUi(this);
    PageLook::SetUp(ui->Panel5, ui->StatusBar2);
    for (QLineEdit* edit : {ui->TxtYearAward, ui->TxtIncome, ui->TxtGolds})
        PageLook::SetLargeFont(edit);
    PageLook::SetShadowText(ui->StaticText13);
    PageLook::TabToSelected(ui->RBtnChina, ui->RBtnForeign);
    for (QLabel* red :
         {ui->TxtMsgYA, ui->TxtMsgSalary, ui->TxtMsgGolds, ui->lblTaxNew, ui->lblIncomeAfterTaxNew})
        red->setStyleSheet(QStringLiteral("color: red;"));
    // Blanks that keep the message labels' place; Designer drops blank-only texts.
    for (QLabel* message : {ui->TxtMsgYA, ui->TxtMsgSalary, ui->TxtMsgGolds})
        message->setText(QString(5, QLatin1Char(' ')));

    PageLook::NameAfterCaption(ui->StaticText20, ui->TxtYearAward);
    PageLook::NameAfterCaption(ui->StaticText5, ui->TxtIncome);
    PageLook::NameAfterCaption(ui->StaticText7, ui->TxtGolds);
    PageLook::NameAfterCaption(ui->lblTaxNew, ui->TxtTax);
    PageLook::NameAfterCaption(ui->lblIncomeAfterTaxNew, ui->TxtIncomeAfterTax);
    // Both buttons read "复制"; the name says what each one copies.
    ui->BtnCopyTax->setAccessibleName(QStringLiteral("复制应纳税额"));
    ui->BtnCopyIncome->setAccessibleName(QStringLiteral("复制税后收入"));

    for (QLabel* value :
         {ui->TxtYA, ui->TxtTaxableIncome, ui->TxtSP, ui->TxtAverage, ui->TxtRate, ui->TxtDeduct})
        PageLook::SetGrowingText(value, value->text());
    EndAt(ui->lblIncomeNew, ui->TxtYA->x());
    EndAt(ui->lblTaxableIncomeNew, ui->TxtTaxableIncome->x());
    EndAt(ui->StaticText8, ui->TxtSP->x());
    EndAt(ui->StaticText6, ui->TxtAverage->x());
    EndAt(ui->lblRateNew, ui->TxtRate->x());
    EndAt(ui->lblDeductNew, ui->TxtDeduct->x());
    EndAt(ui->lblTaxNew, ui->TxtTax->x());
    EndAt(ui->lblIncomeAfterTaxNew, ui->TxtIncomeAfterTax->x());

    const QPixmap rateTable = Picture(":/pictures/ratetable.jpg");
    for (QLabel* picture : {ui->Image1, ui->Image2}) {
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setPixmap(rateTable);
    }
    ui->Image3->setPixmap(Picture(":/pictures/bonusmethod.jpg"));

    auto* anchors = new TAnchors(ui->Panel5, DesignBodySize);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui->Image1, ui->GroupBox1, ui->Image2, ui->GroupBox2})
        anchors->AnchorRight(w);

    TApplication::Connect(ui->BtnCalc, &QPushButton::clicked, this, &TFrmYearAward::BtnCalcClick);
    TApplication::Connect(ui->BtnReset, &QPushButton::clicked, this, &TFrmYearAward::BtnResetClick);
    TApplication::Connect(ui->BtnCopyTax, &QPushButton::clicked, this,
                          &TFrmYearAward::BtnCopyTaxClick);
    TApplication::Connect(ui->BtnCopyIncome, &QPushButton::clicked, this,
                          &TFrmYearAward::BtnCopyIncomeClick);
    for (QLineEdit* edit : {ui->TxtYearAward, ui->TxtIncome, ui->TxtGolds})
        TApplication::Connect(new TKeyUpNotifier(edit), &TKeyUpNotifier::KeyUp, this,
                              &TFrmYearAward::TxtGoldsKeyUp);
}

TFrmYearAward::~TFrmYearAward() = default;

// No range is checked: whatever can be read goes to the calculator. An overflow
// in it escapes to the application's error box with the results left as they were.
void TFrmYearAward::BtnCalcClick()
{
    ClearMessages();
    const auto entry = ReadYearAwardEntry(ui->TxtYearAward->text().toStdString(),
                                          ui->TxtIncome->text().toStdString(),
                                          ui->TxtGolds->text().toStdString(), DecimalSeparator());
    if (const auto* failure = std::get_if<TEntryFailure>(&entry)) {
        auto* box = findChild<QLineEdit*>(QLatin1String(failure->Box));
        PageLook::SetMessage(findChild<QLabel*>(QLatin1String(failure->Label)), box,
                             Text(failure->Message));
        box->setFocus();
        box->selectAll();
        return;
    }
    const auto& in = std::get<TYearAwardEntry>(entry);
    const TYearAwardInfo info = TYearAwardManager().Calculate(ui->RBtnForeign->isChecked(),
                                                              in.YearAward, in.Income, in.Golds);
    ShowValues(YearAwardForm(info, DecimalSeparator()));
    ui->TxtYearAward->setFocus();
    ui->TxtYearAward->selectAll();
}

void TFrmYearAward::TxtGoldsKeyUp(QObject* /*sender*/, int key, Qt::KeyboardModifiers /*shift*/)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        BtnCalcClick();
}

void TFrmYearAward::BtnResetClick()
{
    ui->TxtYearAward->clear();
    ui->TxtIncome->clear();
    ui->TxtGolds->clear();
    ui->RBtnChina->setChecked(true);
    ui->TxtIncomeAfterTax->clear();
    ui->TxtTax->clear();
    ClearMessages();
    const QString zero = QStringLiteral("0.00元");
    for (QLabel* value : {ui->TxtYA, ui->TxtTaxableIncome, ui->TxtSP, ui->TxtAverage})
        PageLook::SetGrowingText(value, zero);
    PageLook::SetGrowingText(ui->TxtRate, QStringLiteral("0%"));
    PageLook::SetGrowingText(ui->TxtDeduct, zero);
    ui->TxtYearAward->setFocus();
    ui->TxtYearAward->selectAll();
}

void TFrmYearAward::ClearMessages()
{
    PageLook::SetMessage(ui->TxtMsgYA, ui->TxtYearAward, QString());
    PageLook::SetMessage(ui->TxtMsgSalary, ui->TxtIncome, QString());
    PageLook::SetMessage(ui->TxtMsgGolds, ui->TxtGolds, QString());
}

void TFrmYearAward::ShowValues(const TYearAwardDisplay& shown)
{
    PageLook::SetGrowingText(ui->TxtSP, Text(shown.TxtSP));
    PageLook::SetGrowingText(ui->TxtRate, Text(shown.TxtRate));
    PageLook::SetGrowingText(ui->TxtDeduct, Text(shown.TxtDeduct));
    PageLook::SetGrowingText(ui->TxtYA, Text(shown.TxtYA));
    PageLook::SetGrowingText(ui->TxtTaxableIncome, Text(shown.TxtTaxableIncome));
    PageLook::SetGrowingText(ui->TxtAverage, Text(shown.TxtAverage));
    ui->TxtTax->setText(Text(shown.TxtTax));
    ui->TxtIncomeAfterTax->setText(Text(shown.TxtIncomeAfterTax));
}

void TFrmYearAward::BtnCopyTaxClick()
{
    TUtils::CopyToClipboard(ui->TxtTax->text());
}
void TFrmYearAward::BtnCopyIncomeClick()
{
    TUtils::CopyToClipboard(ui->TxtIncomeAfterTax->text());
}
