#pragma once

#include <QWidget>

#include <memory>

class TTaxInfo;
struct TSalaryDisplay;

namespace Ui {
class TFrmSalary;
}

// The wage tax page: one month's wage and contributions in, the whole breakdown
// out. The two reverse calculations are kept on hidden buttons.
class TFrmSalary : public QWidget
{
    Q_OBJECT

public:
    explicit TFrmSalary(QWidget* parent = nullptr);
    ~TFrmSalary() override;

    // Writes a record in the reverse form: no units but the rate's.
    void ShowTaxInfo(const TTaxInfo& info);

public slots:
    void BtnCalcClick();
    void TxtIncomeKeyUp(QObject* sender, int key, Qt::KeyboardModifiers shift);
    void BtnResetClick();
    void BtnAntiTaxClick();
    void BtnAntiIncomeAfterTaxClick();
    void BtnCopyTaxClick();
    void BtnCopyIncomeClick();
    void BtnCopyQQClick();
    void ImgOnlineQQClick();
    void ImgQQClick();
    void ImgWangWangClick();

private:
    void ShowValues(const TSalaryDisplay& shown);

    std::unique_ptr<Ui::TFrmSalary> ui;
};
