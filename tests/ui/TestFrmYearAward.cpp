#include "UExtended.h"
#include "UFrmMain.h"
#include "UFrmYearAward.h"
#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include <iterator>
#include <map>
#include <ostream>
#include <utility>

// Readable failures for Qt strings.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

using Fields = std::map<std::string, QString>;

// The eight result fields in the order the page lays them out.
Fields Shown(QString ya, QString taxable, QString sp, QString average, QString rate, QString deduct,
             QString tax, QString afterTax)
{
    return {{"TxtYA", ya},     {"TxtTaxableIncome", taxable},
            {"TxtSP", sp},     {"TxtAverage", average},
            {"TxtRate", rate}, {"TxtDeduct", deduct},
            {"TxtTax", tax},   {"TxtIncomeAfterTax", afterTax}};
}

const Fields Initial = Shown("0.00元", "0.00元", "0.00元", "0.00元", "0%", "0.00元", "", "");

const char* const MessageLabels[] = {"TxtMsgYA", "TxtMsgSalary", "TxtMsgGolds"};

// Reads and drives a bonus page through its controls, by name.
class PageDriver
{
public:
    explicit PageDriver(QWidget* page) : page(page) {}

    template <class T> T* Find(const char* name) const
    {
        T* w = page->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
    QString Text(const char* name) const { return Find<QLabel>(name)->text(); }

    // Overwrites a box as a user does: select what is there and type.
    void Type(const char* box, const QString& text) const
    {
        QLineEdit* edit = Edit(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    void Click(const char* name) const
    {
        QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton);
    }

    void Enter(const QString& yearAward, const QString& income, const QString& golds,
               bool foreign = false) const
    {
        Type("TxtYearAward", yearAward);
        Type("TxtIncome", income);
        Type("TxtGolds", golds);
        Click(foreign ? "RBtnForeign" : "RBtnChina");
    }

    Fields Results() const
    {
        Fields r;
        for (const char* name :
             {"TxtYA", "TxtTaxableIncome", "TxtSP", "TxtAverage", "TxtRate", "TxtDeduct"})
            r[name] = Text(name);
        r["TxtTax"] = Edit("TxtTax")->text();
        r["TxtIncomeAfterTax"] = Edit("TxtIncomeAfterTax")->text();
        return r;
    }

    QWidget* page;
};

// The page at the size the main window gives it.
class FrmYearAward : public ::testing::Test, protected PageDriver
{
protected:
    FrmYearAward() : PageDriver(&frame) {}

    void SetUp() override
    {
        frame.resize(910, 569);
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }

    void Calculate(const QString& yearAward, const QString& income, const QString& golds,
                   bool foreign = false)
    {
        Enter(yearAward, income, golds, foreign);
        Click("BtnCalc");
    }

    TFrmYearAward frame;
};

} // namespace

TEST_F(FrmYearAward, InitialState)
{
    TFrmYearAward fresh;
    const PageDriver look(&fresh);
    EXPECT_EQ(fresh.focusWidget(), nullptr);
    EXPECT_EQ(look.Results(), Initial);
    for (const char* label : MessageLabels)
        EXPECT_EQ(look.Text(label), "     ") << label;
    for (const char* box : {"TxtYearAward", "TxtIncome", "TxtGolds"})
        EXPECT_EQ(look.Edit(box)->text(), "") << box;
    EXPECT_TRUE(look.Find<QRadioButton>("RBtnChina")->isChecked());
    EXPECT_FALSE(look.Find<QRadioButton>("RBtnForeign")->isChecked());
}

TEST_F(FrmYearAward, CalculatesAndShowsTheResult)
{
    struct Case
    {
        QString yearAward, income, golds;
        bool foreign;
        Fields shown;
    };
    const Case cases[] = {
        {"24000", "8000", "1000", false,
         Shown("24000元", "24000元", "3500元", "2000.00元", "10%", "105元", "2295", "21705")},
        // The month's shortfall comes off the bonus.
        {"12000", "3000", "200", false,
         Shown("12000元", "11300元", "3500元", "941.67元", "3%", "0元", "339", "11661")},
        {"60000", "4000", "", true,
         Shown("60000元", "59200元", "4800元", "4933.33元", "20%", "555元", "11285", "48715")},
        // Exactly at the start point nothing is taken.
        {"12000", "4000", "500", false,
         Shown("12000元", "12000元", "3500元", "1000.00元", "3%", "0元", "360", "11640")},
        {"24000", "4800", "", true,
         Shown("24000元", "24000元", "4800元", "2000.00元", "10%", "105元", "2295", "21705")},
        {"24000", "3000", "4000", false,
         Shown("24000元", "19500元", "3500元", "1625.00元", "10%", "105元", "1845", "22155")},
        // The level follows the unrounded average.
        {"18000", "5000", "", false,
         Shown("18000元", "18000元", "3500元", "1500.00元", "3%", "0元", "540", "17460")},
        {"18000.01", "5000", "", false,
         Shown("18000.01元", "18000.01元", "3500元", "1500.00元", "10%", "105元", "1695.001",
               "16305.009")},
        {"5000.125", "8000", "   ", false,
         Shown("5000.13元", "5000.13元", "3500元", "416.68元", "3%", "0元", "150.0039",
               "4850.1261")},
        // No level: the bonus absorbed by the shortfall, zero or negative.
        {"500", "3000", "", false,
         Shown("500元", "0元", "3500元", "0.00元", "0%", "0元", "0", "500")},
        {"0", "8000", "", false, Shown("0元", "0元", "3500元", "0.00元", "0%", "0元", "0", "0")},
        {"-100", "8000", "", false,
         Shown("-100元", "-100元", "3500元", "-8.33元", "0%", "0元", "0", "-100")},
        {"500", "-1000", "-200", false,
         Shown("500元", "-3800元", "3500元", "-316.67元", "0%", "0元", "0", "500")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.yearAward + " / " + c.income + " / " + c.golds).toStdString());
        Calculate(c.yearAward, c.income, c.golds, c.foreign);
        EXPECT_EQ(Results(), c.shown);
        for (const char* label : MessageLabels)
            EXPECT_EQ(Text(label), "") << label;
        EXPECT_EQ(Edit("TxtYearAward")->text(), c.yearAward); // the typed text stays
        EXPECT_EQ(Edit("TxtGolds")->text(), c.golds);
        EXPECT_EQ(frame.focusWidget(), Edit("TxtYearAward"));
        EXPECT_EQ(Edit("TxtYearAward")->selectedText(), c.yearAward);
    }
}

