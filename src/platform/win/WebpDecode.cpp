// SPDX-License-Identifier: GPL-3.0-or-later

#include "WebpDecode.h"

#include <algorithm>
#include <memory>

#include <webp/decode.h>
#include <webp/demux.h>

namespace velnora {

namespace {

// The first frame of an animation on its canvas, straight blue, green, red,
// alpha from the top row down, as long as decoder lives; nullptr when libwebp
// cannot decode it.
const uint8_t* FirstFrame(const std::vector<uint8_t>& data, const WebPBitstreamFeatures& features,
                          std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)>& decoder) {
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return nullptr;
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    const WebPData whole{data.data(), data.size()};
    decoder.reset(WebPAnimDecoderNew(&whole, &options));
    WebPAnimInfo info;
    uint8_t* frame = nullptr;
    int timestamp = 0;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info) ||
        static_cast<int>(info.canvas_width) != features.width ||
        static_cast<int>(info.canvas_height) != features.height ||
        !WebPAnimDecoderGetNext(decoder.get(), &frame, &timestamp))
        return nullptr;
    return frame;
}

} // namespace

void DecodeWebp(const std::string& path, const std::vector<uint8_t>& data,
                const PictureFormat& format, Bitmap& out, const Backdrop& under) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data.data(), data.size(), &features) != VP8_STATUS_OK)
        throw DamagedPicture(path, format);
    // An animation is composed on a canvas beside the decoded frame.
    PictureFormat counted = format;
    if (features.has_animation)
        counted.decodedImages = std::max(2, counted.decodedImages);
    CheckPictureHeader(path, counted, features.width, features.height,
                       static_cast<int64_t>(data.size()));
    const std::size_t rowBytes = static_cast<std::size_t>(features.width) * 4;
    std::vector<uint8_t> still;
    std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)> animation(nullptr,
                                                                           WebPAnimDecoderDelete);
    const uint8_t* pixels = nullptr;
    if (features.has_animation) {
        pixels = FirstFrame(data, features, animation);
    } else {
        still.resize(rowBytes * static_cast<std::size_t>(features.height));
        pixels = WebPDecodeBGRAInto(data.data(), data.size(), still.data(), still.size(),
                                    static_cast<int>(rowBytes));
    }
    if (!pixels)
        throw DamagedPicture(path, format);
    Bitmap picture(features.width, features.height);
    for (int y = 0; y < features.height; ++y)
        PutPictureRow(pixels + rowBytes * static_cast<std::size_t>(y), under, y, picture);
    out.Swap(picture);
}

}  // namespace velnora
