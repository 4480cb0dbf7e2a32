#include "setup/wizard/framework/FolderBrowser.h"

#include "setup/records/helpers/ComPointer.h"
#include "setup/start/errors/WinException.h"

#include <shlobj.h>

namespace {

// An item list of the shell, freed with the shell's allocator.
class ItemList {
public:
    explicit ItemList(IMalloc* allocator) : allocator_(allocator) {}
    ~ItemList() {
        if (items_ != nullptr)
            allocator_->Free(items_);
    }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    LPITEMIDLIST* receive() { return &items_; }
    LPITEMIDLIST get() const { return items_; }
    void reset(LPITEMIDLIST items) {
        if (items_ != nullptr)
            allocator_->Free(items_);
        items_ = items;
    }

private:
    IMalloc* allocator_;
    LPITEMIDLIST items_ = nullptr;
};

int CALLBACK initialise(HWND browser, UINT message, LPARAM /*lParam*/, LPARAM data) {
    if (message == BFFM_INITIALIZED)
        SendMessageA(browser, WM_SETTEXT, 0, data);
    return 0;
}

} // namespace

std::string browseForFolder(HWND owner, const std::string& instruction,
                            const std::string& caption) {
    ComPointer<IMalloc> allocator;
    if (SHGetMalloc(reinterpret_cast<IMalloc**>(allocator.receive())) == E_FAIL || !allocator)
        throw WinException("Couldn't obtain Shell Malloc");
    ComPointer<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.receive()))))
        throw WinException("SHGetDesktopFolder failed");

    ItemList root(allocator.get());
    wchar_t emptyName[1] = {0};
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, emptyName, nullptr, root.receive(),
                                         nullptr)))
        return std::string();

    char displayName[MAX_PATH] = {};
    BROWSEINFOA settings = {};
    settings.hwndOwner = owner;
    settings.pidlRoot = root.get();
    settings.pszDisplayName = displayName;
    settings.lpszTitle = instruction.c_str();
    settings.ulFlags = BIF_RETURNONLYFSDIRS;
    settings.lpfn = initialise;
    settings.lParam = reinterpret_cast<LPARAM>(caption.c_str());

    ItemList chosen(allocator.get());
    chosen.reset(SHBrowseForFolderA(&settings));
    if (chosen.get() == nullptr)
        return std::string();
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(chosen.get(), path))
        return std::string();
    return path;
}
