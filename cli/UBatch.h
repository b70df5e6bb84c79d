#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

// A whole staff at once: every row of a CSV file through the wage or the bonus
// calculation, streamed row by row. Each row keeps its place in the output:
// the input columns unchanged, then the results as the page shows them, or an
// empty result and the page's message in the error column.
class TBatch
{
public:
    enum class TKind
    {
        Wage,
        Bonus,
    };

    struct TSummary
    {
        long long Rows = 0;
        long long Refused = 0;
        double TotalTax = 0;
    };

    // The file as a whole cannot be used: no header, a column missing or twice,
    // or the input or output failing.
    class EBatchError : public std::runtime_error
    {
    public:
        using std::runtime_error::runtime_error;
    };

    TBatch(TKind kind, bool json);

    // Reads CSV from in and writes CSV, or one JSON object a line, to out.
    TSummary Run(std::FILE* in, std::FILE* out) const;

    // "共3行，其中1行被拒绝；税额合计2835。"
    static std::string SummaryText(const TSummary& summary);

private:
    TKind kind;
    bool json;
};
