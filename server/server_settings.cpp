#include "server_settings.h"

// Reading and writing go through the shared profile-file layer once it is in common/.
namespace tarvel::server {

ServerSettings ReadServerSettings(const QString&) {
    return {};
}
void WriteConnectionSettings(const QString&, const ServerSettings&) {}
void WriteLanguageSetting(const QString&, int) {}

}  // namespace tarvel::server
