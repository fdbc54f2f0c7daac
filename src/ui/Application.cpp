// SPDX-License-Identifier: GPL-3.0-or-later

#include "Application.h"

#include "CaptionStyle.h"
#include "Fonts.h"
#include "Glyphs.h"
#include "Messages.h"
#include "Translations.h"

#include <QLocale>

#include <exception>

// The resources live in the windows' static library; naming them here keeps
// the linker from dropping them. Qt's macro works only outside a namespace.
static void InitResources() {
    Q_INIT_RESOURCE(velnora);
}

namespace velnora {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    InitResources();
    setApplicationName(QStringLiteral("Velnora"));
    setDesktopFileName(QStringLiteral("io.github.velnora"));
    setWindowIcon(ProgramIcon());
    InstallFontSubstitutes();
    // Over the style Qt chose for the desktop; owned by the application.
    setStyle(new CaptionStyle(style()->name()));
    InstallQtTranslations(*this, QLocale());
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportException(error);
        return false;
    }
}

namespace {

int handlerDepth = 0;
// The error of a nested handler, until the routine that set the control takes it up.
std::exception_ptr nestedError;

struct Depth {
    Depth() { ++handlerDepth; }
    ~Depth() { --handlerDepth; }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;
};

void RunShowingErrors(const std::function<void()>& handler) {
    try {
        Depth depth;
        handler();
        // One that no setter took up is shown all the same.
        RethrowNestedError();
    } catch (const std::exception& error) {
        nestedError = nullptr;
        ReportException(error);
    }
}

} // namespace

void RunHandler(const std::function<void()>& handler) {
    if (handlerDepth == 0) {
        RunShowingErrors(handler);
        return;
    }
    Depth nested;
    try {
        handler();
    } catch (...) {
        if (!nestedError)
            nestedError = std::current_exception();
    }
}

void RunEventHandler(const std::function<void()>& handler) {
    RunShowingErrors(handler);
}

void RethrowNestedError() {
    if (!nestedError)
        return;
    const std::exception_ptr error = nestedError;
    nestedError = nullptr;
    std::rethrow_exception(error);
}

}  // namespace velnora
