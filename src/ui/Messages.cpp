#include "Messages.h"

#include "Wallpaper.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessageHook& Hook() {
    static MessageHook hook;
    return hook;
}

void ShowCritical(QWidget* parent, const QString& title, const QString& text) {
    if (Hook()) {
        Hook()(title, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    // Error texts carry file names, which are the user's text and not markup:
    // a picture named "<h1>x</h1>" must show as that name, not as a heading.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

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
