// levora-tax-cli: the tax engine on the command line, with the pages' rules.
// This file handles the arguments; UCommands runs the single calculations,
// UBatch a whole CSV file through TCsvReader and TCsvWriter, and UCliJson
// builds the JSON that both print.
//
// Exit status: 0 computed, 1 an entry refused or a result out of range (for a
// batch: any row refused), 2 wrong usage or a file that cannot be used.

#ifdef LEVORA_HAVE_BATCH
#include "UBatch.h"
#endif
#include "UCommands.h"
#include "UExtended.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

namespace {

using Commands::TOptions;

CLI::App* AddCommand(CLI::App& app, const char* name, const char* help, TOptions& o,
                     std::initializer_list<std::pair<const char*, std::string*>> required,
                     std::optional<std::pair<const char*, std::string*>> optional = {})
{
    CLI::App* cmd = app.add_subcommand(name, help);
    cmd->add_flag("--foreign", o.Foreign, "foreign national (start point 4800), else resident");
    cmd->add_flag("--json", o.Json, "one JSON object with the exact figures");
    for (const auto& [argName, target] : required)
        cmd->add_option(argName, *target)->required();
    if (optional)
        cmd->add_option(optional->first, *optional->second, "contributions; missing or blank is 0");
    return cmd;
}

#ifdef LEVORA_HAVE_BATCH
int RunBatch(const std::string& kind, const std::string& file, bool json)
{
    std::FILE* in = stdin;
    if (file != "-") {
        in = std::fopen(file.c_str(), "rb");
        if (!in) {
            std::cerr << "无法打开文件：" << file << '\n';
            return 2;
        }
    }
    const TBatch batch(kind == "wage" ? TBatch::TKind::Wage : TBatch::TKind::Bonus, json);
    int status = 2;
    try {
        const TBatch::TSummary summary = batch.Run(in, stdout);
        std::cerr << TBatch::SummaryText(summary) << '\n';
        status = summary.Refused > 0 ? 1 : 0;
    } catch (const TBatch::EBatchError& e) {
        std::fflush(stdout);
        std::cerr << e.what() << '\n';
    }
    if (in != stdin)
        std::fclose(in);
    return status;
}
#endif

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Levora个人所得税计算器 V3.01 — 2011年个人所得税计算（命令行）\n"
                 "Amounts use \".\" as decimal separator and are rounded to cents on entry.",
                 "levora-tax-cli"};
    app.require_subcommand(1);
    TOptions o;
    auto* wage = AddCommand(app, "wage", "one month's wage tax", o, {{"INCOME", &o.A}},
                            std::pair{"GOLDS", &o.B});
    auto* bonus = AddCommand(app, "bonus", "tax on a one-time year-end bonus", o,
                             {{"BONUS", &o.A}, {"INCOME", &o.B}}, std::pair{"GOLDS", &o.C});
    auto* antiBonus =
        AddCommand(app, "anti-bonus", "the year-end bonus that leaves an after-tax bonus", o,
                   {{"AFTER_TAX", &o.A}, {"INCOME", &o.B}}, std::pair{"GOLDS", &o.C});
    auto* antiTax = AddCommand(app, "anti-tax", "pre-tax wage from a tax amount", o,
                               {{"TAX", &o.A}, {"GOLDS", &o.B}});
    auto* antiAfterTax = AddCommand(app, "anti-after-tax", "pre-tax wage from an after-tax income",
                                    o, {{"AFTER_TAX", &o.A}, {"GOLDS", &o.B}});

#ifdef LEVORA_HAVE_BATCH
    std::string batchKind, batchFile = "-";
    CLI::App* batch = app.add_subcommand(
        "batch", "every row of a CSV file (header row: income, golds, foreign; bonus for bonus)");
    batch->add_flag("--json", o.Json, "one JSON object a row with the exact figures");
    batch->add_option("KIND", batchKind, "wage or bonus")
        ->required()
        ->check(CLI::IsMember({"wage", "bonus"}));
    batch->add_option("FILE", batchFile, "the CSV file; - or none for standard input");
#endif

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << e.what() << "\n\n" << app.help();
        return 2;
    }

    try {
        if (*wage)
            return Commands::Wage(o);
        if (*bonus)
            return Commands::Bonus(o);
        if (*antiBonus)
            return Commands::AntiBonus(o);
        if (*antiTax)
            return Commands::Reverse(o, true);
        if (*antiAfterTax)
            return Commands::Reverse(o, false);
#ifdef LEVORA_HAVE_BATCH
        if (*batch)
            return RunBatch(batchKind, batchFile, o.Json);
#endif
    } catch (const EAmountOverflow& e) {
        return Commands::Refuse(o, e.what());
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 2;
}
