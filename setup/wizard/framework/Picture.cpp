#include "setup/wizard/framework/Picture.h"

#include "setup/thread/OwnedHandle.h"
#include "setup/wizard/framework/Gdi.h"

namespace {

HRESULT lastErrorResult() {
    return static_cast<HRESULT>(0x80070000u | (GetLastError() & 0xFFFFu));
}

// Global memory until a stream takes it over.
class GlobalMemory {
public:
    explicit GlobalMemory(SIZE_T size) : memory_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
    ~GlobalMemory() {
        if (memory_ != nullptr)
            GlobalFree(memory_);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;

    HGLOBAL get() const { return memory_; }
    HGLOBAL release() {
        HGLOBAL memory = memory_;
        memory_ = nullptr;
        return memory;
    }

private:
    HGLOBAL memory_;
};

} // namespace

HRESULT loadPictureFile(const std::string& path, ComPointer<IPicture>& picture) {
    picture.reset();
    OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return lastErrorResult();
    const DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        return lastErrorResult();
    GlobalMemory memory(size);
    if (memory.get() == nullptr)
        return E_OUTOFMEMORY;
    void* bytes = GlobalLock(memory.get());
    if (bytes == nullptr)
        return E_OUTOFMEMORY;
    DWORD read = 0;
    const BOOL readOk = ReadFile(file.get(), bytes, size, &read, nullptr);
    GlobalUnlock(memory.get());
    if (!readOk || read != size)
        return E_FAIL;
    file.close();

    ComPointer<IStream> stream;
    const HRESULT created =
        CreateStreamOnHGlobal(memory.get(), TRUE, reinterpret_cast<IStream**>(stream.receive()));
    if (FAILED(created))
        return created;
    memory.release(); // the stream frees it now
    return OleLoadPicture(stream.get(), 0, TRUE, IID_IPicture, picture.receive());
}

PixelSize pictureSizeInPixels(IPicture* picture) {
    PixelSize size;
    if (picture == nullptr)
        return size;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    MemoryDeviceContext screen(nullptr);
    size.width = MulDiv(width, GetDeviceCaps(screen.get(), LOGPIXELSX), 2540);
    size.height = MulDiv(height, GetDeviceCaps(screen.get(), LOGPIXELSY), 2540);
    return size;
}

void drawPicture(IPicture* picture, HDC dc, const RECT& bounds) {
    if (picture == nullptr)
        return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    picture->Render(dc, bounds.left, bounds.top, bounds.right - bounds.left,
                    bounds.bottom - bounds.top, 0, height, width, -height, &bounds);
}
