#pragma once
#include <string>
#include <string_view>

// Numbers in decimal notation as the host's files and reports hold them: always with a point,
// whatever locale the process has (a neighbour in the process may have set one).

// A finite number in fixed notation with the given decimals: 150.5 with 2 decimals gives 150.50.
std::string DecimalText(double value, int decimals);
// The number a text of decimal notation names (a sign, digits with a point, an exponent); false
// when the whole text is no such number or it lies out of range.
bool ReadDecimal(std::string_view text, double& value);
