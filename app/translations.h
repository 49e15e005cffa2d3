#pragma once

class QLocale;
class QString;

// The texts of Lodex and of Qt's own dialogs in the user's language.
namespace Translations {

// Where Lodex keeps its translations: share/lodex/translations beside the
// program's bin folder, installed or in the build folder alike.
QString Folder();

// Installs the translations for `locale` (its languages in order of
// preference) into the application, in place of any installed before;
// languages without one stay in English.
void Install(const QLocale &locale);

} // namespace Translations
