// The page's side of the message set, printed as a TypeScript module from the tables of
// message_set.h: the game commands, one interface per message, a union per direction.
#pragma once

#include <string>

namespace tarvel::web {

std::string MessagesTypeScript();

}  // namespace tarvel::web
