// The wizard's driver, its dialogs and its backdrop in this process, with the
// real windows and dialog templates. Stand-in pages end themselves with the
// command a script gives them, so the driver's walk through the steps can be
// followed; the dialogs are answered from a second thread, as a person would.
#include "setup/config/SetupContext.h"
#include "setup/install/WizardCommands.h"
#include "setup/install/base/Restart.h"
#include "setup/start/errors/FileException.h"
#include "setup/wizard/framework/ExitConfirmation.h"
#include "setup/wizard/framework/FailureCapture.h"
#include "setup/wizard/framework/Picture.h"
#include "setup/wizard/framework/ProcessValues.h"
#include "setup/wizard/framework/WizardPage.h"
#include "setup/wizard/pages/FileInUseDialog.h"
#include "setup/wizard/windows/BackgroundPainter.h"
#include "setup/wizard/windows/SetupWindow.h"
#include "setup/wizard/windows/WizardSteps.h"
#include "tests/support/Bitmaps.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/TestFiles.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

using testing_support::clickButton;
using testing_support::ScratchFolder;
using testing_support::staticTexts;
using testing_support::waitForWindow;
using wizard_tests::installProbe;
using wizard_tests::probeRun;
using wizard_tests::waitForFile;

namespace {

const char* const kLanguageTexts = "[STRINGS]\r\n"
                                   "10=Restart\r\n"
                                   "11=Restart Windows now?\r\n";

std::unique_ptr<SetupContext> makeContext() {
    // The licence and readme templates hold rich-edit controls, as in setup.exe.
    static const HMODULE richEdit = LoadLibraryA("RICHED32.DLL");
    (void)richEdit;
    auto context = std::make_unique<SetupContext>();
    context->setLanguageDocument(std::make_unique<IniDocument>(kLanguageTexts));
    context->setVariable("SysReqAnyWindows", "Y");
    context->setVariable("ExitSetupTitle", "Leave the setup?");
    context->setVariable("ExitSetupText1", "Setup is not complete.");
    context->setVariable("ExitExit", "Exit");
    context->setVariable("ExitResume", "Resume");
    return context;
}

// The page slots as the loader sets them for the enabled pages.
void enablePages(SetupContext& context, std::initializer_list<PageIndex> pages) {
    for (PageIndex page : pages)
        context.setPageSlot(page, 1);
    context.setPageSlot(PageIndex::Progress, 1);
    context.setPageSlot(PageIndex::Completion, 1);
    PageIndex first = PageIndex::Progress;
    for (int page = static_cast<int>(PageIndex::Start);
         page >= static_cast<int>(PageIndex::Language); --page)
        if (context.pageSlot(static_cast<PageIndex>(page)) == 1)
            first = static_cast<PageIndex>(page);
    context.setFirstPage(first);
}

// What the stand-in pages do, and what they saw.
struct Script {
    std::vector<int> endings; // the command each shown page ends with, in turn
    std::vector<PageIndex> shown;
    bool failInPage = false;
};

class ScriptedPage : public WizardPage {
public:
    ScriptedPage(HWND dialog, SetupContext& context, Script& script, PageIndex page)
        : WizardPage(dialog, context), script_(script), page_(page) {}

    bool onInitDialog() override {
        const std::size_t turn = script_.shown.size();
        script_.shown.push_back(page_);
        if (script_.failInPage)
            context().loadLanguage("Missing");
        const int ending = turn < script_.endings.size() ? script_.endings[turn] : WZ_EXIT;
        PostMessageA(dialog(), WM_COMMAND, static_cast<WPARAM>(ending), 0);
        return true;
    }

