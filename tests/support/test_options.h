// Options of the test programs, given on their command line.
#pragma once

#include <string>

namespace test_options {
// --plugin=PATH: the built plug-in library the interface tests load.
const std::string& pluginPath();
// --render-out=PATH: where the fixed render is written for the comparison across builds.
const std::string& renderPath();
// Takes the options out of argv; the rest is left for GoogleTest.
void parse(int& argc, char** argv);
}  // namespace test_options
