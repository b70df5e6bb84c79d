#pragma once

#include <QWidget>

#include <memory>

struct TYearAwardDisplay;

namespace Ui {
class TFrmYearAward;
}

// The year-end bonus page: the bonus, the month's wage and contributions in,
// the bonus tax by the separate method out. It checks no ranges.
class TFrmYearAward : public QWidget
{
    Q_OBJECT

public:
    explicit TFrmYearAward(QWidget* parent = nullptr);
    ~TFrmYearAward() override;

public slots:
    void BtnCalcClick();
    void TxtGoldsKeyUp(QObject* sender, int key, Qt::KeyboardModifiers shift);
    void BtnResetClick();
    void BtnCopyTaxClick();
    void BtnCopyIncomeClick();

private:
    void ClearMessages();
    void ShowValues(const TYearAwardDisplay& shown);

    std::unique_ptr<Ui::TFrmYearAward> ui;
};
