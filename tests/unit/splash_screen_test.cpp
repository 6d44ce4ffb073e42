#include "framework/Module.h"
#include "framework/WindowClass.h"
#include "splash/BitmapFile.h"
#include "splash/SplashScreen.h"
#include "support/TestBitmap.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

const UINT kSplashClassStyle = CS_DBLCLKS | CS_SAVEBITS;

std::vector<UINT> g_registeredStyles;
bool g_refuseShadow;
bool g_refuseAll;

// Stands in for RegisterClassExA: records what was asked and refuses as told.
ATOM WINAPI ScriptedRegistrar(const WNDCLASSEXA* description)
{
    g_registeredStyles.push_back(description->style);
    if (g_refuseAll || (g_refuseShadow && (description->style & CS_DROPSHADOW)))
        return 0;
    return RegisterClassExA(description);
}

UINT RegisteredSplashStyle()
{
    WNDCLASSEXA description = { sizeof(description) };
    if (!GetClassInfoExA(g_module.GetInstance(), "SplashScreenWindow", &description))
        return 0xFFFFFFFF;
    return description.style;
}

void Patch32(std::string& bytes, size_t offset, uint32_t value)
{
    std::memcpy(&bytes[offset], &value, sizeof(value));
}

void Patch16(std::string& bytes, size_t offset, uint16_t value)
{
    std::memcpy(&bytes[offset], &value, sizeof(value));
}

// Offsets in a file with a BITMAPINFOHEADER.
const size_t kOffBits = 10, kHeaderSize = 14, kWidth = 18, kHeight = 22, kBitCount = 28, kCompression = 30,
             kImageSize = 34;

// A 24-bit file of 5 x 3 pixels with the small BITMAPCOREHEADER.
std::string CoreHeaderBmp()
{
    std::string file = "BM";
    file.resize(14 + 12, '\0');
    const uint32_t pixelBytes = 16 * 3; // 5 * 3 bytes padded to 16 per row
    Patch32(file, 2, 14 + 12 + pixelBytes);
    Patch32(file, kOffBits, 14 + 12);
    Patch32(file, kHeaderSize, 12);
    Patch16(file, 18, 5);
    Patch16(file, 20, 3);
    Patch16(file, 22, 1);
    Patch16(file, 24, 24);
    return file + std::string(pixelBytes, '\x40');
}

} // namespace

// The real exe shows the class style it registered (tests/e2e/splash_test);
// what it does when the system refuses a registration only a scripted
// registrar can show.
class SplashScreenObject : public testing::Test
{
protected:
    void SetUp() override
    {
        g_module.Init(GetModuleHandleA(nullptr));
        m_previousRegistrar = SetClassRegistrar(ScriptedRegistrar);
        m_bitmapPath = m_directory.WriteFile("splash.bmp", EncodeBmp(MakeBitmap(20, 10, Gradient), 24));
    }
    void TearDown() override
    {
        SetClassRegistrar(m_previousRegistrar);
        CSplashScreen::GetWindowClass().Unregister();
        g_module.Term();
    }

    TestDirectory m_directory;
    std::string m_bitmapPath;
    ClassRegistrar m_previousRegistrar = nullptr;
};

TEST_F(SplashScreenObject, DropsTheShadowWhenItIsRefusedAndShowsNothingWhenAllIs)
{
    struct Row {
        const char* name;
        bool shadow, refuseShadow, refuseAll;
        std::vector<UINT> attempts;
        bool window;
    } rows[] = {
        { "shadow refused", true, true, false, { kSplashClassStyle | CS_DROPSHADOW, kSplashClassStyle }, true },
        { "everything refused, shadow", true, false, true, { kSplashClassStyle | CS_DROPSHADOW, kSplashClassStyle }, false },
        { "everything refused, no shadow", false, false, true, { kSplashClassStyle }, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CSplashScreen::GetWindowClass().Unregister();
        g_registeredStyles.clear();
        g_refuseShadow = row.refuseShadow;
        g_refuseAll = row.refuseAll;

        CSplashScreen splash;
        HWND window = splash.Create(m_bitmapPath.c_str(), row.shadow);
        EXPECT_EQ(row.attempts, g_registeredStyles);
        EXPECT_EQ(row.window, window != nullptr);
        EXPECT_EQ(window, splash.GetHandle());
        if (window)
            EXPECT_EQ(row.attempts.back(), RegisteredSplashStyle());
    }
}

TEST(BitmapFile, IsCompleteWhenTheFileHoldsThePixelsItsHeadersAnnounce)
{
    const std::string bmp = EncodeBmp(MakeBitmap(5, 3, Gradient), 24); // rows of 16 bytes
    auto patched = [&](const std::function<void(std::string&)>& change) {
        std::string bytes = bmp;
        change(bytes);
        return bytes;
    };
    std::string rle = patched([](std::string& b) {
        Patch16(b, kBitCount, 8);
        Patch32(b, kCompression, BI_RLE8);
        Patch32(b, kImageSize, 20);
    });
    struct Row { const char* name; std::string bytes; bool complete; } rows[] = {
        { "complete", bmp, true },
        { "with bytes after the pixels", bmp + "trailer", true },
        { "top-down", patched([](std::string& b) { Patch32(b, kHeight, static_cast<uint32_t>(-3)); }), true },
        { "core header", CoreHeaderBmp(), true },
        { "core header cut off", CoreHeaderBmp().substr(0, 14 + 12 + 40), false },
        { "compressed, size given", rle, true },
        { "compressed, size beyond the file", patched([&](std::string& b) { b = rle; Patch32(b, kImageSize, 49); }), false },
        { "compressed, no size", patched([&](std::string& b) { b = rle; Patch32(b, kImageSize, 0); }), false },
        { "last byte missing", bmp.substr(0, bmp.size() - 1), false },
        { "headers only", bmp.substr(0, 54), false },
        { "file header only", bmp.substr(0, 14), false },
        { "empty", "", false },
        { "not BM", patched([](std::string& b) { b[0] = 'P'; }), false },
        { "pixels said to start inside the headers", patched([](std::string& b) { Patch32(b, kOffBits, 40); }), false },
        { "pixels said to start further on", patched([](std::string& b) { Patch32(b, kOffBits, 55); }), false },
        { "unknown header size", patched([](std::string& b) { Patch32(b, kHeaderSize, 20); }), false },
        { "no width", patched([](std::string& b) { Patch32(b, kWidth, 0); }), false },
        { "negative width", patched([](std::string& b) { Patch32(b, kWidth, static_cast<uint32_t>(-5)); }), false },
        { "no height", patched([](std::string& b) { Patch32(b, kHeight, 0); }), false },
        { "odd depth", patched([](std::string& b) { Patch16(b, kBitCount, 0xFFFF); }), false },
        { "huge dimensions", patched([](std::string& b) {
              Patch32(b, kWidth, 0x7FFFFFFF);
              Patch32(b, kHeight, 0x80000000);
              Patch16(b, kBitCount, 32);
          }), false },
    };
    TestDirectory directory;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string path = directory.WriteFile("file.bmp", row.bytes);
        EXPECT_EQ(row.complete, IsCompleteBitmapFile(path.c_str()));
    }
    EXPECT_FALSE(IsCompleteBitmapFile(directory.MakeDirectory("folder.bmp").c_str()));
}
