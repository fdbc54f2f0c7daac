// SPDX-License-Identifier: GPL-3.0-or-later

#include "Messages.h"

#include "Wallpaper.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace velnora {

namespace {

MessageHook& Hook() {
    static MessageHook hook;
    return hook;
}

void ShowBox(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text) {
    if (Hook()) {
        Hook()(title, text);
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    // Error texts carry file names, which are the user's text and not markup:
    // a picture named "<h1>x</h1>" must show as that name, not as a heading.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ShowCritical(QWidget* parent, const QString& title, const QString& text) {
    ShowBox(QMessageBox::Critical, parent, title, text);
}

} // namespace

void ShowNotice(QWidget* parent, const QString& text) {
    ShowBox(QMessageBox::Information, parent, QStringLiteral("Velnora"), text);
}

void ShowSelectedFileNotFound(QWidget* parent) {
    ShowCritical(parent, QStringLiteral("Error"), QString::fromLatin1(SelectedFileNotFound));
}

void ReportException(const std::exception& error) {
    ShowCritical(QApplication::activeWindow(), QStringLiteral("Velnora"),
                 QString::fromUtf8(error.what()));
}

void SetMessageHookForTesting(MessageHook hook) {
    Hook() = std::move(hook);
}

}  // namespace velnora