TEST_F(FrmYearAward, RefusedEntriesLeaveTheResultsOnView)
{
    struct Case
    {
        QString yearAward, income, golds;
        const char *label, *box, *message;
    };
    const char* bonus = "年终奖金收入金额数据无效，请重新输入。";
    const char* wage = "当月工资收入金额数据无效，请重新输入。";
    const char* golds = "社保及公积金数据无效，请重新输入。";
    const Case cases[] = {
        {"", "letters", "", "TxtMsgYA", "TxtYearAward", bonus}, // the wage is not read
        {"abc", "8000", "", "TxtMsgYA", "TxtYearAward", bonus},
        {"1,000", "8000", "", "TxtMsgYA", "TxtYearAward", bonus},
        {"1e400", "8000", "", "TxtMsgYA", "TxtYearAward", bonus},
        {"24000", "", "", "TxtMsgSalary", "TxtIncome", wage},
        {"24000", "   ", "abc", "TxtMsgSalary", "TxtIncome", wage},
        {"24000", "1e400", "", "TxtMsgSalary", "TxtIncome", wage},
        {"24000", "8000", "abc", "TxtMsgGolds", "TxtGolds", golds},
        {"24000", "8000", "1e400", "TxtMsgGolds", "TxtGolds", golds},
        {"24000", "8000", " 1 000", "TxtMsgGolds", "TxtGolds", golds},
    };
    Calculate("24000", "8000", "1000");
    const Fields before = Results();
    for (const Case& c : cases) {
        SCOPED_TRACE((c.yearAward + " / " + c.income + " / " + c.golds).toStdString());
        // The other kind of person changes nothing on the page either.
        Calculate(c.yearAward, c.income, c.golds, true);
        for (const char* label : MessageLabels)
            EXPECT_EQ(Text(label), label == std::string(c.label) ? c.message : "") << label;
        EXPECT_EQ(frame.focusWidget(), Edit(c.box));
        EXPECT_EQ(Edit(c.box)->selectedText(), Edit(c.box)->text());
        EXPECT_EQ(Results(), before);
    }
    Calculate("24000", "8000", "1000");
    for (const char* label : MessageLabels)
        EXPECT_EQ(Text(label), "") << label;
}

