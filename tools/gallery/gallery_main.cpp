// The gallery: the framework's pieces and the skin in one real window.
//   gallery                      interactive
//   gallery --selftest [--screenshot FILE]   scripted run through the X server

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tessera/platform/fonts.h"
#include "tessera/platform/gtk/gtk_platform.h"
#include "tools/gallery/gallery_selftest.h"
#include "tools/gallery/gallery_window.h"

int main(int argc, char** argv) {
    bool selfTest = false;
    std::string screenshot;
    unsigned lcid = 2052;  // simplified Chinese glyphs for the CJK sample line
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--selftest") == 0) {
            selfTest = true;
        } else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (std::strcmp(argv[i], "--lcid") == 0 && i + 1 < argc) {
            lcid = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            std::fprintf(stderr, "usage: %s [--selftest] [--screenshot FILE] [--lcid ID]\n",
                         argv[0]);
            return 2;
        }
    }
    auto platform = Tessera::CreateGtkPlatform();
    if (!platform) {
        std::fprintf(stderr, "gallery: no X display (set DISPLAY)\n");
        return 1;
    }
    Tessera::UsePlatform(std::move(platform));
    Tessera::SetTextLanguage(lcid);

    const std::wstring folder = Tessera::GetProgramFolder();
    if (screenshot.empty()) {
        std::string utf8(folder.begin(), folder.end());  // the build folder is ASCII
        screenshot = utf8 + "../screenshots/gallery.png";
    }
    gallery::GalleryWindow window(folder + L"images/");
    if (!window.Create({120, 80})) {
        std::fprintf(stderr, "gallery: cannot create the window\n");
        return 1;
    }
    if (selfTest) {
        const int failures = gallery::RunSelfTest(window, screenshot);
        std::printf("gallery self-test: %d failed; screenshot %s\n", failures, screenshot.c_str());
        return failures == 0 ? 0 : 1;
    }
    Tessera::CurrentPlatform().RunLoop([&window] { return window.IsOpen(); });
    return 0;
}
