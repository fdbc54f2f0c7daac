// SPDX-License-Identifier: GPL-3.0-or-later
// Every message box of the program goes through here, so that the tests can
// read the messages instead of being blocked by a modal box.
#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace velnora {

// "Selected File Not Found !": modal, titled "Error", critical icon, one OK button.
void ShowSelectedFileNotFound(QWidget* parent);
// A notice that is no error: information icon, titled "Velnora", one OK button.
void ShowNotice(QWidget* parent, const QString& text);
// The general error handler's box: the error's text, titled with the program's name.
void ReportException(const std::exception& error);


// While set, messages go to the hook instead of a box (tests); an empty hook
// brings the boxes back.
using MessageHook = std::function<void(const QString& title, const QString& text)>;
void SetMessageHookForTesting(MessageHook hook);

}  // namespace velnora
