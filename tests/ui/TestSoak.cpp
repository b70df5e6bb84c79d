// Thousands of random key sequences typed into the main window's two pages, with
// page switches between them. Whenever a key calculates, what the page shows is
// checked against what the engine gives for the texts the boxes held: the
// breakdown, the refusal with its message, or the one error box of an overflow.

#include "UDisplayForms.h"
#include "UEntryChecks.h"
#include "UExtended.h"
#include "UFrmMain.h"
#include "USalaryTaxManager.h"
#include "UYearAwardManager.h"
#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTest>

#include <iostream>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

// Failures show the texts, not their UTF-16 code units.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// What a calculation must leave on the page: the breakdown, a refusal's
// message in its label, or the overflow's error box.
struct TExpected
{
    enum TKind
    {
        Shown,
        Refused,
        Overflow
    };

    static TExpected Breakdown(TControlTexts controls)
    {
        return {Shown, std::move(controls), {}, {}};
    }
    static TExpected Refusal(const TEntryFailure& f) { return {Refused, {}, f.Label, f.Message}; }

    TKind Kind;
    TControlTexts Controls;
    std::string Label, Message;
};

std::string BoxText(QWidget* page, const char* name)
{
    return page->findChild<QLineEdit*>(name)->text().toStdString();
}

std::string Separator()
{
    return QLocale().decimalPoint().toStdString();
}

TExpected FromEngine(QWidget* page, bool yearAward)
{
    const bool foreign = page->findChild<QRadioButton*>("RBtnForeign")->isChecked();
    try {
        if (yearAward) {
            const auto entry =
                ReadYearAwardEntry(BoxText(page, "TxtYearAward"), BoxText(page, "TxtIncome"),
                                   BoxText(page, "TxtGolds"), Separator());
            if (const auto* f = std::get_if<TEntryFailure>(&entry))
                return TExpected::Refusal(*f);
            const auto& in = std::get<TYearAwardEntry>(entry);
            const TYearAwardInfo info =
                TYearAwardManager().Calculate(foreign, in.YearAward, in.Income, in.Golds);
            return TExpected::Breakdown(YearAwardForm(info, Separator()).Controls());
        }
        const auto entry = CheckSalaryEntry(BoxText(page, "TxtIncome"), BoxText(page, "TxtGolds"),
                                            foreign, Separator());
        if (const auto* f = std::get_if<TEntryFailure>(&entry))
            return TExpected::Refusal(*f);
        const auto& in = std::get<TSalaryEntry>(entry);
        const TTaxInfo info = TSalaryTaxManager().Calculate(foreign, in.Income, in.Golds);
        return TExpected::Breakdown(SalaryCalculateForm(info, Separator()).Controls());
    } catch (const EAmountOverflow&) {
        return {TExpected::Overflow, {}, {}, {}};
    }
}

using TTexts = std::map<std::string, QString>;

// The texts of the result fields, or of the message labels, by control name.
TTexts Texts(QWidget* page, bool messages)
{
    TTexts texts;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        const QString name = label->objectName();
        if (name.startsWith(QLatin1String("Txt")) &&
            name.startsWith(QLatin1String("TxtMsg")) == messages)
            texts[name.toStdString()] = label->text();
    }
    if (!messages) {
        for (const char* box : {"TxtTax", "TxtIncomeAfterTax"})
            texts[box] = page->findChild<QLineEdit*>(box)->text();
    }
    return texts;
}

// The message labels after a calculation: the one message, if any, and blanks.
TTexts MessagesAfter(const TTexts& before, const std::string& label = {},
                     const std::string& message = {})
{
    TTexts after;
    for (const auto& [name, text] : before)
        after[name] = name == label ? QString::fromStdString(message) : QString();
    return after;
}

struct TKey
{
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
    char Typed = 0; // the character it types, if any

    static TKey Character(char c) { return {QTest::asciiToKey(c), Qt::NoModifier, c}; }
};

// Digits, signs, letters, separators and blanks, and the keys that move about.
std::vector<TKey> Alphabet()
{
    std::vector<TKey> keys;
    // The digits twice, so that numbers come up often.
    for (char c : std::string("01234567890123456789+-eEax., "))
        keys.push_back(TKey::Character(c));
    for (int i = 0; i < 2; ++i) {
        keys.push_back({Qt::Key_Return});
        keys.push_back({Qt::Key_Tab});
        keys.push_back({Qt::Key_Backspace});
    }
    keys.push_back({Qt::Key_Enter, Qt::KeypadModifier});
    keys.push_back({Qt::Key_Backtab, Qt::ShiftModifier});
    return keys;
}

