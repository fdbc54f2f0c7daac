// SPDX-License-Identifier: GPL-3.0-or-later

#include "WicDecode.h"

#include "ComForThisThread.h"
#include "SystemMessage.h"
#include "WidePath.h"

#include <algorithm>
#include <vector>

#include <windows.h>
#include <wincodec.h>

namespace velnora {

namespace {

// A COM interface pointer, released when it goes.
template <class Interface> class ComPointer {
  public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_)
            pointer_->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    Interface** Out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }

  private:
    Interface* pointer_ = nullptr;
};

// Where the first frame lies on the picture, and what shows around it and
// through its transparent pixels (straight blue, green, red, alpha).
struct FramePlace {
    UINT width = 0, height = 0; // of the whole picture
    UINT left = 0, top = 0;
    uint8_t around[4] = {};
};

// A number of the metadata at path (WIC's query language); fallback when the
// decoder has none there.
UINT MetadataNumber(IWICMetadataQueryReader* metadata, const wchar_t* path, UINT fallback) {
    PROPVARIANT value;
    PropVariantInit(&value);
    if (!metadata || FAILED(metadata->GetMetadataByName(path, &value)))
        return fallback;
    UINT number = fallback;
    switch (value.vt) {
        case VT_UI1: number = value.bVal; break;
        case VT_UI2: number = value.uiVal; break;
        case VT_UI4: number = value.ulVal; break;
        case VT_BOOL: number = value.boolVal ? 1 : 0; break;
        default: break;
    }
    PropVariantClear(&value);
    return number;
}

// A GIF is a logical screen that its frames are drawn on: Qt's reader gives
// the whole screen, filled with the background colour of the global colour
// table (transparent without one, or when that colour is the transparent
// one) where the first frame does not cover it, as WIC's frame does not.
FramePlace GifPlace(IWICImagingFactory* factory, IWICBitmapDecoder* decoder,
                    IWICBitmapFrameDecode* frame, UINT frameWidth, UINT frameHeight) {
    ComPointer<IWICMetadataQueryReader> screen, image;
    decoder->GetMetadataQueryReader(screen.Out());
    frame->GetMetadataQueryReader(image.Out());
    FramePlace place;
    place.width = MetadataNumber(screen.Get(), L"/logscrdesc/Width", frameWidth);
    place.height = MetadataNumber(screen.Get(), L"/logscrdesc/Height", frameHeight);
    place.left = MetadataNumber(image.Get(), L"/imgdesc/Left", 0);
    place.top = MetadataNumber(image.Get(), L"/imgdesc/Top", 0);
    const UINT background = MetadataNumber(screen.Get(), L"/logscrdesc/BackgroundColorIndex", 0);
    const bool transparent =
        MetadataNumber(image.Get(), L"/grctlext/TransparencyFlag", 0) != 0 &&
        MetadataNumber(image.Get(), L"/grctlext/TransparentColorIndex", 0) == background;
    ComPointer<IWICPalette> palette;
    WICColor colours[256];
    UINT count = 0;
    if (!transparent && MetadataNumber(screen.Get(), L"/logscrdesc/GlobalColorTableFlag", 0) &&
        SUCCEEDED(factory->CreatePalette(palette.Out())) &&
        SUCCEEDED(decoder->CopyPalette(palette.Get())) &&
        SUCCEEDED(palette->GetColors(256, colours, &count)) && background < count) {
        // WICColor is 0xAARRGGBB: blue, green, red, alpha in memory.
        const WICColor colour = colours[background] | 0xFF000000u;
        for (int c = 0; c < 4; ++c)
            place.around[c] = static_cast<uint8_t>(colour >> (8 * c));
    }
    return place;
}

} // namespace

void DecodeWicFile(const std::string& path, int64_t fileBytes, const GUID& container,
                   const PictureFormat& format, Bitmap& out, const Backdrop& under) {
    const ComForThisThread com;
    ComPointer<IWICImagingFactory> factory;
    const HRESULT made = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_PPV_ARGS(factory.Out()));
    if (FAILED(made))
        throw std::runtime_error("Cannot read picture \"" + path + "\": " +
                                 SystemMessage(static_cast<unsigned long>(made)));
    // The decoder of the format the file's first bytes named, not the one WIC
    // would guess: the message names that format.
    ComPointer<IWICStream> stream;
    ComPointer<IWICBitmapDecoder> decoder;
    ComPointer<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromFilename(WidePath(path).c_str(), GENERIC_READ)) ||
        FAILED(factory->CreateDecoder(container, nullptr, decoder.Out())) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)))
        throw DamagedPicture(path, format);
    FramePlace place{width, height};
    if (IsEqualGUID(container, GUID_ContainerFormatGif))
        place = GifPlace(factory.Get(), decoder.Get(), frame.Get(), width, height);
    CheckPictureHeader(path, format, place.width, place.height, fileBytes);
    // Straight alpha, made premultiplied as Qt makes it: WIC's own
    // premultiplied output rounds its own way.
    ComPointer<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        throw DamagedPicture(path, format);
    Bitmap picture(static_cast<int>(place.width), static_cast<int>(place.height));
    // Row by row: never a second whole copy of the picture beside the decoder's.
    std::vector<uint8_t> row(std::size_t{place.width} * 4), frameRow(std::size_t{width} * 4);
    const UINT shown = place.left < place.width ? std::min(width, place.width - place.left) : 0;
    for (UINT y = 0; y < place.height; ++y) {
        for (std::size_t x = 0; x < row.size(); x += 4)
            std::copy(place.around, place.around + 4, row.begin() + static_cast<std::ptrdiff_t>(x));
        if (y >= place.top && y - place.top < height) {
            const WICRect line{0, static_cast<INT>(y - place.top), static_cast<INT>(width), 1};
            if (FAILED(converter->CopyPixels(&line, width * 4, width * 4, frameRow.data())))
                throw DamagedPicture(path, format);
            // The frame's transparent pixels leave what is around showing.
            for (UINT x = 0; x < shown; ++x)
                if (frameRow[4 * x + 3] != 0)
                    std::copy_n(frameRow.begin() + 4 * x, 4, row.begin() + 4 * (place.left + x));
        }
        PutPictureRow(row.data(), under, static_cast<int>(y), picture);
    }
    out.Swap(picture);
}

}  // namespace velnora
