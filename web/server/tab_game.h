// What a browser tab plays: the game behind one session, as tarvelweb's sessions see it.
// It hears the tab's commands and sends the page what to say and show; it knows nothing
// of sockets, so a tab that reloads finds it as it left it.
#pragma once

#include <QByteArray>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "web/messages/page_request.h"

namespace tarvel::web {

class TabGame {
  public:
    virtual ~TabGame() = default;

    // A command or a name from the page; never a hello.
    virtual void Handle(const PageRequest& request) = 0;

    // What a page that comes back needs to show the game as it stands: the table, the
    // history, the enabled commands, as the frames the page would have been sent.
    virtual std::vector<QByteArray> Snapshot() const = 0;
};

// Frames for the page go through `send`, which drops them while no tab is attached.
using TabGameFactory =
    std::function<std::unique_ptr<TabGame>(const std::string& language, std::function<void(const QByteArray&)> send)>;

}  // namespace tarvel::web
