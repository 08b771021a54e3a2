// What the network dialogs share: the names a screen reader reads for their controls.
#pragma once

#include <QString>

namespace tarvel::net_dialogs {

// A caption without its accelerator marks: "Se&znam serverů" is read "Seznam serverů";
// "&&" stands for one '&'.
inline QString WithoutAccelerator(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') {
            plain += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == u'&') {
            plain += u'&';
            ++i;
        }
    }
    return plain;
}

}  // namespace tarvel::net_dialogs
