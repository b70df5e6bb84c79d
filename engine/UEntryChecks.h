#pragma once

// The checks of the two calculator pages' calculate flows, shared by the pages
// and the command line so that both refuse the same entries with the same words.

#include <string>
#include <string_view>
#include <variant>

// A refused entry: the failure's number, the input box and message label
// concerned, and the message shown in that label.
struct TEntryFailure
{
    int No;
    const char* Box;
    const char* Label;
    const char* Message;
};

struct TSalaryEntry
{
    double Income;
    double Golds;
};

struct TYearAwardEntry
{
    double YearAward;
    double Income;
    double Golds;
};

struct TAntiYearAwardEntry
{
    double IncomeAfterTax;
    double Income;
    double Golds;
};

// The wage page's checks in their order; the first failure wins.
std::variant<TSalaryEntry, TEntryFailure> CheckSalaryEntry(std::string_view incomeText,
                                                           std::string_view goldsText,
                                                           bool isForeign,
                                                           std::string_view separator);

// The bonus page's three reads in their order; no range is checked.
std::variant<TYearAwardEntry, TEntryFailure> ReadYearAwardEntry(std::string_view yearAwardText,
                                                                std::string_view incomeText,
                                                                std::string_view goldsText,
                                                                std::string_view separator);

// The bonus page's reads with the after-tax bonus in the bonus box's place.
std::variant<TAntiYearAwardEntry, TEntryFailure>
ReadAntiYearAwardEntry(std::string_view afterTaxText, std::string_view incomeText,
                       std::string_view goldsText, std::string_view separator);
