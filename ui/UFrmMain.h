#pragma once

// The desktop shell: the main window (TFrmMain) hosting one calculator page at a
// time (TFrmSalary, TFrmYearAward), the desktop actions (TUtils) over a small
// platform layer standing in for the Windows shell (TShell), and the application
// object that shows errors escaping an event handler in one error box.
// Each window and page has its layout in a Qt Designer .ui file; every control's
// objectName is its name in the layout tables, and handlers carry the names
// Control + Event.

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>

namespace Ui {
class TFrmMain;
}

class TFrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFrmMain(QWidget* parent = nullptr);
    ~TFrmMain() override;

    // The class name of the page shown, and the page itself.
    const QString& CurrentFrameName() const { return currentFrameName; }
    QWidget* CurrentFrame() const { return currentFrame; }

public slots:
    void FormCreate();
    void ToolButton1Click();
    void ToolButton2Click();
    void TBtnExcelTaxClick();
    void TBtnOpenCalcClick();
    void ToolButton8Click();
    void TBtnDownloadClick();
    void TBtnHomePageClick();
    void MExitClick();
    void MSalaryClick();
    void MYearAwardClick();
    void NSysCalcClick();
    void MHomePageClick();
    void ImgLogoClick();
    void ImgDangDangClick();
    void ImgAmazonClick();

private:
    template <class TPage> void ShowFrame();

    std::unique_ptr<Ui::TFrmMain> ui;
    QString currentFrameName;
    QPointer<QWidget> currentFrame;
};
