// The text of the help panel: the keyboard commands, thirteen lines joined by CR LF.
#pragma once

#include <string>

namespace zobu {

// UTF-8; lines separated by "\r\n", none after the last line.
std::string HelpText();

}  // namespace zobu
