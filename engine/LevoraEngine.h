#pragma once

// The tax engine: the 2011 monthly schedule, the wage tax calculator (forwards
// and both reverse ways) and the year-end bonus calculator (forwards, backwards
// from an after-tax bonus, and its dead zones), together with the rules by which
// amounts are read from and shown as text and the checks of the calculate flows.
// No user interface and no Qt; every formula runs in the 80-bit extended format
// through Extended (the x87, or its exact emulation where there is none) and is
// rounded to Double only when stored.

#include "UAmount.h"
#include "UAntiYearAwardManager.h"
#include "UDeadZoneInfo.h"
#include "UDeadZoneManager.h"
#include "UDisplayForms.h"
#include "UEntryChecks.h"
#include "UExtended.h"
#include "USalaryTaxManager.h"
#include "UTaxInfo.h"
#include "UTaxSchedule.h"
#include "UYearAwardInfo.h"
#include "UYearAwardManager.h"
