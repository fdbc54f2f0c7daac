// SPDX-License-Identifier: GPL-3.0-or-later

#include "RootCaptures.h"

#include "BmpFile.h"
#include "XdgFolders.h"

#include <QCryptographicHash>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace velnora {

namespace fs = std::filesystem;

namespace {

constexpr const char* Prefix = "root-";
constexpr const char* Suffix = ".bmp";
// The captures kept: the one the backup names, the one the store names after
// a restore, and room for a displaced picture captured in between.
constexpr std::size_t KeptCaptures = 4;

bool IsCapture(const fs::path& file) {
    const std::string name = file.filename().string();
    return name.starts_with(Prefix) && name.ends_with(Suffix);
}

void RemoveOlderCaptures(const fs::path& folder, const fs::path& keep) {
    struct Seen {
        fs::path path;
        fs::file_time_type time;
    };
    std::vector<Seen> captures;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (IsCapture(entry.path()) && entry.is_regular_file(error))
            captures.push_back({entry.path(), entry.last_write_time(error)});
    std::sort(captures.begin(), captures.end(),
              [](const Seen& a, const Seen& b) { return a.time > b.time; });
    // A file that cannot be removed now is tried again at the next capture.
    for (std::size_t i = KeptCaptures; i < captures.size(); ++i)
        if (!fs::equivalent(captures[i].path, keep, error))
            fs::remove(captures[i].path, error);
}

} // namespace

std::string PictureKey(const Bitmap& picture) {
    // SHA-1: no one forges a wallpaper, and it is five times as fast as SHA-256
    // in Qt (0.1 s for a 3840 x 2160 picture); a stable digest, unlike qHash,
    // since the keys outlive the program in files.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QByteArray size =
        QByteArray::number(picture.Width()) + 'x' + QByteArray::number(picture.Height()) + '\n';
    hash.addData(size);
    // The row padding is left uninitialised: only the pixels count.
    const auto rowBytes = static_cast<qsizetype>(picture.Width()) * 3;
    for (int y = 0; y < picture.Height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(picture.Row(y)), rowBytes));
    return hash.result().toHex().left(32).toStdString();
}

std::string RootCapturesFolder() {
    return XdgStateHome() + "/velnora";
}

std::string KeepRootPicture(const Bitmap& picture, const std::string& key,
                            const std::string& keep) {
    const fs::path folder = RootCapturesFolder();
    const fs::path file = folder / (Prefix + key + Suffix);
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        fs::create_directories(folder, error);
        WriteBmpFile(file.string(), picture);
    }
    // Marked with the clock's own resolution: the file system's coarser one
    // would tie captures taken in quick succession.
    fs::last_write_time(file, fs::file_time_type::clock::now(), error);
    RemoveOlderCaptures(folder, keep.empty() ? file : fs::path(keep));
    return file.string();
}

}  // namespace velnora
