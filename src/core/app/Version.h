#pragma once

#include <QString>

// The product's version as the build gives it: the number comes from the project version of
// the top-level CMakeLists.txt, the build date from the compiler.
namespace Version {

/// "major.minor.patch".
QString number();
/// When this build was compiled, "yyyy-MM-dd hh:mm".
QString buildDate();

}  // namespace Version
