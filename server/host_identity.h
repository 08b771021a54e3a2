// The host's name and its first IPv4 address, for the log at start-up. The name is
// looked up in the background: a slow resolver must never hold the window.
#pragma once

#include <QString>
#include <functional>

class QObject;

namespace tarvel::server {

struct HostIdentity {
    QString name;     // empty when it cannot be read
    QString address;  // dotted decimal; empty when the name does not resolve
};

// Calls `done` from the event loop once the answer is in, never from inside this call;
// not at all when `context` is destroyed first.
void LookUpLocalHost(QObject* context, std::function<void(const HostIdentity&)> done);

}  // namespace tarvel::server
