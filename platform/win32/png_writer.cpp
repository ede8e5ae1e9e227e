// PNG output through the Windows Imaging Component, the encoder Windows has:
// the picture is encoded into a memory stream, then written as a whole file.
#include "platform/png_writer.h"

#include "platform/file_output.h"

#include <windows.h>

#include <wincodec.h>

#include <cstdio>

namespace {
// Releases a COM interface when it goes.
template <class Interface>
struct ComPointer {
    Interface* pointer = nullptr;
    ~ComPointer()
    {
        if (pointer)
            pointer->Release();
    }
    Interface** operator&() { return &pointer; }
    Interface* operator->() const { return pointer; }
};

// COM is started once, for the thread the program runs on (started already in
// another model serves as well).
bool comStarted()
{
    static const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
}

// The encoder wants blue, green, red, in rows of width * 3 bytes.
std::vector<std::uint8_t> bgrFromRgb(const std::vector<std::uint8_t>& rgb)
{
    std::vector<std::uint8_t> bgr(rgb.size());
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
        bgr[i] = rgb[i + 2];
        bgr[i + 1] = rgb[i + 1];
        bgr[i + 2] = rgb[i];
    }
    return bgr;
}

// Encodes the picture as a PNG into `stream`; false at the first failure.
bool encodeInto(IStream* stream, int width, int height, std::vector<std::uint8_t> bgr)
{
    ComPointer<IWICImagingFactory> factory;
    ComPointer<IWICBitmapEncoder> encoder;
    ComPointer<IWICBitmapFrameEncode> frame;
    ComPointer<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const UINT stride = UINT(width) * 3;
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory))) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) &&
           SUCCEEDED(frame->Initialize(options.pointer)) &&
           SUCCEEDED(frame->SetSize(UINT(width), UINT(height))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) &&
           IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
           SUCCEEDED(frame->WritePixels(UINT(height), stride, UINT(bgr.size()), bgr.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// The bytes a memory stream holds.
bool streamBytes(IStream* stream, std::vector<std::uint8_t>& bytes)
{
    HGLOBAL memory = nullptr;
    STATSTG status = {};
    if (FAILED(GetHGlobalFromStream(stream, &memory)) ||
        FAILED(stream->Stat(&status, STATFLAG_NONAME)))
        return false;
    const auto* data = static_cast<const std::uint8_t*>(GlobalLock(memory));
    if (!data)
        return false;
    bytes.assign(data, data + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return true;
}
} // namespace

bool writePngRgb(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& rgbTopFirst, std::string& error)
{
    if (width <= 0 || height <= 0 || rgbTopFirst.size() != std::size_t(width) * height * 3) {
        error = "no picture to write";
        return false;
    }
    ComPointer<IStream> stream;
    std::vector<std::uint8_t> png;
    if (!comStarted() || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        !encodeInto(stream.pointer, width, height, bgrFromRgb(rgbTopFirst)) ||
        !streamBytes(stream.pointer, png)) {
        error = "the PNG encoder failed";
        return false;
    }
    return writeFileBytes(path, png, error);
}