TEST_F(FrmYearAward, EnterReleasedInAnInputBoxCalculates)
{
    struct Case
    {
        const char* box;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool calculates;
    };
    const Case cases[] = {
        {"TxtYearAward", Qt::Key_Return, Qt::NoModifier, true},
        {"TxtIncome", Qt::Key_Return, Qt::NoModifier, true},
        {"TxtGolds", Qt::Key_Return, Qt::NoModifier, true},
        {"TxtGolds", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"TxtIncome", Qt::Key_Return, Qt::ShiftModifier, true},
        {"TxtYearAward", Qt::Key_Return, Qt::ControlModifier, true},
        {"TxtYearAward", Qt::Key_Space, Qt::NoModifier, false},
        {"TxtGolds", Qt::Key_Tab, Qt::NoModifier, false},
        {"TxtTax", Qt::Key_Return, Qt::NoModifier, false},
        {"TxtIncomeAfterTax", Qt::Key_Return, Qt::NoModifier, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        Click("BtnReset");
        Edit("TxtYearAward")->setText("24000");
        Edit("TxtIncome")->setText("8000");
        Edit("TxtGolds")->setText("1000");
        Edit(c.box)->setFocus();
        QTest::keyClick(Edit(c.box), c.key, c.modifiers);
        EXPECT_EQ(Edit("TxtTax")->text(), c.calculates ? "2295" : "");
    }
}

TEST_F(FrmYearAward, InputBoxesTakeTenCharactersResultBoxesAny)
{
    for (const char* box : {"TxtYearAward", "TxtIncome", "TxtGolds"}) {
        Type(box, "12345678901");
        EXPECT_EQ(Edit(box)->text(), "1234567890") << box;
    }
    const QString longText(200, QChar('9'));
    for (const char* box : {"TxtTax", "TxtIncomeAfterTax"}) {
        Type(box, longText);
        EXPECT_EQ(Edit(box)->text(), longText) << box;
    }
}

TEST_F(FrmYearAward, PersonKindTakesEffectOnlyAtTheNextCalculation)
{
    Calculate("60000", "4000", "");
    const Fields resident = Results();
    EXPECT_EQ(resident.at("TxtSP"), "3500元");
    Click("RBtnForeign");
    EXPECT_EQ(Results(), resident);
    Click("BtnCalc");
    EXPECT_EQ(Results(),
              Shown("60000元", "59200元", "4800元", "4933.33元", "20%", "555元", "11285", "48715"));
}

TEST_F(FrmYearAward, ResetBringsBackTheInitialValues)
{
    Calculate("60000", "4000", "300", true);
    Calculate("60000", "4000", "abc", true);
    Click("BtnReset");
    EXPECT_EQ(Results(), Initial);
    for (const char* label : MessageLabels)
        EXPECT_EQ(Text(label), "") << label;
    for (const char* box : {"TxtYearAward", "TxtIncome", "TxtGolds"})
        EXPECT_EQ(Edit(box)->text(), "") << box;
    EXPECT_TRUE(Find<QRadioButton>("RBtnChina")->isChecked());
    EXPECT_EQ(frame.focusWidget(), Edit("TxtYearAward"));
}

TEST_F(FrmYearAward, CopyButtonsCopyTheBoxesAsTheyStand)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("before");
    Click("BtnCopyIncome");
    EXPECT_EQ(clipboard->text(), "");

    Calculate("24000", "8000", "1000");
    Click("BtnCopyTax");
    EXPECT_EQ(clipboard->text(), "2295");
    Click("BtnCopyIncome");
    EXPECT_EQ(clipboard->text(), "21705");
    Edit("TxtTax")->setText(" typed 元");
    Click("BtnCopyTax");
    EXPECT_EQ(clipboard->text(), " typed 元");

    Click("BtnReset");
    Click("BtnCopyTax");
    EXPECT_EQ(clipboard->text(), "");
}

