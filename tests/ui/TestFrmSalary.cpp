#include "UFrmSalary.h"
#include "UTaxInfo.h"
#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <map>

namespace {

// The page as the main window hosts it, driven through its controls.
class FrmSalary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        page.resize(910, 569);
        page.show();
        page.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    }

    QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
    QString Text(const char* name) { return Find<QLabel>(name)->text(); }

    template <class T> T* Find(const char* name)
    {
        T* w = page.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // Types into a box as a user does: select what is there and overwrite it.
    void Type(const char* box, const QString& text)
    {
        QLineEdit* edit = Edit(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }

    void Calculate(const QString& income, const QString& golds, bool foreign = false)
    {
        Type("TxtIncome", income);
        Type("TxtGolds", golds);
        QTest::mouseClick(Find<QRadioButton>(foreign ? "RBtnForeign" : "RBtnChina"),
                          Qt::LeftButton);
        Click("BtnCalc");
    }

    // The eight result fields, by control name.
    std::map<std::string, QString> Results()
    {
        std::map<std::string, QString> r;
        for (const char* name :
             {"TxtInfome2", "TxtGolds2", "TxtSP", "TxtTaxableIncome", "TxtRate", "TxtDeduct"})
            r[name] = Text(name);
        r["TxtTax"] = Edit("TxtTax")->text();
        r["TxtIncomeAfterTax"] = Edit("TxtIncomeAfterTax")->text();
        return r;
    }

    using Fields = std::map<std::string, QString>;

    static Fields Shown(QString income, QString golds, QString sp, QString taxable, QString rate,
                        QString deduct, QString tax, QString afterTax)
    {
        return {{"TxtInfome2", income}, {"TxtGolds2", golds},
                {"TxtSP", sp},          {"TxtTaxableIncome", taxable},
                {"TxtRate", rate},      {"TxtDeduct", deduct},
                {"TxtTax", tax},        {"TxtIncomeAfterTax", afterTax}};
    }

    TFrmSalary page;
};

} // namespace

TEST_F(FrmSalary, InitialState)
{
    TFrmSalary fresh;
    EXPECT_EQ(fresh.focusWidget(), nullptr);
    EXPECT_EQ(fresh.findChild<QLabel*>("TxtMsgSalary")->text(), "   ");
    EXPECT_EQ(fresh.findChild<QLabel*>("TxtMsgGolds")->text(), "   ");
    EXPECT_TRUE(fresh.findChild<QRadioButton*>("RBtnChina")->isChecked());
    EXPECT_EQ(Results(), Shown("0元", "0元", "0元", "0元", "0%", "0元", "", ""));
    EXPECT_TRUE(Find<QPushButton>("BtnAntiTax")->isHidden());
    EXPECT_TRUE(Find<QPushButton>("BtnAntiIncomeAfterTax")->isHidden());
    EXPECT_EQ(Edit("TxtQQ")->text().size(), 9);
    EXPECT_TRUE(Edit("TxtQQ")->isReadOnly());
}

TEST_F(FrmSalary, CalculatesAndShowsTheBreakdown)
{
    struct Case
    {
        QString income, golds;
        bool foreign;
        Fields shown;
    };
    const Case cases[] = {
        {"8000", "1000", false,
         Shown("8000元", "1000元", "3500元", "3500元", "10%", "105元", "245", "6755")},
        {"5000", "", false, Shown("5000元", "0元", "3500元", "1500元", "3%", "0元", "45", "4955")},
        {"5000", "   ", false,
         Shown("5000元", "0元", "3500元", "1500元", "3%", "0元", "45", "4955")},
        {"5000.125", "", false,
         Shown("5000.13元", "0元", "3500元", "1500.13元", "10%", "105元", "45.013", "4955.117")},
        {"10000", "1000", true,
         Shown("10000元", "1000元", "4800元", "4200元", "10%", "105元", "315", "8685")},
        {"5428.39", "", false,
         Shown("5428.39元", "0元", "3500元", "1928.39元", "10%", "105元", "87.839", "5340.551")},
        {"4734.25", "1224.09", false,
         Shown("4734.25元", "1224.09元", "3500元", "10.1600000000001元", "3%", "0元",
               "0.304800000000002", "3509.8552")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.income.toStdString() + " / " + c.golds.toStdString());
        Calculate(c.income, c.golds, c.foreign);
        EXPECT_EQ(Results(), c.shown);
        EXPECT_EQ(Text("TxtMsgSalary"), "");
        EXPECT_EQ(Text("TxtMsgGolds"), "");
        EXPECT_EQ(Edit("TxtIncome")->text(), c.income); // the typed text stays
        EXPECT_EQ(page.focusWidget(), Edit("TxtIncome"));
        EXPECT_EQ(Edit("TxtIncome")->selectedText(), c.income);
    }
}

