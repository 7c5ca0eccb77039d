#include "display/win32/Pictures.h"

#include <wincodec.h>

#include <string>
#include <utility>

namespace kelvarn {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T> class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p_ != nullptr) {
            p_->Release();
        }
    }
    T** out() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    T* p_ = nullptr;
};

Surface decode(const void* bytes, DWORD size) {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out())))) {
        return {};
    }
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), size))) {
        return {};
    }
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad,
                                                decoder.out()))) {
        return {};
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.out()))) {
        return {};
    }
    ComPtr<IWICBitmapSource> bgr;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.get(), bgr.out()))) {
        return {};
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(bgr->GetSize(&width, &height)) || width == 0 || height == 0 || width > 4096 ||
        height > 4096) {
        return {};
    }
    Surface out(int(width), int(height), Black);
    // 32bppBGR in memory is B, G, R, X: read as a little-endian word, 0xXXRRGGBB.
    if (FAILED(bgr->CopyPixels(nullptr, width * 4, width * height * 4,
                               reinterpret_cast<BYTE*>(out.data())))) {
        return {};
    }
    std::uint32_t* p = out.data();
    for (std::size_t i = 0, n = std::size_t(width) * height; i < n; ++i) {
        p[i] |= Opaque;
    }
    return out;
}

// Replaces `target` (a placeholder of the right size) with the named picture when it loads and
// has that size.
void load(Surface& target, const std::wstring& name) {
    Surface picture = loadPicture(name.c_str());
    if (picture.width() == target.width() && picture.height() == target.height()) {
        target = std::move(picture);
    }
}

} // namespace

Surface loadPicture(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (found == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0) {
        return {};
    }
    return decode(bytes, size);
}

Sprites loadSprites() {
    Sprites s = Sprites::placeholders();
    load(s.sss, L"sss");
    load(s.sssss, L"sssss");
    load(s.ss, L"ss");
    load(s.ssss, L"ssss");
    load(s.bbb2, L"bbb2");
    load(s.bbb, L"bbb");
    load(s.PicPlane1M, L"PicPlane1M");
    load(s.PicPlane1, L"PicPlane1");
    load(s.PicPlane2M, L"PicPlane2M");
    load(s.PicPlane2, L"PicPlane2");
    load(s.PicSub1M, L"PicSub1M");
    load(s.PicSub1, L"PicSub1");
    load(s.PicSub2M, L"PicSub2M");
    load(s.PicSub2, L"PicSub2");
    load(s.PicCrash1M, L"PicCrash1M");
    load(s.PicCrash1, L"PicCrash1");
    load(s.PicCrash2M, L"PicCrash2M");
    load(s.PicCrash2, L"PicCrash2");
    for (std::size_t k = 0; k < s.PicExpM.size(); ++k) {
        load(s.PicExpM[k], L"PicExpM" + std::to_wstring(k));
    }
    for (std::size_t k = 0; k < s.PicExp.size(); ++k) {
        load(s.PicExp[k], L"PicExp" + std::to_wstring(k));
    }
    load(s.boardBackground, L"MainBoard");
    return s;
}

HBITMAP bitmapFromSurface(const Surface& picture) {
    if (picture.width() <= 0 || picture.height() <= 0) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width();
    info.bmiHeader.biHeight = -picture.height(); // top-down rows, as the surface holds them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        return bitmap;
    }
    const std::size_t count = std::size_t(picture.width()) * std::size_t(picture.height());
    auto* out = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = picture.data()[i] & 0xFFFFFFu;
    }
    return bitmap;
}

} // namespace kelvarn
