#include "DisplayServer.h"

#include <QFile>
#include <QImageReader>
#include <QString>
#include <QtGlobal>

#include <cstdlib>
#include <string_view>

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt's platforms that show nothing anyone could see or answer.
bool ScreenlessPlatform() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr)
        return false;
    const std::string_view name(platform);
    return name.starts_with("offscreen") || name.starts_with("minimal");
}

QtMessageHandler previousHandler = nullptr;

void DropQtNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        previousHandler(type, context, message);
}

} // namespace

bool HasDisplay() {
    return !ScreenlessPlatform() && (Set("DISPLAY") || Set("WAYLAND_DISPLAY"));
}

void UseOffscreenPlatform() {
    if (!ScreenlessPlatform())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(DropQtNotes);
}

DesktopSize DesktopSizeWithoutDisplay(const std::string& outputPicture) {
    const QSize size = QImageReader(QFile::decodeName(outputPicture.c_str()), "bmp").size();
    if (!size.isValid())
        return {};
    return {size.width(), size.height()};
}