TEST_F(FrmSalary, RefusedEntriesLeaveTheResultsOnView)
{
    struct Case
    {
        QString income, golds;
        bool foreign;
        const char *label, *box, *message;
    };
    const Case cases[] = {
        {"", "", false, "TxtMsgSalary", "TxtIncome", "税前收入金额数据无效，请重新输入。"},
        {"abc", "1000", false, "TxtMsgSalary", "TxtIncome", "税前收入金额数据无效，请重新输入。"},
        {"1e400", "", false, "TxtMsgSalary", "TxtIncome", "税前收入金额数据无效，请重新输入。"},
        {"3500", "", false, "TxtMsgSalary", "TxtIncome",
         "税前收入金额小于或等于3500元，不必纳税。"},
        {"3500.004", "", false, "TxtMsgSalary", "TxtIncome",
         "税前收入金额小于或等于3500元，不必纳税。"},
        {"3000", "letters", false, "TxtMsgSalary", "TxtIncome",
         "税前收入金额小于或等于3500元，不必纳税。"},
        {"5000", "abc", false, "TxtMsgGolds", "TxtGolds", "社保及公积金数据无效，请重新输入。"},
        {"5000", "1e400", false, "TxtMsgGolds", "TxtGolds", "社保及公积金数据无效，请重新输入。"},
        {"5000", "6000", false, "TxtMsgGolds", "TxtGolds",
         "社保及公积金不能比收入金额大，请重新输入。"},
        {"5000", "-100", false, "TxtMsgGolds", "TxtGolds", "社保及公积金不能小于0元，请重新输入。"},
        {"5000", "5000", false, "TxtMsgSalary", "TxtIncome",
         "应纳税所得额小于或等于起征点，不必纳税。"},
        {"4000", "500", false, "TxtMsgSalary", "TxtIncome",
         "应纳税所得额小于或等于起征点，不必纳税。"},
        {"4500", "", true, "TxtMsgSalary", "TxtIncome", "应纳税所得额小于或等于起征点，不必纳税。"},
    };
    Calculate("8000", "1000");
    const Fields before = Results();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.income.toStdString() + " / " + c.golds.toStdString());
        Calculate(c.income, c.golds, c.foreign);
        const char* other =
            QLatin1String(c.label) == "TxtMsgSalary" ? "TxtMsgGolds" : "TxtMsgSalary";
        EXPECT_EQ(Text(c.label), c.message);
        EXPECT_EQ(Text(other), "");
        EXPECT_EQ(page.focusWidget(), Edit(c.box));
        EXPECT_EQ(Edit(c.box)->selectedText(), Edit(c.box)->text());
        EXPECT_EQ(Results(), before);
    }
}

