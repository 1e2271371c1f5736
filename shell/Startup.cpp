#include "shell/Startup.h"

#include <cstddef>
#include <exception>
#include <string_view>

#include "fw/Application.h"
#include "fw/Event.h"
#include "game/CardCanvas.h"
#include "game/FudaCanvas.h"
#include "game/KarutaWindow.h"
#include "game/MessageWindow.h"
#include "game/wrapper_MyTimer.h"
#include "shell/App.h"
#include "shell/FileTypes.h"
#include "shell/MenuBar1.h"
#include "shell/resources/Version.h"

namespace shell {

const std::array<fw::Initializer, 10> kInitializers = {
    &FileTypes::pAllFileTypes_Init,
    &FileTypes::pText_Init,
    &game::KarutaWindow::wrapper_MyTimer::ctblinit,
    &game::CardCanvas::ctblinit,
    &game::FudaCanvas::ctblinit,
    &game::KarutaWindow::ctblinit,
    &MenuBar1::implicitInstance_Init,
    &MenuBar1::ctblinit,
    &App::ctblinit,
    &game::MessageWindow::ctblinit,
};

const fw::PluginEntry kPluginTable[] = {{nullptr, nullptr, nullptr}};

int wWinMain(void* instance, void* previousInstance, const wchar_t* commandLine, int showMode) {
    return RunProgram(kInitializers, instance, previousInstance, commandLine, showMode);
}

int RunProgram(std::span<const fw::Initializer> initializers, void* instance,
               void* previousInstance, const wchar_t* commandLine, int showMode) {
    fw::RuntimeInit(instance, previousInstance, commandLine, showMode);
    fw::RuntimePerformInitializers(initializers);
    try {
        Main();
    } catch (...) {
        // Only what the default handler itself raised gets here. The run ends all the same:
        // the finalisers run and RuntimeExit still gives the exit code.
    }
    fw::RuntimePerformFinalizers();
    return fw::RuntimeExit();
}

void Main() {
    try {
        // An initialiser's exception ends start-up before its first step.
        if (auto pending = fw::TakePendingException()) std::rethrow_exception(pending);
        {
            auto helper = fw::RuntimeCreateDelegate(&fw::CallFunctionWithExceptionHandling,
                                                    "( Ptr, Ptr ) as Object");
            fw::RuntimeSetExceptionHelper(helper->FunctionPointer());
        }
        fw::StampFrameworkVersion(2021.011);
        EarlyStartup();
        {
            auto late = fw::RuntimeCreateDelegate(&LateStartup, "(  )");
            fw::RunFrameworkInitialization(late->FunctionPointer());
        }
        fw::RuntimeRun();
    } catch (...) {
        fw::UnhandledException(std::current_exception());
    }
}

void EarlyStartup() {
    fw::Application::SetSupportsHiDPI(true);
    fw::RuntimeInitExternalClasses();
    fw::InitPluginEntrypoints(kPluginTable);
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
}

void InitFileTypes() { FileTypes::Initialize(); }

void NewAppInstance() {
    auto app = fw::RuntimeCheckCast<App>(fw::RuntimeNewObject(App::Lookup()));
    app->Constructor();
    app->x_SetVersionData(1, 5, 0, 0, 3, UKISOMI_AUTHOR_LINE, "1.0", "");
    app->SanityCheckWDDM();
    app->SetMenuBar(MenuBar1::Implicit());
    fw::RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers() {}

void LateStartup() { MakeDefaultView(); }

// The game window opens itself: its design values make it visible.
void MakeDefaultView() { game::KarutaWindow::Implicit(); }

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point from the front of `bytes` and drops what it used; a byte that does
// not start a well-formed sequence (overlong, surrogate, beyond U+10FFFF, cut short) gives
// U+FFFD and is dropped alone.
char32_t TakeCodePoint(std::string_view& bytes) {
    const auto lead = static_cast<unsigned char>(bytes.front());
    if (lead < 0x80) {
        bytes.remove_prefix(1);
        return lead;
    }
    int length = 0;
    char32_t value = 0, minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    }
    if (length == 0 || bytes.size() < static_cast<std::size_t>(length)) {
        bytes.remove_prefix(1);
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            bytes.remove_prefix(1);
            return kReplacement;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        bytes.remove_prefix(1);
        return kReplacement;
    }
    bytes.remove_prefix(static_cast<std::size_t>(length));
    return value;
}

void AppendWide(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) >= 4) {
        out.push_back(static_cast<wchar_t>(c));
    } else if (c >= 0x10000) {
        c -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(c));
    }
}

// Quotes an argument the way the Windows runtime splits a command line apart again: blanks
// and quotes need quoting, and backslashes double only before a quote.
void AppendArgument(std::wstring& out, std::string_view argument) {
    const bool quote = argument.empty() || argument.find_first_of(" \t\n\v\"") != argument.npos;
    if (!quote) {
        while (!argument.empty()) AppendWide(out, TakeCodePoint(argument));
        return;
    }
    out.push_back(L'"');
    std::size_t backslashes = 0;
    while (!argument.empty()) {
        const char32_t c = TakeCodePoint(argument);
        if (c == U'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == U'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        AppendWide(out, c);
    }
    out.append(2 * backslashes, L'\\');
    out.push_back(L'"');
}

}  // namespace

std::wstring CommandLineTail(int argc, const char* const* argv) {
    std::wstring tail;
    for (int i = 1; i < argc && argv[i]; ++i) {
        if (i > 1) tail.push_back(L' ');
        AppendArgument(tail, argv[i]);
    }
    return tail;
}

}  // namespace shell
