#pragma once

// The user's home and configuration folders (UTF-8, no trailing separator), shared by the
// Linux backends that place files there.

#include <string>

namespace keyloom {

// $HOME, else the home folder of the user's account, else "/tmp".
std::string UserHomeFolder();
// $XDG_CONFIG_HOME when it is an absolute path, else <home>/.config.
std::string UserConfigFolder();

}  // namespace keyloom