// Whole amounts typed key by key: the limits of a Double, the rounding on entry,
// the start points.
const char* const Amounts[] = {"1.7e308", "-1.7e308", "1e400",   "5000.125", "3500.004",
                               "3500",    "4800",     "8000",    "24000",    "-100",
                               "0",       "1000",     "18000.12"};

} // namespace

TEST(Soak, RandomKeysOnBothPagesShowWhatTheEngineGives)
{
    TFrmMain window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    TErrorCapture errors;

    std::mt19937 random(20110901);
    const auto below = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const std::vector<TKey> keys = Alphabet();
    int calculations = 0, refusals = 0, overflows = 0;

    for (int sequence = 0; sequence < 3000 && !::testing::Test::HasFailure(); ++sequence) {
        if (below(25) == 0)
            window.findChild<QAction*>(below(2) ? "ToolButton1" : "ToolButton2")->trigger();
        QWidget* page = window.CurrentFrame();
        const bool yearAward = window.CurrentFrameName() == QLatin1String("TFrmYearAward");

        // Stray keys, or now and then a whole amount over what the box held,
        // as a user corrects an entry.
        std::vector<TKey> typed;
        const std::size_t length = 1 + below(12);
        while (typed.size() < length) {
            if (below(3) == 0) {
                if (below(2) == 0)
                    typed.insert(typed.end(), 10, TKey{Qt::Key_Backspace});
                for (const char c : std::string(Amounts[below(std::size(Amounts))]))
                    typed.push_back(TKey::Character(c));
                typed.push_back({below(2) ? Qt::Key_Tab : Qt::Key_Return});
            } else {
                typed.push_back(keys[below(keys.size())]);
            }
        }

        for (const TKey& key : typed) {
            QWidget* target = QApplication::focusWidget();
            if (!target)
                target = &window;
            const QString targetName = target->objectName();
            const bool calculates = ((key.Key == Qt::Key_Return || key.Key == Qt::Key_Enter) &&
                                     (targetName == "TxtIncome" || targetName == "TxtGolds" ||
                                      targetName == "TxtYearAward")) ||
                                    (key.Key == Qt::Key_Space && targetName == "BtnCalc");
            const TExpected expected =
                calculates ? FromEngine(page, yearAward) : TExpected{TExpected::Shown, {}, {}, {}};
            const TTexts results = Texts(page, false), messages = Texts(page, true);
            const qsizetype errorsBefore = errors.messages.size();

            if (key.Typed)
                QTest::keyClick(target, key.Typed);
            else
                QTest::keyClick(target, key.Key, key.Modifiers);

            SCOPED_TRACE("sequence " + std::to_string(sequence) + ", key " +
                         std::to_string(key.Key) + " in " + targetName.toStdString());
            if (!calculates) {
                ASSERT_EQ(errors.messages.size(), errorsBefore);
                continue;
            }
            switch (expected.Kind) {
            case TExpected::Shown: {
                ++calculations;
                const TTexts shown = Texts(page, false);
                for (const auto& [control, text] : expected.Controls)
                    ASSERT_EQ(shown.at(std::string(control)), QString::fromStdString(text))
                        << control;
                ASSERT_EQ(Texts(page, true), MessagesAfter(messages));
                ASSERT_EQ(errors.messages.size(), errorsBefore);
                break;
            }
            case TExpected::Refused:
                ++refusals;
                ASSERT_EQ(Texts(page, false), results);
                ASSERT_EQ(Texts(page, true),
                          MessagesAfter(messages, expected.Label, expected.Message));
                ASSERT_EQ(errors.messages.size(), errorsBefore);
                break;
            case TExpected::Overflow:
                ++overflows;
                ASSERT_EQ(Texts(page, false), results);
                ASSERT_EQ(Texts(page, true), MessagesAfter(messages));
                ASSERT_EQ(errors.messages.size(), errorsBefore + 1);
                ASSERT_EQ(errors.messages.back(), QString::fromUtf8(EAmountOverflow().what()));
                break;
            }
        }
    }
    // The seed is fixed; these say that the run reaches every outcome.
    EXPECT_GT(calculations, 0);
    EXPECT_GT(refusals, 0);
    EXPECT_GT(overflows, 0);
    std::cout << calculations << " calculations, " << refusals << " refusals, " << overflows
              << " overflows\n";
}
