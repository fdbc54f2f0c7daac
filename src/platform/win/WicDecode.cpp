// SPDX-License-Identifier: GPL-3.0-or-later

#include "WicDecode.h"

#include "SystemMessage.h"
#include "WidePath.h"

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

// COM on this thread while a picture is read. A thread of the window has it
// already (the picture dialog needs it), single-threaded: then that stays.
class ComInThread {
  public:
    ComInThread() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComInThread() {
        if (joined_)
            CoUninitialize();
    }
    ComInThread(const ComInThread&) = delete;
    ComInThread& operator=(const ComInThread&) = delete;

  private:
    bool joined_;
};

} // namespace

void DecodeWicFile(const std::string& path, int64_t fileBytes, const GUID& container,
                   const PictureFormat& format, Bitmap& out, const Backdrop& under) {
    const ComInThread com;
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
    CheckPictureHeader(path, format, width, height, fileBytes);
    // Straight alpha, made premultiplied as Qt makes it: WIC's own
    // premultiplied output rounds its own way.
    ComPointer<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        throw DamagedPicture(path, format);
    Bitmap picture(static_cast<int>(width), static_cast<int>(height));
    // Row by row: never a second whole copy of the picture beside the decoder's.
    std::vector<uint8_t> row(std::size_t{width} * 4);
    for (UINT y = 0; y < height; ++y) {
        const WICRect line{0, static_cast<INT>(y), static_cast<INT>(width), 1};
        if (FAILED(converter->CopyPixels(&line, width * 4, width * 4, row.data())))
            throw DamagedPicture(path, format);
        PutPictureRow(row.data(), under, static_cast<int>(y), picture);
    }
    out.Swap(picture);
}

}  // namespace velnora
