// SPDX-License-Identifier: GPL-3.0-or-later

#include "BackgroundSlideshow.h"

#include "QtPictureRows.h"

#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace velnora {

namespace {

// GNOME's own slideshows are a few kilobytes; anything far larger is no slideshow
// worth reading whole.
constexpr qint64 MaxSlideshowBytes = 1 << 20;

struct Variant {
    int width = 0; // 0 x 0: no size given
    int height = 0;
    std::string path;
};

struct Entry {
    double duration = 0;       // seconds
    std::vector<Variant> from; // a static entry's file, or a transition's <from>
    std::vector<Variant> to;   // a transition's <to>; empty for a static entry
};

struct Slideshow {
    std::tm start{};
    bool hasStart = false;
    std::vector<Entry> entries;
};

std::runtime_error Damaged(const std::string& path) {
    return std::runtime_error("Cannot read picture \"" + path + "\": damaged slideshow file");
}

// A <file>, <from> or <to>: its text, or its <size width= height=> children.
std::vector<Variant> ReadVariants(QXmlStreamReader& xml) {
    std::vector<Variant> variants;
    QString text;
    while (xml.readNext() != QXmlStreamReader::EndElement) {
        if (xml.hasError())
            return {};
        if (xml.isCharacters())
            text += xml.text();
        if (xml.isStartElement() && xml.name() == u"size") {
            Variant variant;
            variant.width = xml.attributes().value("width").toInt();
            variant.height = xml.attributes().value("height").toInt();
            variant.path = xml.readElementText().trimmed().toStdString();
            variants.push_back(variant);
        }
    }
    if (variants.empty() && !text.trimmed().isEmpty())
        variants.push_back({0, 0, text.trimmed().toStdString()});
    return variants;
}

void ReadStart(QXmlStreamReader& xml, Slideshow& show) {
    show.hasStart = true;
    show.start.tm_isdst = -1; // as the system's time zone says for that day
    show.start.tm_mday = 1;
    while (xml.readNextStartElement()) {
        const int value = xml.readElementText().trimmed().toInt();
        if (xml.name() == u"year")
            show.start.tm_year = value - 1900;
        else if (xml.name() == u"month")
            show.start.tm_mon = value - 1;
        else if (xml.name() == u"day")
            show.start.tm_mday = value;
        else if (xml.name() == u"hour")
            show.start.tm_hour = value;
        else if (xml.name() == u"minute")
            show.start.tm_min = value;
        else if (xml.name() == u"second")
            show.start.tm_sec = value;
    }
}

Entry ReadEntry(QXmlStreamReader& xml) {
    Entry entry;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"duration")
            entry.duration = xml.readElementText().trimmed().toDouble();
        else if (xml.name() == u"file" || xml.name() == u"from")
            entry.from = ReadVariants(xml);
        else if (xml.name() == u"to")
            entry.to = ReadVariants(xml);
        else
            xml.skipCurrentElement();
    }
    return entry;
}

// nullopt when the root element is not <background>.
std::optional<Slideshow> ReadSlideshow(const QByteArray& bytes, const std::string& path) {
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != u"background")
        return std::nullopt;
    Slideshow show;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"starttime")
            ReadStart(xml, show);
        else if (xml.name() == u"static" || xml.name() == u"transition")
            show.entries.push_back(ReadEntry(xml));
        else
            xml.skipCurrentElement();
    }
    if (xml.hasError())
        throw Damaged(path);
    return show;
}

const Variant* ChooseVariant(const std::vector<Variant>& variants, PictureSize size) {
    const Variant* largest = nullptr;
    const Variant* covering = nullptr;
    const auto area = [](const Variant& v) { return int64_t{v.width} * v.height; };
    for (const Variant& v : variants) {
        if (!largest || area(v) > area(*largest))
            largest = &v;
        const bool covers = size.width > 0 && v.width >= size.width && v.height >= size.height;
        if (covers && (!covering || area(v) < area(*covering)))
            covering = &v;
    }
    return covering ? covering : largest;
}

// The entry's picture at `into` seconds after the entry began.
const std::vector<Variant>& PictureOf(const Entry& entry, double into) {
    if (!entry.to.empty() && into >= entry.duration / 2)
        return entry.to;
    return entry.from;
}

} // namespace

std::optional<std::string> SlideshowPictureAt(const std::string& path, std::time_t now,
                                              PictureSize drawingSize) {
    QFile file;
    if (!OpenFileByBytes(path, file))
        return std::nullopt;
    const QByteArray bytes = file.read(MaxSlideshowBytes);
    const std::optional<Slideshow> show = ReadSlideshow(bytes, path);
    if (!show)
        return std::nullopt;

    double loop = 0;
    for (const Entry& entry : show->entries)
        loop += std::max(0.0, entry.duration);
    std::tm start = show->start;
    const double begun = show->hasStart ? static_cast<double>(std::mktime(&start)) : 0;
    // Seconds into the current round of the loop; before the start time the
    // loop is taken to have run already, as it does after it.
    double into = loop > 0 ? std::fmod(static_cast<double>(now) - begun, loop) : 0;
    if (into < 0)
        into += loop;

    const Variant* chosen = nullptr;
    for (const Entry& entry : show->entries) {
        const double duration = std::max(0.0, entry.duration);
        if (into < duration || &entry == &show->entries.back()) {
            chosen = ChooseVariant(PictureOf(entry, into), drawingSize);
            break;
        }
        into -= duration;
    }
    if (!chosen || chosen->path.empty())
        throw Damaged(path);
    if (chosen->path.front() == '/')
        return chosen->path;
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? chosen->path : path.substr(0, slash + 1) + chosen->path;
}

}  // namespace velnora
