#pragma once
// One `convert` result as a record: the input, its notation and the address
// in all three notations.

#include <cstdint>
#include <string_view>

#include "compare/convert.h"
#include "report/record.h"

namespace morvik {

void DescribeConversion(std::string_view source, std::int64_t line, const Conversion& conversion,
                        bool defang, Record& record);

}  // namespace morvik