TEST_F(FrmSalary, EnterReleasedInAnInputBoxCalculates)
{
    struct Case
    {
        const char* box;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool calculates;
    };
    const Case cases[] = {
        {"TxtIncome", Qt::Key_Return, Qt::NoModifier, true},
        {"TxtGolds", Qt::Key_Return, Qt::NoModifier, true},
        {"TxtIncome", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"TxtGolds", Qt::Key_Return, Qt::ShiftModifier, true},
        {"TxtIncome", Qt::Key_Return, Qt::ControlModifier, true},
        {"TxtIncome", Qt::Key_Return, Qt::AltModifier, true},
        {"TxtIncome", Qt::Key_Space, Qt::NoModifier, false},
        {"TxtGolds", Qt::Key_Escape, Qt::NoModifier, false},
        {"TxtTax", Qt::Key_Return, Qt::NoModifier, false},
        {"TxtIncomeAfterTax", Qt::Key_Return, Qt::NoModifier, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        QTest::mouseClick(Find<QPushButton>("BtnReset"), Qt::LeftButton);
        Edit("TxtIncome")->setText("8000");
        Edit("TxtGolds")->setText("1000");
        Edit(c.box)->setFocus();
        QTest::keyClick(Edit(c.box), c.key, c.modifiers);
        EXPECT_EQ(Edit("TxtTax")->text(), c.calculates ? "245" : "");
    }
}

// The release of an Enter pressed elsewhere (closing a message box, choosing a
// menu entry) must not calculate.
TEST_F(FrmSalary, ReleaseWithoutPressInTheBoxDoesNothing)
{
    Edit("TxtIncome")->setText("8000");
    Edit("TxtIncome")->setFocus();
    QTest::keyRelease(Edit("TxtIncome"), Qt::Key_Return);
    EXPECT_EQ(Edit("TxtTax")->text(), "");
    QTest::keyPress(Edit("TxtIncome"), Qt::Key_Return);
    QTest::keyRelease(Edit("TxtIncome"), Qt::Key_Return);
    EXPECT_EQ(Edit("TxtTax")->text(), "345");
}

TEST_F(FrmSalary, InputBoxesTakeTenCharactersResultBoxesAny)
{
    Type("TxtIncome", "12345678901");
    EXPECT_EQ(Edit("TxtIncome")->text(), "1234567890");
    Type("TxtGolds", "12345678901");
    EXPECT_EQ(Edit("TxtGolds")->text(), "1234567890");
    const QString longText(200, QChar('9'));
    Type("TxtTax", longText);
    EXPECT_EQ(Edit("TxtTax")->text(), longText);
}

TEST_F(FrmSalary, ResetBringsBackTheInitialValues)
{
    Calculate("10000", "1000", true);
    Calculate("abc", "", true);
    Click("BtnReset");
    EXPECT_EQ(Results(), Shown("0元", "0元", "0元", "0元", "0%", "0元", "", ""));
    EXPECT_EQ(Text("TxtMsgSalary"), "");
    EXPECT_EQ(Text("TxtMsgGolds"), "");
    EXPECT_EQ(Edit("TxtIncome")->text(), "");
    EXPECT_EQ(Edit("TxtGolds")->text(), "");
    EXPECT_TRUE(Find<QRadioButton>("RBtnChina")->isChecked());
    EXPECT_EQ(page.focusWidget(), Edit("TxtIncome"));
}

TEST_F(FrmSalary, CopyButtonsCopyTheBoxesAsTheyStand)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("before");
    Click("BtnCopyTax");
    EXPECT_EQ(clipboard->text(), "");

    Calculate("8000", "1000");
    Click("BtnCopyTax");
    EXPECT_EQ(clipboard->text(), "245");
    Click("BtnCopyIncome");
    EXPECT_EQ(clipboard->text(), "6755");
    Edit("TxtIncomeAfterTax")->setText(" typed 元"); // what a user may type or paste
    Click("BtnCopyIncome");
    EXPECT_EQ(clipboard->text(), " typed 元");
    Click("BtnCopyQQ");
    EXPECT_EQ(clipboard->text(), Edit("TxtQQ")->text());
}

TEST_F(FrmSalary, ChatPicturesOpenTheChats)
{
    TRecordingShell shell;
    QTest::mouseClick(Find<QWidget>("ImgOnlineQQ"), Qt::LeftButton);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_NE(shell.requests[0].File->find("/msgrd?v=3&uin="), std::string::npos);
    // The second support box lies outside the page; its pictures still answer.
    for (const char* name : {"ImgQQ", "ImgWangWang"})
        QMetaObject::invokeMethod(Find<QWidget>(name), "clicked");
    ASSERT_EQ(shell.requests.size(), 3u);
    EXPECT_EQ(shell.requests[1].File, shell.requests[0].File);
    EXPECT_NE(shell.requests[2].File->find("/msg.aw?v=2&uid="), std::string::npos);
}

