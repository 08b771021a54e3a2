#include "web/messages/message_check.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tarvel::web {
namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool HasControlCharacter(const QString& text) {
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control) return true;
    }
    return false;
}

std::string CheckFields(const QJsonObject& object, std::span<const FieldSpec> fields, std::string_view where);

std::string CheckField(const QJsonValue& value, const FieldSpec& spec) {
    const std::string name(spec.name);
    switch (spec.kind) {
        case FieldKind::Text: {
            if (!value.isString()) return name + " is not a text";
            const QString text = value.toString();
            if (spec.maxLength > 0 && text.size() > spec.maxLength) {
                return name + " is longer than " + std::to_string(spec.maxLength) + " characters";
            }
            if (HasControlCharacter(text)) return name + " holds a control character";
            return {};
        }
        case FieldKind::Integer: {
            // JSON numbers are doubles: a whole number that fits 32 bits.
            const double number = value.toDouble();
            if (!value.isDouble() || std::trunc(number) != number || number < INT32_MIN || number > INT32_MAX) {
                return name + " is not a whole number";
            }
            return {};
        }
        case FieldKind::Flag:
            return value.isBool() ? std::string{} : name + " is not true or false";
        case FieldKind::Command: {
            if (!value.isString()) return name + " is not a text";
            const std::string text = value.toString().left(kCommandNameLength + 1).toStdString();
            const auto names = GameCommandNames();
            if (std::find(names.begin(), names.end(), text) == names.end()) {
                return name + " is no game command";
            }
            return {};
        }
        case FieldKind::IntegerList:
        case FieldKind::TextList:
        case FieldKind::CommandList:
        case FieldKind::ObjectList: {
            if (!value.isArray()) return name + " is not a list";
            for (const QJsonValue& item : value.toArray()) {
                std::string error;
                if (spec.kind == FieldKind::IntegerList) {
                    error = CheckField(item, FieldSpec{spec.name, FieldKind::Integer});
                } else if (spec.kind == FieldKind::TextList) {
                    error = CheckField(item, FieldSpec{spec.name, FieldKind::Text, true, spec.maxLength});
                } else if (spec.kind == FieldKind::CommandList) {
                    error = CheckField(item, FieldSpec{spec.name, FieldKind::Command});
                } else if (!item.isObject()) {
                    error = name + " holds something that is not an object";
                } else {
                    error = CheckFields(item.toObject(), spec.items, spec.name);
                }
                if (!error.empty()) return error;
            }
            return {};
        }
    }
    return name + " has an unknown kind";
}

std::string CheckFields(const QJsonObject& object, std::span<const FieldSpec> fields, std::string_view where) {
    for (const FieldSpec& spec : fields) {
        const auto found = object.find(Q(spec.name));
        if (found == object.end()) {
            if (spec.required) return std::string(where) + " lacks " + std::string(spec.name);
            continue;
        }
        if (std::string error = CheckField(*found, spec); !error.empty()) return error;
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (where == "message" && it.key() == Q(kTypeField)) continue;
        bool known = false;
        for (const FieldSpec& spec : fields) known = known || it.key() == Q(spec.name);
        if (!known) return std::string(where) + " has an unknown member " + it.key().left(32).toStdString();
    }
    return {};
}

}  // namespace

MessageCheck CheckMessage(const QJsonObject& object, std::span<const MessageSpec> messages) {
    const QJsonValue type = object.value(Q(kTypeField));
    if (!type.isString()) return {nullptr, "the message has no type"};
    for (const MessageSpec& spec : messages) {
        if (type.toString() != Q(spec.name)) continue;
        std::string error = CheckFields(object, spec.fields, "message");
        if (!error.empty()) return {nullptr, std::string(spec.name) + ": " + error};
        return {&spec, {}};
    }
    return {nullptr, "unknown message type " + type.toString().left(32).toStdString()};
}

}  // namespace tarvel::web