// An overflow in the calculator is not the page's to catch: it reaches the
// application's one error box, after the messages were cleared and before any
// result field changed.
TEST_F(FrmYearAward, OverflowReachesTheErrorBoxWithTheResultsUnchanged)
{
    Calculate("24000", "8000", "1000");
    const Fields before = Results();
    Calculate("24000", "abc", "");
    ASSERT_NE(Text("TxtMsgSalary"), "");

    Enter("-1.7e308", "-1.7e308", "1.7e308");
    EXPECT_THROW(frame.BtnCalcClick(), EAmountOverflow);
    EXPECT_EQ(Results(), before);
    EXPECT_EQ(Text("TxtMsgSalary"), "");

    for (const bool byEnter : {false, true}) {
        SCOPED_TRACE(byEnter ? "Enter" : "click");
        TErrorCapture errors;
        if (byEnter)
            QTest::keyClick(Edit("TxtGolds"), Qt::Key_Return);
        else
            Click("BtnCalc");
        EXPECT_EQ(errors.messages, QStringList{QString::fromUtf8(EAmountOverflow().what())});
        EXPECT_EQ(Results(), before);
        for (const char* label : MessageLabels)
            EXPECT_EQ(Text(label), "") << label;
    }
}

TEST_F(FrmYearAward, TabOrder)
{
    for (bool foreign : {false, true}) {
        const char* radio = foreign ? "RBtnForeign" : "RBtnChina";
        Find<QRadioButton>(radio)->setChecked(true);
        const char* order[] = {"TxtYearAward",      "TxtIncome",     "TxtGolds",    radio,
                               "BtnCalc",           "BtnReset",      "TxtTax",      "BtnCopyTax",
                               "TxtIncomeAfterTax", "BtnCopyIncome", "TxtYearAward"};
        Edit("TxtYearAward")->setFocus();
        for (std::size_t i = 1; i < std::size(order); ++i) {
            QTest::keyClick(frame.focusWidget(), Qt::Key_Tab);
            ASSERT_EQ(frame.focusWidget()->objectName(), order[i]) << "after " << order[i - 1];
        }
    }
}

TEST_F(FrmYearAward, CaptionsEndWhereTheirValuesBeginAndValuesGrowToTheRight)
{
    Calculate("960000.12", "-1000000", "99999.99");
    const std::pair<const char*, const char*> rows[] = {
        {"lblIncomeNew", "TxtYA"}, {"lblTaxableIncomeNew", "TxtTaxableIncome"},
        {"StaticText8", "TxtSP"},  {"StaticText6", "TxtAverage"},
        {"lblRateNew", "TxtRate"}, {"lblDeductNew", "TxtDeduct"},
        {"lblTaxNew", "TxtTax"},   {"lblIncomeAfterTaxNew", "TxtIncomeAfterTax"},
    };
    for (const auto& [caption, value] : rows) {
        const QWidget* v = Find<QWidget>(value);
        const QLabel* c = Find<QLabel>(caption);
        EXPECT_EQ(c->geometry().right() + 1, v->x()) << caption;
        EXPECT_GE(c->width(), c->sizeHint().width()) << caption;
        if (auto* label = qobject_cast<const QLabel*>(v)) {
            EXPECT_EQ(label->x(), 123) << value;
            EXPECT_GE(label->width(), label->sizeHint().width()) << value;
        }
    }
    Calculate("", "", "");
    const QLabel* message = Find<QLabel>("TxtMsgYA");
    EXPECT_EQ(message->pos(), QPoint(237, 43));
    EXPECT_GE(message->width(), message->sizeHint().width());
    EXPECT_LT(message->geometry().right(), Find<QWidget>("Image1")->x());
}

