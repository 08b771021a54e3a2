// The host's name and its first IPv4 address, for the log at start-up.
#pragma once

#include <QString>

namespace tarvel::server {

struct HostIdentity {
    QString name;     // empty when it cannot be read
    QString address;  // dotted decimal; empty when the name does not resolve
};

HostIdentity LocalHostIdentity();

}  // namespace tarvel::server
