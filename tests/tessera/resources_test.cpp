// Skin images through the window's cache, image decoding, and font lookup.

#include <gtest/gtest.h>

#include <filesystem>

#include "tessera/controls/button.h"
#include "tessera/core/image_cache.h"
#include "tessera/core/manager.h"
#include "tessera/platform/fonts.h"
#include "tessera/platform/image.h"
#include "tests/tessera/null_ui.h"

namespace tessera_test {
namespace {

namespace fs = std::filesystem;

std::wstring keyloom_test_data() {
    return fs::path(KEYLOOM_TEST_DATA_DIR "/tessera").wstring();
}

class ResourcesTest : public NullUiTest {
protected:
    void SetUp() override {
        NullUiTest::SetUp();
        folder_ =
            fs::temp_directory_path() /
            ("tessera_skin_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_ / "sub");
        Manager::SetSkinFolder(folder_.wstring());
    }
    void TearDown() override {
        Manager::SetSkinFolder(L"");
        fs::remove_all(folder_);
    }
    // Writes a w x h PNG of one colour into the skin folder.
    void WritePng(const std::string& name, int w, int h, std::uint32_t color = 0xFF336699) {
        Surface s(w, h);
        s.Fill(s.Bounds(), color);
        ASSERT_TRUE(SaveSurfaceToPng(s, (folder_ / name).wstring()));
    }
    fs::path folder_;
};

TEST_F(ResourcesTest, CacheKeepsTheFirstLoadWhateverFrameCountFollows) {
    WritePng("strip.png", 80, 20);
    ImageCache cache;
    ImgResInfo* four = cache.AddFile(L"strip.png", 4);
    ASSERT_NE(four, nullptr);
    EXPECT_EQ(four->width, 20);
    EXPECT_EQ(four->height, 20);
    ImgResInfo* one = cache.AddFile(L"strip.png", 1);
    EXPECT_EQ(one, four);
    EXPECT_EQ(one->width, 20);
    EXPECT_EQ(cache.Size(), 1u);
}

TEST_F(ResourcesTest, MissingImagesAreNotCachedSoALaterFileLoads) {
    ImageCache cache;
    EXPECT_EQ(cache.AddFile(L"late.png", 1), nullptr);
    EXPECT_EQ(cache.AddFile(L"late.png", 1), nullptr);
    EXPECT_EQ(cache.Size(), 0u);
    WritePng("late.png", 5, 5);
    EXPECT_NE(cache.AddFile(L"late.png", 1), nullptr);
}

TEST_F(ResourcesTest, NamesAreExactKeysAndEitherSeparatorFindsSubfolders) {
    WritePng("sub/a.png", 3, 3);
    ImageCache cache;
    ImgResInfo* back = cache.AddFile(L"sub\\a.png", 1);
    ImgResInfo* leading = cache.AddFile(L"\\sub\\a.png", 1);
    ImgResInfo* forward = cache.AddFile(L"sub/a.png", 1);
    ASSERT_NE(back, nullptr);
    ASSERT_NE(leading, nullptr);
    ASSERT_NE(forward, nullptr);
    // Three spellings, three entries (the file system finds one file).
    EXPECT_EQ(cache.Size(), 3u);
    EXPECT_NE(back, forward);
    EXPECT_EQ(cache.AddFile(L"SUB/A.png", 1), nullptr);  // the file system is case-sensitive
}

TEST_F(ResourcesTest, FrameworkImagesHaveTheirStatedSizes) {
    ImageCache cache;
    ImgResInfo* h = cache.AddResource(101, 1, false);
    ImgResInfo* v = cache.AddResource(102, 1, false);
    ASSERT_NE(h, nullptr);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(CSize(h->image->Width(), h->image->Height()), CSize(22, 20));
    EXPECT_EQ(CSize(v->image->Width(), v->image->Height()), CSize(12, 72));
    EXPECT_EQ(cache.AddResource(103, 1, false), nullptr);
    EXPECT_EQ(cache.AddResource(101, 1, true), nullptr);  // not one of the program's
}

TEST_F(ResourcesTest, StateImagesNeedAManagerAndALoadableFile) {
    WritePng("btn.png", 10, 10);
    RecordingDialog d;
    MControlFont* button = nullptr;
    d.build = [&](RecordingDialog& dd, CRect) {
        button =
            static_cast<MControlFont*>(dd.CreateControl(L"MButton", 1, CRect(0, 0, 40, 20), L""));
    };
    d.Open(50, 30);
    EXPECT_EQ(button->SetNormalImage(L"btn.png"), 1);
    EXPECT_EQ(button->SetHoverImage(L"missing.png"), 0);
    EXPECT_EQ(button->GetStateImage(1), nullptr);
    MButton orphan(nullptr, 2, CRect(), L"", 1, 1);
    EXPECT_EQ(orphan.SetNormalImage(L"btn.png"), 0);
}

TEST(Images, DecodesGifFramesIconsAndRejectsNonImages) {
    const std::wstring data = keyloom_test_data();
    auto gif = LoadImageFromFile(data + L"/two_frames.gif");
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(gif->FrameCount(), 2);
    EXPECT_EQ(gif->FrameDelayMs(0), 200);
    EXPECT_EQ(gif->FrameDelayMs(1), 400);
    EXPECT_EQ(gif->Frame(0).PixelAt(1, 1), 0xFFFF0000u);
    EXPECT_EQ(gif->Frame(1).PixelAt(1, 1), 0xFF0000FFu);

    auto icon = LoadImageFromFile(data + L"/icon.ico");
    ASSERT_NE(icon, nullptr);
    EXPECT_GE(icon->Width(), 16);
    EXPECT_EQ(icon->Frame(0).PixelAt(4, 4), 0xFF00FF00u);

    EXPECT_EQ(LoadImageFromFile(data + L"/no_such.png"), nullptr);
    const char text[] = "not an image";
    EXPECT_EQ(LoadImageFromMemory(text, sizeof text), nullptr);
    EXPECT_EQ(LoadImageFromMemory(nullptr, 0), nullptr);
}

TEST(Images, PngRoundTripKeepsPremultipliedPixels) {
    Surface s(2, 1);
    s.SetPixel(0, 0, PremultiplyArgb(0x80FF0000));
    s.SetPixel(1, 0, 0xFF00FF00);
    const fs::path file = fs::temp_directory_path() / "tessera_roundtrip.png";
    ASSERT_TRUE(SaveSurfaceToPng(s, file.wstring()));
    auto back = LoadImageFromFile(file.wstring());
    fs::remove(file);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Frame(0).PixelAt(0, 0), s.PixelAt(0, 0));
    EXPECT_EQ(back->Frame(0).PixelAt(1, 0), 0xFF00FF00u);
    EXPECT_FALSE(SaveSurfaceToPng(Surface(), file.wstring()));
}

TEST(Fonts, FrameworkFacesResolveAndMissingFacesFallBack) {
    // The framework face stands on the installed CJK face; the Latin face is installed.
    EXPECT_TRUE(IsFontFaceAvailable(kFrameworkFaceName));
    EXPECT_TRUE(IsFontFaceAvailable(kLatinFaceName));
    EXPECT_NE(ResolveFontFamilies(kFrameworkFaceName).find(L"WenQuanYi Micro Hei"),
              std::wstring::npos);
    EXPECT_FALSE(FindFontFile(kLatinFaceName).empty());
    EXPECT_FALSE(IsFontFaceAvailable(L"No Such Face 123"));
    const std::wstring fallback = ResolveFontFamilies(L"No Such Face 123");
    EXPECT_EQ(fallback.find(L"No Such Face"), std::wstring::npos);
    EXPECT_NE(fallback.find(L"Loma"), std::wstring::npos);
    EXPECT_TRUE(FindFontFile(L"No Such Face 123").empty());
}

TEST_F(ResourcesTest, FindTempFontAnswersWithTheFrameworkFaceForAnyName) {
    RecordingDialog d;
    d.Open(20, 20);
    PaintManager& pm = d.GetPaintManager();
    const std::wstring a = pm.FindTempFont(L"Arial");
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(pm.FindTempFont(L"Something Else"), a);
    EXPECT_EQ(a, ResolveFontFamilies(Manager::GetFontName()));
    // A control asks for a face by name: only faces the window holds answer.
    MButton button(&d, 1, CRect(), L"", 1, 1);
    button.SetManager(&pm);
    EXPECT_FALSE(button.GetFontFamily(kLatinFaceName).empty());
    EXPECT_TRUE(button.GetFontFamily(L"Arial").empty());
}

}  // namespace
}  // namespace tessera_test