// Designed 30 pixels wider than the host gives it: the right column keeps its
// distance from the right edge, the rest from the left.
TEST_F(FrmYearAward, RightColumnFollowsTheRightEdgeAndTheRestStaysOutOfView)
{
    const QWidget* body = Find<QWidget>("Panel5");
    EXPECT_EQ(body->size(), QSize(910, 524));
    EXPECT_EQ(body->y(), 25);
    EXPECT_EQ(Find<QWidget>("Panel1")->height(), 25);
    EXPECT_EQ(Find<QWidget>("StatusBar2")->height(), 20);
    EXPECT_EQ(Edit("TxtYearAward")->geometry(), QRect(30, 40, 198, 28));
    EXPECT_EQ(Find<QWidget>("BtnCopyIncome")->geometry(), QRect(256, 481, 75, 25));

    const QLabel* rateTable = Find<QLabel>("Image1");
    EXPECT_EQ(rateTable->geometry(), QRect(509, 20, 367, 268));
    EXPECT_EQ(rateTable->pixmap().size(), QSize(367, 268));
    EXPECT_EQ(Find<QWidget>("GroupBox1")->geometry(), QRect(512, 304, 364, 190));
    const QLabel* method = Find<QLabel>("Image3");
    EXPECT_EQ(method->parentWidget(), Find<QWidget>("GroupBox1"));
    EXPECT_EQ(method->geometry(), QRect(2, 15, 360, 173));
    EXPECT_EQ(method->pixmap().size(), QSize(333, 158));
    EXPECT_FALSE(method->hasScaledContents());
    EXPECT_EQ(method->alignment(), Qt::Alignment(Qt::AlignCenter));

    EXPECT_EQ(Find<QGroupBox>("GroupBox2")->title(), "计算公式：");
    for (const char* name : {"Image2", "GroupBox2"})
        EXPECT_GE(Find<QWidget>(name)->x(), body->width()) << name;
}

// The page as the user reaches it: through the toolbar or the menu, fresh each time.
TEST(FrmYearAwardInTheMainWindow, ShownFreshFromTheToolbarAndTheMenu)
{
    TFrmMain window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* toolBar = window.findChild<QToolBar*>("ToolBar1");
    ASSERT_NE(toolBar, nullptr);
    QWidget* toolButton = toolBar->widgetForAction(window.findChild<QAction*>("ToolButton2"));
    ASSERT_NE(toolButton, nullptr);

    QTest::mouseClick(toolButton, Qt::LeftButton);
    ASSERT_NE(qobject_cast<TFrmYearAward*>(window.CurrentFrame()), nullptr);
    EXPECT_EQ(window.CurrentFrameName(), "TFrmYearAward");
    QPointer<QWidget> first = window.CurrentFrame();
    const PageDriver page(first);
    EXPECT_EQ(first->size(), QSize(910, 569));
    EXPECT_EQ(page.Find<QWidget>("Image1")->x(), 509);
    EXPECT_EQ(page.Results(), Initial);

    page.Enter("12000", "3000", "200");
    QTest::keyClick(page.Edit("TxtGolds"), Qt::Key_Return);
    EXPECT_EQ(page.Results(),
              Shown("12000元", "11300元", "3500元", "941.67元", "3%", "0元", "339", "11661"));

    window.findChild<QAction*>("MSalary")->trigger();
    EXPECT_TRUE(first.isNull());
    window.findChild<QAction*>("MYearAward")->trigger();
    ASSERT_NE(qobject_cast<TFrmYearAward*>(window.CurrentFrame()), nullptr);
    const PageDriver again(window.CurrentFrame());
    EXPECT_EQ(again.Results(), Initial);
    EXPECT_EQ(again.Edit("TxtYearAward")->text(), "");
    EXPECT_EQ(again.Text("TxtMsgYA"), "     ");
}
