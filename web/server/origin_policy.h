// Which pages may open a game's WebSocket: the page tarvelweb serves, reached by the
// names of this computer's loopback, and the origins the settings add (a page served
// through a proxy). A page of any other site is refused, and so is a request without an
// Origin, which no browser sends.
#pragma once

#include <string>
#include <vector>

namespace tarvel::web {

class OriginPolicy {
  public:
    // `extraOrigins` as written in the settings: "https://cards.example.org, ...".
    OriginPolicy(int port, const std::string& extraOrigins);

    bool Allows(const std::string& origin) const;
    const std::vector<std::string>& Allowed() const { return allowed_; }

  private:
    std::vector<std::string> allowed_;
};

}  // namespace tarvel::web
