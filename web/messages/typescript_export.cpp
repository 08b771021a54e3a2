#include "web/messages/typescript_export.h"

#include <cctype>
#include <span>

#include "web/messages/message_set.h"

namespace tarvel::web {
namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string TypeOf(const FieldSpec& spec);

std::string ObjectType(std::span<const FieldSpec> fields) {
    std::string type = "{ ";
    for (const FieldSpec& field : fields) {
        type += std::string(field.name) + (field.required ? ": " : "?: ") + TypeOf(field) + "; ";
    }
    return type + "}";
}

std::string TypeOf(const FieldSpec& spec) {
    switch (spec.kind) {
        case FieldKind::Text:
            return "string";
        case FieldKind::Integer:
            return "number";
        case FieldKind::Flag:
            return "boolean";
        case FieldKind::Command:
            return "GameCommand";
        case FieldKind::IntegerList:
            return "number[]";
        case FieldKind::TextList:
            return "string[]";
        case FieldKind::CommandList:
            return "GameCommand[]";
        case FieldKind::ObjectList:
            return ObjectType(spec.items) + "[]";
    }
    return "never";
}

std::string InterfaceName(std::string_view message) {
    std::string name(message);
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name + "Message";
}

std::string Direction(std::span<const MessageSpec> messages, std::string_view unionName) {
    std::string out;
    std::string members;
    for (const MessageSpec& message : messages) {
        out += "/** " + std::string(message.meaning) + " */\n";
        out += "export interface " + InterfaceName(message.name) + " {\n";
        out += "  " + std::string(kTypeField) + ": " + Quoted(message.name) + ";\n";
        for (const FieldSpec& field : message.fields) {
            out += "  " + std::string(field.name) + (field.required ? ": " : "?: ") + TypeOf(field) + ";\n";
        }
        out += "}\n\n";
        members += (members.empty() ? "" : " | ") + InterfaceName(message.name);
    }
    return out + "export type " + std::string(unionName) + " = " + members + ";\n\n";
}

}  // namespace

std::string MessagesTypeScript() {
    std::string out =
        "// The messages between the page and tarvelweb. Printed by tarvel_web_export from\n"
        "// web/messages/message_set.cpp at build time: change them there.\n\n";
    out += "export const GAME_COMMANDS = [\n";
    for (const std::string_view name : GameCommandNames()) out += "  " + Quoted(name) + ",\n";
    out += "] as const;\nexport type GameCommand = (typeof GAME_COMMANDS)[number];\n\n";
    out += "export const PLAYER_NAME_LENGTH = " + std::to_string(kPlayerNameLength) + ";\n\n";
    out += Direction(PageMessages(), "PageMessage");
    out += Direction(ServerMessages(), "ServerMessage");
    return out;
}

}  // namespace tarvel::web
