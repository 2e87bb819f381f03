// The parameters a view asks for, from its ParameterList property.
#include "components/rows/ViewParameters.h"

#include "components/vfp/Container.h"

namespace rows {

std::string askedParameters(const vfp::ContainerView& view)
{
    if (view.parameters.empty())
        return {};
    // ParameterList: "name,type" entries separated by ";".
    std::string names;
    std::size_t start = 0;
    while (start < view.parameters.size()) {
        std::size_t end = view.parameters.find(';', start);
        if (end == std::string::npos)
            end = view.parameters.size();
        const std::string entry = view.parameters.substr(start, end - start);
        const std::string name = entry.substr(0, entry.find(','));
        if (!name.empty())
            names += (names.empty() ? "" : ", ") + name;
        start = end + 1;
    }
    return "asks for the parameters " + names + " when it is opened, which only FoxPro can do";
}

}  // namespace rows