TEST_F(FrmSalary, ReverseCalculationsShowTheReverseForm)
{
    const Fields road = Shown("8000", "1000", "3500", "3500", "10%", "105", "245", "6755");
    Edit("TxtIncome")->setText("typed");
    Edit("TxtGolds")->setText("1000");
    Edit("TxtTax")->setText("245");
    page.BtnAntiTaxClick();
    EXPECT_EQ(Results(), road);
    EXPECT_EQ(Edit("TxtIncome")->text(), "typed");

    Edit("TxtIncomeAfterTax")->setText("6755");
    Edit("TxtTax")->clear();
    page.BtnAntiIncomeAfterTaxClick();
    EXPECT_EQ(Results(), road);

    QTest::mouseClick(Find<QRadioButton>("RBtnForeign"), Qt::LeftButton);
    Edit("TxtIncomeAfterTax")->setText("8685");
    page.BtnAntiIncomeAfterTaxClick();
    EXPECT_EQ(Results(), Shown("10000", "1000", "4800", "4200", "10%", "105", "315", "8685"));

    // Below the start point there is no level: no tax, the wage comes back.
    QTest::mouseClick(Find<QRadioButton>("RBtnChina"), Qt::LeftButton);
    Edit("TxtGolds")->setText("0");
    Edit("TxtIncomeAfterTax")->setText("3000");
    page.BtnAntiIncomeAfterTaxClick();
    EXPECT_EQ(Results(), Shown("3000", "0", "3500", "-500", "0%", "0", "0", "3000"));
}

// Unreadable text in the reverse calculations goes to the one error box; the
// page stays as it was and shows no message.
TEST_F(FrmSalary, ReverseConversionFailuresReachTheErrorBox)
{
    Calculate("8000", "1000");
    const Fields before = Results();
    struct Case
    {
        const char *tax, *afterTax, *golds;
        bool fromTax;
        const char* message;
    };
    const Case cases[] = {
        {"abc", "", "1000", true, "'abc' 不是有效的金额。"},
        {"245", "", "", true, "'' 不是有效的金额。"}, // a blank box is not 0 here
        {"", "6755", "x", false, "'x' 不是有效的金额。"},
    };
    for (const Case& c : cases) {
        Edit("TxtTax")->setText(c.tax);
        Edit("TxtIncomeAfterTax")->setText(c.afterTax);
        Edit("TxtGolds")->setText(c.golds);
        TErrorCapture errors;
        QMetaObject::invokeMethod(&page,
                                  c.fromTax ? "BtnAntiTaxClick" : "BtnAntiIncomeAfterTaxClick",
                                  Qt::QueuedConnection);
        QCoreApplication::processEvents();
        EXPECT_EQ(errors.messages, QStringList{c.message});
        Fields expected = before;
        expected["TxtTax"] = c.tax;
        expected["TxtIncomeAfterTax"] = c.afterTax;
        EXPECT_EQ(Results(), expected);
        EXPECT_EQ(Text("TxtMsgSalary"), "");
    }
}

TEST_F(FrmSalary, TabOrder)
{
    for (bool foreign : {false, true}) {
        const char* radio = foreign ? "RBtnForeign" : "RBtnChina";
        Find<QRadioButton>(radio)->setChecked(true);
        const char* order[] = {"TxtIncome",     "TxtGolds", radio,        "BtnCalc",
                               "BtnReset",      "TxtTax",   "BtnCopyTax", "TxtIncomeAfterTax",
                               "BtnCopyIncome", "TxtQQ",    "BtnCopyQQ",  "TxtIncome"};
        Edit("TxtIncome")->setFocus();
        for (std::size_t i = 1; i < std::size(order); ++i) {
            QTest::keyClick(page.focusWidget(), Qt::Key_Tab);
            ASSERT_EQ(page.focusWidget()->objectName(), order[i]) << "after " << order[i - 1];
        }
    }
}

TEST_F(FrmSalary, RightColumnFollowsTheRightEdgeAndTheRestStaysOutOfView)
{
    const QWidget* body = Find<QWidget>("Panel5");
    EXPECT_EQ(body->size(), QSize(910, 524));
    EXPECT_EQ(Find<QWidget>("Image4")->geometry(), QRect(510, 20, 367, 268));
    EXPECT_EQ(Find<QWidget>("GroupBox6")->pos(), QPoint(513, 440));
    EXPECT_EQ(Edit("TxtIncome")->pos(), QPoint(30, 40));
    for (const char* name : {"Image1", "Image2", "Image3", "GroupBox1", "GroupBox2", "GroupBox3",
                             "GroupBox4", "GroupBox7"})
        EXPECT_GE(Find<QWidget>(name)->x(), body->width()) << name;
}
