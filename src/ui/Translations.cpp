// SPDX-License-Identifier: GPL-3.0-or-later

#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velnora {

bool InstallQtTranslations(QCoreApplication& application, const QLocale& locale) {
    // The window's own captions are Persian: only a Persian locale gets Qt's
    // texts translated, so that no window mixes Persian with a third language.
    if (locale.language() != QLocale::Persian)
        return false;
    auto* translator = new QTranslator(&application);
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace velnora
