#pragma once

#include <stdexcept>

// A result that does not fit into a Double. Raised instead of storing an
// infinity or a NaN in a result record.
class EAmountOverflow : public std::overflow_error
{
public:
    EAmountOverflow() : std::overflow_error("计算结果超出了数值范围（浮点溢出）。") {}
};
