// Views that ask for parameters when they are opened (FoxPro evaluates "?name" in the program
// that opens them) cannot be run here, local or remote; both runners refuse them alike.
#pragma once

#include <string>

namespace vfp {
struct ContainerView;
}

namespace rows {

// "asks for the parameters a, b when it is opened, which only FoxPro can do" for a view whose
// ParameterList is "a,'C';b,'N'"; "" when the view takes no parameters. The caller puts the
// subject in front ("it ", "the view NAME ").
std::string askedParameters(const vfp::ContainerView& view);

}  // namespace rows
