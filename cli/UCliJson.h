#pragma once

// The JSON objects that the single commands and batch print: every field of a
// result record as the exact Double, and the texts the page would show.

#include "LevoraEngine.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace CliJson {

using Json = nlohmann::ordered_json;

// The user's level number 1 to 7 of a rate, null where the amount has none.
Json Level(double rate);

// shown: the calculate or the reverse form of the wage page.
Json TaxInfo(const TTaxInfo& r, const TSalaryDisplay& shown);
Json YearAwardInfo(const TYearAwardInfo& r);

// Null outside a zone; Gain is what the lower end leaves more than afterTax.
Json DeadZone(const std::optional<TDeadZoneInfo>& zone, double afterTax);

Json Error(Json failure, Json box, Json label, const std::string& message);
Json Error(const TEntryFailure& f);

// One line of text whatever bytes the typed amounts held: invalid UTF-8 is replaced.
std::string Dump(const Json& j);

} // namespace CliJson
