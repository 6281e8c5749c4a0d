#pragma once
// Puts one section of a language file onto one form: the form's caption, then, in the order
// the form made them, every named label, button, menu, menu item, action, tab set, list
// column, toolbar caption and file dialog filter under it. Keys are the objects' names
// (`List1_0` for column 0, `Tabs1_2` for tab 2, `FindDialog1Caption` for a dialog's
// title). A missing key keeps the current text, except an action's hint (`<name>h`), which
// is cleared. Other forms that live under this one (named "frm...") are left to their own
// section.
#include <QString>
#include <functional>

class QAction;
class QObject;
class QWidget;

namespace varmelo {
class LanguageFile;
}

namespace varmelo::gui {

class FormTranslator {
public:
    FormTranslator(const LanguageFile& file, const QString& section);

    // Tells the commands (caption and hint) from plain menu items (caption only).
    std::function<bool(QAction*)> isCommand = [](QAction*) { return false; };
    // Commands whose caption the program sets itself (the recent files show their paths).
    std::function<bool(QAction*)> keepsCaption = [](QAction*) { return false; };

    // The form's caption and everything under it.
    void translateForm(QWidget* form) const;
    // One object by its own key, then everything under it; for a dialog the form makes
    // when it is needed.
    void translateTree(QObject* object) const;

    // The value of a key of the section, or `current` when it is missing.
    QString text(const QString& key, const QString& current) const;

private:
    void translateObject(QObject* o) const;
    void translateChildren(QObject* root) const;

    const LanguageFile& file_;
    std::string section_;
};

}  // namespace varmelo::gui
