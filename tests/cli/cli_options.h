// What the CLI tests are given on their command line: the built fxhost, the two plug-ins,
// the folder of broken fixture libraries and a peer plug-in from another maker.
#pragma once

#include <string>

namespace cli_options {
const std::string& fxhost();       // --fxhost=PATH
const std::string& pluginOne();    // --plugin-one=PATH
const std::string& pluginTwo();    // --plugin-two=PATH
const std::string& fixtureDir();   // --fixtures=DIR
const std::string& peerPlugin();   // --peer=PATH
// Takes the options out of argv; the rest is left for GoogleTest.
void parse(int& argc, char** argv);
}  // namespace cli_options