    bool onCommand(int id, int notification) override {
        if (id >= WZ_RESUME && id <= WZ_RUN_APPLICATION) {
            end(id);
            return true;
        }
        return WizardPage::onCommand(id, notification);
    }

private:
    Script& script_;
    PageIndex page_;
};

class ScriptedFactory : public PageFactory {
public:
    ScriptedFactory(SetupContext& context, Script& script, PageIndex page)
        : PageFactory(context), script_(script), page_(page) {}
    std::unique_ptr<WizardPage> createPage(HWND dialog) override {
        return std::make_unique<ScriptedPage>(dialog, context(), script_, page_);
    }

private:
    Script& script_;
    PageIndex page_;
};

class ScriptedPages : public PageSet {
public:
    explicit ScriptedPages(Script& script, PageIndex missing = PageIndex::None)
        : script_(script), missing_(missing) {}
    std::unique_ptr<PageFactory> factoryFor(PageIndex page, SetupContext& context) override {
        if (page == missing_)
            return nullptr;
        return std::make_unique<ScriptedFactory>(context, script_, page);
    }

private:
    Script& script_;
    PageIndex missing_;
};

// Runs the wizard over the stand-in pages until its window is gone, the way
// the entry point does; returns the quit message's value and throws what a
// window or page kept.
int runWizard(SetupContext& context, PageSet& pages) {
    static const bool registered = (SetupWindow::registerClass(), true);
    (void)registered;
    SetupWindow window(context, pages);
    window.create();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    rethrowCapturedFailure();
    return static_cast<int>(message.wParam);
}

std::vector<PageIndex> walk(std::initializer_list<PageIndex> enabled, std::vector<int> endings) {
    auto context = makeContext();
    enablePages(*context, enabled);
    Script script;
    script.endings = std::move(endings);
    ScriptedPages pages(script);
    EXPECT_EQ(runWizard(*context, pages), 0);
    return script.shown;
}

using P = PageIndex;

TEST(WizardDriver, WalksThePagesTheSlotsEnable) {
    EXPECT_EQ(walk({P::Welcome, P::Finish}, {WZ_NEXT, WZ_NEXT, WZ_NEXT}),
              (std::vector<P>{P::Welcome, P::Progress, P::Finish}));
    EXPECT_EQ(
        walk({P::Language, P::Welcome, P::License, P::Finish},
             {WZ_NEXT, WZ_NEXT, WZ_BACK, WZ_BACK, WZ_NEXT, WZ_NEXT, WZ_NEXT, WZ_NEXT, WZ_NEXT}),
        (std::vector<P>{P::Language, P::Welcome, P::License, P::Welcome, P::Language, P::Welcome,
                        P::License, P::Progress, P::Finish}));
    // Back on the first page shown ends the run at once, without a question.
    EXPECT_EQ(walk({P::License, P::Finish}, {WZ_BACK}), (std::vector<P>{P::License}));
    // Exit from a page ends the run.
    EXPECT_EQ(walk({P::Welcome, P::TargetDirectory}, {WZ_NEXT, WZ_EXIT}),
              (std::vector<P>{P::Welcome, P::TargetDirectory}));
    // An unattended run shows only the progress page.
    EXPECT_EQ(walk({}, {WZ_NEXT}), (std::vector<P>{P::Progress}));
}

TEST(WizardDriver, AStepWithoutAPageEndsTheRun) {
    auto context = makeContext();
    enablePages(*context, {P::Welcome, P::License});
    Script script;
    script.endings = {WZ_NEXT, WZ_NEXT};
    ScriptedPages pages(script, P::License);
    EXPECT_EQ(runWizard(*context, pages), 0);
    EXPECT_EQ(script.shown, (std::vector<P>{P::Welcome}));
}

TEST(WizardDriver, AFailureInsideAPageReachesTheCallerAfterTheWindowsAreGone) {
    auto context = makeContext();
    enablePages(*context, {P::Welcome});
    Script script;
    script.failInPage = true;
    ScriptedPages pages(script);
    try {
        runWizard(*context, pages);
        FAIL() << "no failure arrived";
    } catch (const FileException& e) {
        EXPECT_EQ(e.fileName(), "Missing.dat");
        EXPECT_EQ(e.code(), 2);
    }
    EXPECT_EQ(FindWindowA(kMainWindowClassName, nullptr), nullptr);
    EXPECT_FALSE(failureCaptured());
    // The thread's queue holds no quit message that would close the next box.
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// Runs `answer` on a second thread while the wizard runs on this one.
class Answerer {
public:
    explicit Answerer(std::function<void()> answer) : thread_(std::move(answer)) {}
    ~Answerer() { thread_.join(); }

private:
    std::thread thread_;
};

struct CompletionFolder {
    ScratchFolder folder;
    std::string viewer = folder / "viewer.exe";
    std::string application;
    std::string decoy = folder / "My.exe";

    CompletionFolder() {
        CreateDirectoryA((folder / "My App").c_str(), nullptr);
        application = folder / "My App\\app.exe";
        installProbe(viewer);
        installProbe(application);
        installProbe(decoy);
    }
};

TEST(WizardCompletion, OpensTheReadmeThenStartsTheApplicationWhenTheViewerEnds) {
    CompletionFolder files;
    testing_support::writeFile(files.viewer + ".hold", "");
    auto context = makeContext();
    enablePages(*context, {P::Finish});
    context->setVariable("FinalReadmePathname", files.viewer);
    // Unquoted, with a blank: the decoy "My.exe" must not be taken for it.
    context->setVariable("Application_Pathname", files.application + " --first-run");
    context->setViewReadmeRequested(true);
    context->setRunApplicationRequested(true);
    Script script;
    script.endings = {WZ_NEXT, WZ_NEXT};
    ScriptedPages pages(script);

    bool applicationRanEarly = true;
    {
        Answerer answer([&] {
            if (!waitForFile(files.viewer + ".ran"))
                return;
            Sleep(300);
            applicationRanEarly = probeRun(files.application).has_value();
            DeleteFileA((files.viewer + ".hold").c_str());
        });
        EXPECT_EQ(runWizard(*context, pages), 0);
    }
    EXPECT_FALSE(applicationRanEarly);
    ASSERT_TRUE(waitForFile(files.application + ".ran"));
    const auto run = probeRun(files.application);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->commandLine, "\"" + files.application + "\" --first-run");
    EXPECT_EQ(run->directory, files.folder / "My App");
    EXPECT_FALSE(probeRun(files.decoy));
}

TEST(WizardCompletion, AnImitationRunOpensAndStartsNothing) {
    CompletionFolder files;
    auto context = makeContext();
    enablePages(*context, {P::Finish});
    context->setVariable("Imitation", "Y");
    context->setVariable("FinalReadmePathname", files.viewer);
    context->setVariable("Application_Pathname", files.application);
    context->setViewReadmeRequested(true);
    context->setRunApplicationRequested(true);
    Script script;
    script.endings = {WZ_NEXT, WZ_NEXT};
    ScriptedPages pages(script);
    EXPECT_EQ(runWizard(*context, pages), 0);
    Sleep(500);
    EXPECT_FALSE(probeRun(files.viewer));
    EXPECT_FALSE(probeRun(files.application));
}

TEST(WizardCompletion, APendingRestartAsksAndStartsNoApplication) {
    CompletionFolder files;
    auto context = makeContext();
    enablePages(*context, {P::Finish});
    context->setVariable("Application_Pathname", files.application);
    context->setRunApplicationRequested(true);
    Script script;
    script.endings = {WZ_NEXT, WZ_NEXT};
    ScriptedPages pages(script);
    setRestartPending(true);

    std::vector<std::string> question;
    {
        Answerer answer([&] {
            HWND box = waitForWindow("#32770", "Restart");
            if (box == nullptr)
                return;
            question = staticTexts(box);
            clickButton(box, IDNO);
        });
        EXPECT_EQ(runWizard(*context, pages), 0);
    }
    setRestartPending(false);
    EXPECT_EQ(question, (std::vector<std::string>{"Restart Windows now?"}));
    Sleep(300);
    EXPECT_FALSE(probeRun(files.application));
}

TEST(WizardDialogs, ExitConfirmationAnswers) {
    struct Case {
        const char* name;
        int control; // pressed; IDCANCEL stands for Esc and the close box
        INT_PTR expected;
    };
    const Case cases[] = {
        {"exit", 1001, WZ_EXIT},
        {"resume", 1000, WZ_RESUME},
        {"escape", IDCANCEL, WZ_EXIT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto context = makeContext();
        std::vector<std::string> texts;
        INT_PTR result = 0;
        {
            Answerer answer([&] {
                HWND dialog = waitForWindow("#32770", "Leave the setup?");
                if (dialog == nullptr)
                    return;
                texts = staticTexts(dialog);
                SendMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(c.control), 0);
            });
            result = runExitConfirmation(nullptr, *context);
        }
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(texts, (std::vector<std::string>{"Setup is not complete."}));
    }
}

TEST(WizardDialogs, FileInUseQuestionOnTheInstallationsThread) {
    struct Case {
        int control;
        InUseQuestion::Answer expected;
    };
    const Case cases[] = {
        {IDRETRY, InUseQuestion::Retry},
        {IDCANCEL, InUseQuestion::Cancel},
        {IDABORT, InUseQuestion::Abort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        auto context = makeContext();
        context->setVariable("InUseDialogTitle", "File in use");
        context->setVariable("InUseDialogText1", "This file is in use:");
        context->setVariable("InUseFilePathname", "C:\\Acme\\%ProductName%.dll");
        context->setVariable("ProductName", "tool");
        context->setVariable("InUseDialogText2", "Close the program.");
        FileInUseDialogQuestion question(*context);
        InUseQuestion::Answer answer = InUseQuestion::Retry;
        std::thread worker([&] { answer = question.ask("C:\\Acme\\tool.dll"); });
        HWND dialog = waitForWindow("#32770", "File in use");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
        EXPECT_EQ(staticTexts(dialog),
                  (std::vector<std::string>{"This file is in use:", "C:\\Acme\\tool.dll",
                                            "Close the program."}));
        clickButton(dialog, c.control);
        worker.join();
        EXPECT_EQ(answer, c.expected);
    }
}

// The backdrop rendered into a bitmap and read back pixel by pixel.
class Backdrop {
public:
    explicit Backdrop(SetupContext& context) : painter_(context) {
        window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    ~Backdrop() { DestroyWindow(window_); }

    void render(int width, int height) {
        painter_.render(window_, width, height);
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, painter_.bitmap());
    }
    void release() {
        if (dc_ == nullptr)
            return;
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        dc_ = nullptr;
    }
    COLORREF pixel(int x, int y) const { return GetPixel(dc_, x, y); }

    // The bounding box of the pixels of `colour` in the rows top..bottom.
    RECT find(COLORREF colour, int top, int bottom, int width) const {
        RECT box = {width, bottom, -1, -1};
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < width; ++x)
                if (pixel(x, y) == colour) {
                    box.left = std::min<LONG>(box.left, x);
                    box.right = std::max<LONG>(box.right, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.bottom = std::max<LONG>(box.bottom, y);
                }
        return box;
    }

    BackgroundPainter& painter() { return painter_; }

private:
    BackgroundPainter painter_;
    HWND window_;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

TEST(WizardBackground, GradientRowsHaveTheRampsColours) {
    auto context = makeContext();
    context->setVariable("SWGradientFill", "Yes");
    context->setVariable("SWColorFrom", "FF0000");
    context->setVariable("SWColorTo", "000000");
    Backdrop backdrop(*context);
    backdrop.render(1024, 768);
    const std::pair<int, COLORREF> rows[] = {{0, 0xFF0000},   {287, 0xFF0000}, {400, 0xF20000},
                                             {528, 0xC00000}, {700, 0x440000}, {767, 0x020000}};
    for (const auto& row : rows)
        for (int x : {0, 511, 1023})
            EXPECT_EQ(backdrop.pixel(x, row.first), row.second) << "row " << row.first;
    backdrop.release();
}

TEST(WizardBackground, FlatFillAndTheThreeLinesByAlignment) {
    auto context = makeContext();
    context->setVariable("SWGradientFill", "No");
    context->setVariable("SWColorFrom", "800000"); // dark blue
    context->setVariable("SWColorTo", "FFFFFF");
    context->setVariable("SWHeading", "%ProductName%");
    context->setVariable("ProductName", "WWWW");
    context->setVariable("SWHeadingFont", "Arial,40,700,0,0,0");
    context->setVariable("SWHeadingColor", "FFFFFF");
    context->setVariable("SWHeadingAlignment", "1x");
    context->setVariable("SWHeading3D", "Yes");
    context->setVariable("SWSubheading", "MMMM");
    context->setVariable("SWSubheadingFont", "Arial,16");
    context->setVariable("SWSubheadingColor", "00FF00");
    context->setVariable("SWSubheadingAlignment", "2");
    context->setVariable("SWFooter", "MMMM");
    context->setVariable("SWFooterFont", "Arial,16");
    context->setVariable("SWFooterColor", "0000FF");
    Backdrop backdrop(*context);
    backdrop.render(1024, 768);

    EXPECT_EQ(backdrop.pixel(5, 5), 0x800000u);
    EXPECT_EQ(backdrop.pixel(1000, 700), 0x800000u);

    const RECT heading = backdrop.find(0xFFFFFF, 0, 120, 1024);
    ASSERT_GE(heading.right, 0) << "no heading drawn";
    EXPECT_NEAR((heading.left + heading.right) / 2, 512, 4);
    EXPECT_GE(heading.top, 10);
    const RECT shadow = backdrop.find(0x000000, 0, 120, 1024);
    ASSERT_GE(shadow.right, 0) << "no shadow drawn";
    EXPECT_NEAR(shadow.right - heading.right, 3, 1);
    EXPECT_NEAR(shadow.bottom - heading.bottom, 3, 1);

    const RECT subheading = backdrop.find(0x00FF00, 0, 200, 1024);
    ASSERT_GE(subheading.right, 0) << "no subheading drawn";
    EXPECT_NEAR(subheading.right, 1004, 4);
    EXPECT_GE(subheading.top, 60); // 20 below the 40-pixel heading line
    EXPECT_LT(subheading.top, 80);

    const RECT footer = backdrop.find(0x0000FF, 600, 768, 1024);
    ASSERT_GE(footer.right, 0) << "no footer drawn";
    EXPECT_NEAR(footer.left, 20, 4);
    EXPECT_LE(footer.bottom, 758);
    EXPECT_GE(footer.bottom, 745);
    backdrop.release();
}

TEST(WizardBackground, PaintBeforeTheFirstRenderPaintsNothing) {
    auto context = makeContext();
    BackgroundPainter painter(*context);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, target);
    SetPixel(dc, 1, 1, RGB(1, 2, 3));
    painter.paint(dc);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(1, 2, 3));
    SelectObject(dc, previous);
    DeleteObject(target);
    DeleteDC(dc);
}

TEST(WizardPictures, LoadMeasureAndFailures) {
    ScratchFolder folder;
    const std::string picture = folder / "picture.bmp";
    testing_support::writeBitmapFile(picture, 200, 100, 0, 200, 0);
    const std::string garbage = folder.write("garbage.bmp", "not a picture at all");

    ComPointer<IPicture> loaded;
    ASSERT_EQ(loadPictureFile(picture, loaded), S_OK);
    const PixelSize size = pictureSizeInPixels(loaded.get());
    EXPECT_EQ(size.width, 200);
    EXPECT_EQ(size.height, 100);

    // Another program reading the picture does not keep it from showing.
    HANDLE reader = CreateFileA(picture.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(loadPictureFile(picture, loaded), S_OK);
    CloseHandle(reader);

    EXPECT_EQ(loadPictureFile(folder / "missing.bmp", loaded), static_cast<HRESULT>(0x80070002));
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(FAILED(loadPictureFile(garbage, loaded)));
    EXPECT_EQ(pictureSizeInPixels(nullptr).width, 0);
}

} // namespace
