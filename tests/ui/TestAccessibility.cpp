// What a screen reader learns from the pages and the main window, read through
// QAccessible as an assistive technology reads it, and the keyboard-only way
// through the window.

#include "UFrmMain.h"
#include "UFrmSalary.h"
#include "UFrmYearAward.h"
#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<QWidget> MakePage(bool yearAward)
{
    std::unique_ptr<QWidget> page;
    if (yearAward)
        page = std::make_unique<TFrmYearAward>();
    else
        page = std::make_unique<TFrmSalary>();
    page->resize(910, 569);
    return page;
}

QString Announced(QWidget* w, QAccessible::Text what)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(what) : QStringLiteral("(no interface)");
}

} // namespace

// Each box is announced by the caption beside it, which is also reported as its
// label; the copy buttons say what they copy.
TEST(Accessibility, BoxesAreNamedAfterTheirCaptions)
{
    struct Case
    {
        bool yearAward;
        const char* control;
        const char* caption; // nullptr: a name of its own
        const char* name;
    };
    const Case cases[] = {
        {false, "TxtIncome", "StaticText20", "税前收入金额"},
        {false, "TxtGolds", "StaticText5", "社保及公积金"},
        {false, "TxtTax", "lblTaxNew", "应纳税额"},
        {false, "TxtIncomeAfterTax", "lblIncomeAfterTaxNew", "税后收入"},
        {false, "BtnCopyTax", nullptr, "复制应纳税额"},
        {false, "BtnCopyIncome", nullptr, "复制税后收入"},
        {false, "TxtQQ", nullptr, "客服QQ号码"},
        {false, "BtnCopyQQ", nullptr, "复制客服QQ号码"},
        {true, "TxtYearAward", "StaticText20", "年终奖金"},
        {true, "TxtIncome", "StaticText5", "当月工资"},
        {true, "TxtGolds", "StaticText7", "当月社保及公积金"},
        {true, "TxtTax", "lblTaxNew", "应纳税额"},
        {true, "TxtIncomeAfterTax", "lblIncomeAfterTaxNew", "税后收入"},
        {true, "BtnCopyTax", nullptr, "复制应纳税额"},
        {true, "BtnCopyIncome", nullptr, "复制税后收入"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.yearAward ? "year award: " : "salary: ") + c.control);
        const auto page = MakePage(c.yearAward);
        auto* control = page->findChild<QWidget*>(c.control);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Announced(control, QAccessible::Name), QString::fromUtf8(c.name));
        if (!c.caption)
            continue;
        auto* caption = page->findChild<QLabel*>(c.caption);
        ASSERT_NE(caption, nullptr);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
        bool labelled = false;
        for (const auto& [other, relation] : iface->relations(QAccessible::Label))
            labelled = labelled || other->object() == caption;
        EXPECT_TRUE(labelled) << "caption not reported as the label";
    }
}

// A refused entry's message is read out with the box that receives the focus,
// as its description, and the label itself carries it as its name; the next
// good calculation takes both back.
TEST(Accessibility, MessagesDescribeTheBoxThatTakesTheFocus)
{
    struct Case
    {
        bool yearAward;
        std::vector<std::pair<const char*, const char*>> typed;
        const char* label;
        const char* box;
        const char* message;
    };
    const Case cases[] = {
        {false,
         {{"TxtIncome", "abc"}},
         "TxtMsgSalary",
         "TxtIncome",
         "税前收入金额数据无效，请重新输入。"},
        {false,
         {{"TxtIncome", "5000"}, {"TxtGolds", "-100"}},
         "TxtMsgGolds",
         "TxtGolds",
         "社保及公积金不能小于0元，请重新输入。"},
        {false,
         {{"TxtIncome", "4000"}, {"TxtGolds", "500"}},
         "TxtMsgSalary",
         "TxtIncome",
         "应纳税所得额小于或等于起征点，不必纳税。"},
        {true, {}, "TxtMsgYA", "TxtYearAward", "年终奖金收入金额数据无效，请重新输入。"},
        {true,
         {{"TxtYearAward", "24000"}, {"TxtIncome", "x"}},
         "TxtMsgSalary",
         "TxtIncome",
         "当月工资收入金额数据无效，请重新输入。"},
        {true,
         {{"TxtYearAward", "24000"}, {"TxtIncome", "8000"}, {"TxtGolds", "1e400"}},
         "TxtMsgGolds",
         "TxtGolds",
         "社保及公积金数据无效，请重新输入。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const auto page = MakePage(c.yearAward);
        page->show();
        page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
        for (const auto& [box, text] : c.typed)
            page->findChild<QLineEdit*>(box)->setText(QString::fromUtf8(text));
        auto* label = page->findChild<QLabel*>(c.label);
        auto* box = page->findChild<QLineEdit*>(c.box);
        ASSERT_NE(label, nullptr);
        ASSERT_NE(box, nullptr);
        const QString message = QString::fromUtf8(c.message);

        QTest::mouseClick(page->findChild<QPushButton*>("BtnCalc"), Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), box);
        EXPECT_EQ(Announced(box, QAccessible::Description), message);
        EXPECT_EQ(Announced(label, QAccessible::Name), message);

        if (c.yearAward)
            page->findChild<QLineEdit*>("TxtYearAward")->setText("24000");
        page->findChild<QLineEdit*>("TxtIncome")->setText("8000");
        page->findChild<QLineEdit*>("TxtGolds")->setText("1000");
        QTest::mouseClick(page->findChild<QPushButton*>("BtnCalc"), Qt::LeftButton);
        EXPECT_EQ(Announced(box, QAccessible::Description), "");
        EXPECT_EQ(Announced(label, QAccessible::Name), "");
    }
}

// Without a mouse: the menus open by their access keys and switch the pages,
// and the keyboard then reaches the boxes and calculates.
TEST(Accessibility, WindowWorksByKeyboardAlone)
{
    TFrmMain window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QStringList keys;
    for (QAction* menu : window.menuBar()->actions())
        if (menu->isVisible())
            keys << QKeySequence::mnemonic(menu->text()).toString();
    EXPECT_EQ(keys, (QStringList{"Alt+F", "Alt+C", "Alt+T", "Alt+H"}));

    const auto choose = [&window](int entry) {
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), "计算器(&C)");
        for (int i = 0; i < entry; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    };

    choose(1);
    EXPECT_EQ(window.CurrentFrameName(), "TFrmYearAward");
    QWidget* page = window.CurrentFrame();
    ASSERT_NE(page, nullptr);
    const auto typeHere = [](const char* expectedBox, const QString& text) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->objectName(), expectedBox);
        QTest::keyClicks(focus, text);
    };
    QTest::keyClick(&window, Qt::Key_Tab);
    typeHere("TxtYearAward", "24000");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    typeHere("TxtIncome", "8000");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(page->findChild<QLineEdit*>("TxtTax")->text(), "2295");

    choose(0);
    EXPECT_EQ(window.CurrentFrameName(), "TFrmSalary");
    QTest::keyClick(&window, Qt::Key_Tab);
    typeHere("TxtIncome", "8000");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window.CurrentFrame()->findChild<QLineEdit*>("TxtTax")->text(), "345");
}
