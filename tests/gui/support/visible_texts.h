#pragma once
// Every text a person can read on a window and the dialogs under it: titles, labels,
// buttons, actions (caption, tooltip, status text), menu titles, tabs, list columns and
// items, toolbar captions and file dialog filters, keyed by the object's path of names.
#include <QObject>
#include <QString>
#include <QStringList>
#include <map>

namespace varmelo::gui::testing {

using VisibleTexts = std::map<QString, QString>;

VisibleTexts visibleTexts(QObject* root);

// The entries whose text holds a Cyrillic letter, as "path: text" lines.
QStringList cyrillicTexts(const VisibleTexts& texts);

}  // namespace varmelo::gui::testing
