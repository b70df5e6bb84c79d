#include "UFrmMain.h"
#include "UFrmSalary.h"
#include "UFrmYearAward.h"
#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

class FrmMain : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QAction* Action(const char* name) { return window.findChild<QAction*>(name); }
    QWidget* Child(const char* name) { return window.findChild<QWidget*>(name); }

    TFrmMain window;
};

} // namespace

TEST_F(FrmMain, StartsWithTheWagePage)
{
    EXPECT_EQ(window.CurrentFrameName(), "TFrmSalary");
    ASSERT_NE(qobject_cast<TFrmSalary*>(window.CurrentFrame()), nullptr);
    EXPECT_EQ(window.CurrentFrame()->parentWidget(), Child("Panel2"));
    EXPECT_EQ(window.CurrentFrame()->size(), QSize(910, 569));
}

TEST_F(FrmMain, WindowIsFixedAndCannotBeMaximised)
{
    EXPECT_EQ(window.windowTitle(), "Levora个人所得税计算器 V3.01");
    EXPECT_EQ(window.width(), 912);
    EXPECT_EQ(window.height() - window.menuBar()->height(), 677);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(Child("Panel1")->height(), 81);
    EXPECT_EQ(Child("Panel2")->size(), QSize(912, 571));
}

// Each choice shows a fresh page and frees the one before, of either kind, so
// that nothing typed survives and no old control stays reachable.
TEST_F(FrmMain, EveryChoiceShowsAFreshPage)
{
    struct Step
    {
        const char* action;
        const char* pageName;
    };
    const Step steps[] = {
        {"MYearAward", "TFrmYearAward"}, {"ToolButton2", "TFrmYearAward"},
        {"ToolButton1", "TFrmSalary"},   {"MSalary", "TFrmSalary"},
        {"MYearAward", "TFrmYearAward"}, {"MSalary", "TFrmSalary"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        QPointer<QWidget> before = window.CurrentFrame();
        for (QLineEdit* edit : before->findChildren<QLineEdit*>("TxtIncome"))
            edit->setText("8000");
        Action(step.action)->trigger();
        EXPECT_TRUE(before.isNull());
        EXPECT_EQ(window.CurrentFrameName(), step.pageName);
        EXPECT_STREQ(window.CurrentFrame()->metaObject()->className(), step.pageName);
        const auto* income = window.CurrentFrame()->findChild<QLineEdit*>("TxtIncome");
        ASSERT_NE(income, nullptr);
        EXPECT_EQ(income->text(), "");
        EXPECT_EQ(
            Child("Panel2")->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(),
            1);
    }
}

TEST_F(FrmMain, ShowsTwoToolbarButtonsAndOneToolsEntry)
{
    QStringList shown;
    auto* toolBar = window.findChild<QToolBar*>("ToolBar1");
    for (QAction* action : toolBar->actions())
        if (QWidget* button = toolBar->widgetForAction(action); button && button->isVisible())
            shown << action->objectName();
    EXPECT_EQ(shown, QStringList({"ToolButton1", "ToolButton2"}));
    EXPECT_EQ(toolBar->widgetForAction(Action("ToolButton1"))->size(), QSize(85, 21));

    QStringList tools;
    for (QAction* action : window.findChild<QMenu*>("T1")->actions())
        if (action->isVisible())
            tools << action->objectName();
    EXPECT_EQ(tools, QStringList({"NSysCalc"}));

    QStringList menus;
    for (QAction* action : window.menuBar()->actions())
        if (action->isVisible())
            menus << action->menu()->objectName();
    EXPECT_EQ(menus, QStringList({"N1", "N2", "T1", "F1"}));
}

TEST_F(FrmMain, HiddenEntriesCannotBeTriggered)
{
    TRecordingShell shell;
    for (const char* name : {"TBtnExcelTax", "TBtnOpenCalc", "ToolButton8", "TBtnDownload",
                             "TBtnHomePage", "N5", "ToolButton3", "ToolButton4"})
        Action(name)->trigger();
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(FrmMain, BannersAndMenuOpenTheirAddresses)
{
    const std::string site = "http://www.levora-tax.example";
    struct Case
    {
        const char* control;
        std::string url;
    };
    const Case banners[] = {
        {"ImgLogo", site + "/ads/taobao.htm"},
        {"ImgDangDang", site + "/ads/dangdang.htm"},
        {"ImgAmazon", site + "/ads/amazon.htm"},
    };
    for (const Case& c : banners) {
        TRecordingShell shell;
        QTest::mouseClick(Child(c.control), Qt::LeftButton);
        ASSERT_EQ(shell.requests.size(), 1u) << c.control;
        EXPECT_EQ(shell.requests[0].File, "Explorer.exe");
        EXPECT_EQ(shell.requests[0].Parameters, c.url);
        EXPECT_EQ(Child(c.control)->cursor().shape(), Qt::PointingHandCursor);
    }

    TRecordingShell shell;
    for (const char* spacer : {"Image5", "Image11", "Image8", "Image1"})
        QTest::mouseClick(Child(spacer), Qt::LeftButton);
    EXPECT_TRUE(shell.requests.empty());

    Action("MHomePage")->trigger();
    Action("NSysCalc")->trigger();
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[0].Parameters, site);
    EXPECT_EQ(shell.requests[1].File, "calc.exe");
}

TEST_F(FrmMain, ExitEndsTheProgramAtOnce)
{
    QTimer::singleShot(0, Action("MExit"), &QAction::trigger);
    EXPECT_EQ(QCoreApplication::exec(), 0);
}
