// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts (the buttons of message boxes, the file and colour dialogs) in
// Persian under a Persian locale.
#pragma once

class QCoreApplication;
class QLocale;

namespace velnora {

// Loads Qt's Persian translation, qtbase_fa.qm from Qt's translations folder
// (Debian: qt6-translations-l10n), when the locale's language is Persian; true
// when it was installed. Without the file Qt's texts stay English, as under
// any other locale.
bool InstallQtTranslations(QCoreApplication& application, const QLocale& locale);

}  // namespace velnora
