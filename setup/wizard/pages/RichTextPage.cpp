#include "setup/wizard/pages/RichTextPage.h"

#include "setup/config/SetupContext.h"
#include "setup/wizard/framework/Controls.h"
#include "setup/wizard/resources/Resources.h"

#include <richedit.h>

#include <cstdio>

namespace {

bool isRtfPath(const std::string& path) {
    return path.size() >= 5 && lstrcmpiA(path.c_str() + path.size() - 4, ".rtf") == 0;
}

DWORD CALLBACK readFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* delivered) {
    std::FILE* file = reinterpret_cast<std::FILE*>(cookie);
    *delivered =
        file != nullptr && wanted > 0
            ? static_cast<LONG>(std::fread(buffer, 1, static_cast<std::size_t>(wanted), file))
            : 0;
    return 0;
}

// Closes the file on every way out.
struct TextFile {
    explicit TextFile(const std::string& path) : file(std::fopen(path.c_str(), "rt")) {}
    ~TextFile() {
        if (file != nullptr)
            std::fclose(file);
    }
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    std::FILE* file;
};

} // namespace

void loadRichTextFile(HWND control, const std::string& path) {
    TextFile text(path);
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(text.file);
    stream.pfnCallback = readFromFile;
    SendMessageA(control, EM_STREAMIN, isRtfPath(path) ? SF_RTF : SF_TEXT,
                 reinterpret_cast<LPARAM>(&stream));
}

bool RichTextPage::showFile(const char* pathVariable) {
    loadRichTextFile(control(IDC_EDIT), context().getVariable(pathVariable, true));
    focusControl(control(IDC_EDIT));
    centre();
    return false;
}
