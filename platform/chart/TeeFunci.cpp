#include "platform/chart/TeeFunci.h"

#include "platform/classlib/Class_Registry.h"

#include <algorithm>

namespace {

const bool Functions_Registered = [] {
    RegisterClass<TTeeFunction>("TTeeFunction")
        // Written inside a series' block, the function becomes that series'.
        .Parent_Rule([](TTeeFunction& function, TComponent* parent) {
            auto* series = dynamic_cast<TChartSeries*>(parent);
            if (!series)
                throw EPropertyError(function.Name() + " cannot be placed on " + parent->Name());
            series->SetFunctionType(&function);
        });
    RegisterComponentClass<THighFunction, TTeeFunction>("THighFunction");
    return true;
}();

} // namespace

double THighFunction::Calculate(const std::vector<double>& values) const
{
    return *std::max_element(values.begin(), values.end());
}
