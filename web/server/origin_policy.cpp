#include "web/server/origin_policy.h"

#include <algorithm>
#include <sstream>

namespace tarvel::web {

OriginPolicy::OriginPolicy(int port, const std::string& extraOrigins) {
    const std::string suffix = ":" + std::to_string(port);
    for (const char* host : {"localhost", "127.0.0.1", "[::1]"}) allowed_.push_back(std::string("http://") + host + suffix);
    std::istringstream list(extraOrigins);
    std::string origin;
    while (std::getline(list, origin, ',')) {
        origin.erase(0, origin.find_first_not_of(' '));
        origin.erase(origin.find_last_not_of(' ') + 1);
        while (!origin.empty() && origin.back() == '/') origin.pop_back();
        if (!origin.empty()) allowed_.push_back(origin);
    }
}

bool OriginPolicy::Allows(const std::string& origin) const {
    // Browsers send the origin exactly (scheme, host, and port unless it is the default),
    // so it is compared whole: "http://localhost:8412.evil.org" is another site.
    return std::find(allowed_.begin(), allowed_.end(), origin) != allowed_.end();
}

}  // namespace tarvel::web
