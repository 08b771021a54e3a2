// The name under which this client introduces itself to the server. The server turns
// away two clients of one name, which is meant to catch one installation joined twice;
// two people, or one person playing from two game folders, must get different names.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// The login name and host a player recognises, then a short mark of this machine and
// game folder, so that equal logins on equal host names still differ: "eva@pc 3f9a0c12".
std::string InstallationName(std::string_view login, std::string_view host, std::string_view machineId,
                             std::string_view gameFolder);

// The name of this process's installation: its login, host, machine and current folder.
std::string ThisInstallationName();

}  // namespace tarvel
