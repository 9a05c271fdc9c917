#pragma once
// Series functions: THighFunction gives, at each index, the highest value
// of its source series.

#include "platform/chart/TeEngine.h"

class THighFunction : public TTeeFunction {
public:
    using TTeeFunction::TTeeFunction;

protected:
    double Calculate(const std::vector<double>& values) const override;
};
