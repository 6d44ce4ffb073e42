#include "support/Expectations.h"
#include "support/ShippedApp.h"
#include "support/TestBitmap.h"

#include <gtest/gtest.h>

#include <sstream>

// Whole launches with a splash bitmap configured. Most end in one error box,
// by default the missing class path of the step after the splash, which lets
// the probe see the splash together with the box it owns; the last test runs
// a whole launch through the stand-in jvm.dll.
namespace {

std::string Ini(const std::string& displaySection)
{
    return "[Display]\r\n" + displaySection;
}

std::string Hex(COLORREF colour)
{
    std::ostringstream text;
    text << std::hex << colour;
    return text.str();
}

} // namespace

class SplashScreen : public testing::Test
{
protected:
    // The launch went on to the step that shows the error (by default the
    // configuration step), whose one box is owned by the splash, still on
    // screen when the box was answered; or, without a splash, by nothing.
    static void ExpectBoxOwnership(const LaunchResult& result, const std::string& text = kClassPathMissing)
    {
        ExpectOnlyMessage(result, text, result.splash.seen ? result.splash.window : nullptr);
        if (result.splash.seen && result.boxes.size() == 1) {
            EXPECT_EQ(kSplashWindowClass, result.boxes[0].ownerClass);
            EXPECT_TRUE(result.boxes[0].splashVisible);
        }
    }

    // Compares the part of the window that lies on the screen.
    static void ExpectPixels(const TestBitmap& expected, const SplashRecord& splash)
    {
        const int width = splash.rect.right - splash.rect.left;
        const int height = splash.rect.bottom - splash.rect.top;
        ASSERT_EQ(expected.width, width);
        ASSERT_EQ(expected.height, height);
        ASSERT_EQ(static_cast<size_t>(width) * height, splash.pixels.size());
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
        int mismatches = 0, compared = 0;
        std::string first;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                int screenX = splash.rect.left + x, screenY = splash.rect.top + y;
                if (screenX < 0 || screenY < 0 || screenX >= screenWidth || screenY >= screenHeight)
                    continue;
                ++compared;
                COLORREF seen = splash.pixels[static_cast<size_t>(y) * width + x];
                if (seen != expected.At(x, y) && mismatches++ == 0)
                    first = "at (" + std::to_string(x) + ", " + std::to_string(y) + ") expected " +
                            Hex(expected.At(x, y)) + " saw " + Hex(seen);
            }
        }
        EXPECT_GT(compared, 0);
        EXPECT_EQ(0, mismatches) << first;
    }

    void WriteBitmap(const std::string& name, const TestBitmap& bitmap)
    {
        m_app.Directory().WriteFile(name, EncodeBmp(bitmap, 24));
    }

    ShippedApp m_app;
};

TEST_F(SplashScreen, ShowsTheBitmapCentredInABorderlessTopmostWindow)
{
    const int areaWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    const int areaHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    struct Row { const char* name; int width, height, bitsPerPixel; bool topDown; COLORREF (*colour)(int, int); } rows[] = {
        { "24-bit", 400, 300, 24, false, Gradient },
        { "8-bit palette, odd width", 37, 21, 8, false, Tiles },
        { "32-bit", 64, 48, 32, false, Gradient },
        { "1 x 1", 1, 1, 24, false, Gradient },
        // Wine's loader turns a top-down file into a black bitmap of the
        // right size, so only the window is checked for this one.
        { "24-bit top-down", 64, 48, 24, true, Gradient },
        // Oversized: the centring truncates toward zero, so one pixel too
        // wide gives x = 0 (not -1) and seven too wide gives x = -3.
        { "one pixel wider than the area", areaWidth + 1, 9, 24, false, Gradient },
        { "seven pixels wider than the area", areaWidth + 7, 9, 24, false, Gradient },
        { "one pixel taller than the area", 11, areaHeight + 1, 24, false, Gradient },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestBitmap bitmap = MakeBitmap(row.width, row.height, row.colour);
        std::string bitmapPath = m_app.Directory().WriteFile("art\\splash.bmp", EncodeBmp(bitmap, row.bitsPerPixel, row.topDown));
        m_app.WriteIni(Ini("Splash Screen=" + bitmapPath + "\r\n"));

        LaunchResult result = m_app.Launch("");
        ASSERT_TRUE(result.splash.seen);
        EXPECT_EQ(static_cast<DWORD>(WS_EX_TOPMOST | WS_EX_TOOLWINDOW), result.splash.exStyle);
        // The system adds WS_CLIPSIBLINGS to every top-level window, and the
        // modal error box disables its owner while it is open.
        EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_VISIBLE),
                  result.splash.style & ~(WS_CLIPSIBLINGS | WS_DISABLED));
        const int left = (areaWidth - row.width) / 2, top = (areaHeight - row.height) / 2;
        EXPECT_EQ(left, result.splash.rect.left);
        EXPECT_EQ(top, result.splash.rect.top);
        EXPECT_EQ(left + row.width, result.splash.rect.right);
        EXPECT_EQ(top + row.height, result.splash.rect.bottom);
        if (!row.topDown)
            ExpectPixels(bitmap, result.splash);
        ExpectBoxOwnership(result);
    }
}

TEST_F(SplashScreen, OwnsTheErrorBoxesOfTheLaterSteps)
{
    WriteBitmap("splash.bmp", MakeBitmap(20, 10, Gradient));
    const std::string splash = "[Display]\r\nSplash Screen=splash.bmp\r\n";
    const std::string classPath = "[Class Path]\r\nClass Path=app.jar\r\n";
    struct Row { std::string ini; std::string text; } rows[] = {
        { splash + classPath, kMainClassMissing },
        { splash + classPath + "[Java Runtime Environment]\r\nMain Class=app.Main\r\nMinimum Version=1.4\r\n",
          NotFound("minimum 1.4") },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        m_app.WriteIni(row.ini);
        LaunchResult result = m_app.Launch("");
        ASSERT_TRUE(result.splash.seen);
        ExpectBoxOwnership(result, row.text);
    }
}

TEST_F(SplashScreen, OnlyTheExactWordTrueGivesTheDropShadow)
{
    WriteBitmap("splash.bmp", MakeBitmap(20, 10, Gradient));
    struct Row { const char* shadowLine; bool shadow; } rows[] = {
        { "Splash Screen Shadow=true\r\n", true },
        { "Splash Screen Shadow=True\r\n", false },
        { "Splash Screen Shadow=1\r\n", false },
        { "Splash Screen Shadow=\r\n", false },
        { "", false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shadowLine);
        m_app.WriteIni(Ini("Splash Screen=splash.bmp\r\n" + std::string(row.shadowLine)));
        LaunchResult result = m_app.Launch("");
        ASSERT_TRUE(result.splash.seen);
        ASSERT_TRUE(result.splash.classStyleRead);
        EXPECT_EQ(static_cast<DWORD>(CS_DBLCLKS | CS_SAVEBITS | (row.shadow ? CS_DROPSHADOW : 0)),
                  result.splash.classStyle);
        ExpectBoxOwnership(result);
    }
}

TEST_F(SplashScreen, OnlyTheExactSwitchesSuppressIt)
{
    WriteBitmap("splash.bmp", MakeBitmap(20, 10, Gradient));
    m_app.WriteIni(Ini("Splash Screen=splash.bmp\r\nSplash Screen Shadow=true\r\n"));
    struct Row { const char* arguments; bool splash; } rows[] = {
        { "", true },
        { "-nosplash", false },
        { "/nosplash", false },
        { "first -nosplash last", false },
        { "-NOSPLASH", true },
        { "--nosplash", true },
        { "-nosplash=yes", true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        LaunchResult result = m_app.Launch(row.arguments);
        EXPECT_EQ(row.splash, result.splash.seen);
        ExpectBoxOwnership(result);
    }
}

TEST_F(SplashScreen, IsLeftOutWhenNoBitmapIsConfigured)
{
    WriteBitmap("splash.bmp", MakeBitmap(20, 10, Gradient));
    struct Row { const char* name; const char* ini; } rows[] = {
        { "no configuration file", nullptr },
        { "no Display section", "[Java Runtime Environment]\r\nMain Class=app.Main\r\n" },
        { "empty bitmap name", "[Display]\r\nSplash Screen=\r\nSplash Screen Shadow=true\r\n" },
        { "key in another section", "[Splash Screen]\r\nSplash Screen=splash.bmp\r\n" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteFileA((m_app.Directory().Path() + "App.ini").c_str());
        if (row.ini)
            m_app.WriteIni(row.ini);
        LaunchResult result = m_app.Launch("");
        EXPECT_FALSE(result.splash.seen);
        ExpectBoxOwnership(result);
    }
}

// The unit BitmapFile table goes through the ways a file can be cut short or
// malformed; these show that the launch goes on without a window.
TEST_F(SplashScreen, ABitmapThatCannotBeLoadedShowsNothingAndTheLaunchGoesOn)
{
    std::string bmp = EncodeBmp(MakeBitmap(40, 30, Gradient), 24);
    std::string claimsHuge = bmp.substr(0, 54 + 64);
    for (int offset : { 18, 22 }) { // biWidth, biHeight: 100,000 each
        const unsigned int huge = 100000;
        for (int i = 0; i < 4; ++i)
            claimsHuge[offset + i] = static_cast<char>((huge >> (8 * i)) & 0xFF);
    }
    struct Row { const char* name; std::string contents; } rows[] = {
        { "headers claiming 100,000 x 100,000 pixels over 64 bytes", claimsHuge },
        { "half the pixels", bmp.substr(0, 54 + (bmp.size() - 54) / 2) },
        { "text", "this is not a bitmap\r\n" },
    };
    m_app.WriteIni(Ini("Splash Screen=splash.bmp\r\n"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_app.Directory().WriteFile("splash.bmp", row.contents);
        LaunchResult result = m_app.Launch("");
        EXPECT_FALSE(result.splash.seen);
        ExpectBoxOwnership(result);
    }
    SCOPED_TRACE("missing file");
    DeleteFileA((m_app.Directory().Path() + "splash.bmp").c_str());
    LaunchResult result = m_app.Launch("");
    EXPECT_FALSE(result.splash.seen);
    ExpectBoxOwnership(result);
}

TEST_F(SplashScreen, ARelativeBitmapNameIsFoundFromTheCurrentDirectory)
{
    TestBitmap besideExe = MakeBitmap(30, 20, Gradient);
    TestBitmap elsewhere = MakeBitmap(24, 16, Tiles);
    WriteBitmap("images\\splash.bmp", besideExe);
    WriteBitmap("other\\images\\splash.bmp", elsewhere);
    m_app.WriteIni(Ini("Splash Screen=images\\splash.bmp\r\n"));

    struct Row { const char* name; std::string workingDirectory; const TestBitmap* shown; } rows[] = {
        { "started from the executable's directory", m_app.AppDirectory(), &besideExe },
        { "started from a directory without the bitmap", m_app.Directory().MakeDirectory("empty"), nullptr },
        { "started from a directory with another bitmap", m_app.Directory().Path() + "other\\", &elsewhere },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LaunchResult result = m_app.LaunchCommandLine(QuotedCommandLine(m_app.ExePath(), ""), {}, row.workingDirectory);
        ASSERT_EQ(row.shown != nullptr, result.splash.seen);
        if (row.shown)
            ExpectPixels(*row.shown, result.splash);
        ExpectBoxOwnership(result);
    }
}

// With the stand-in as the private runtime's jvm.dll the launch succeeds; the
// stand-in logs whether the splash was visible when main ran and when
// DestroyJavaVM was called. Main sleeps so that the probe can read the
// splash while no message loop runs at all.
TEST_F(SplashScreen, StaysUpWhileMainRunsAndIsGoneBeforeTheMachineIsDestroyed)
{
    TestBitmap bitmap = MakeBitmap(48, 32, Tiles);
    WriteBitmap("splash.bmp", bitmap);
    m_app.AddPrivateRuntime();
    m_app.WriteIni(Ini("Splash Screen=splash.bmp\r\n") + kMinimalIni);

    struct Row { const char* arguments; const char* duringMain; } rows[] = {
        { "", "visible" },
        { "-nosplash", "absent" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        LaunchResult result = m_app.Launch(row.arguments, { "TESTJVM_MAIN_SLEEP_MS=1500" });
        ExpectCleanLaunch(result);
        std::vector<std::string> log = m_app.Log();
        EXPECT_EQ(std::vector<std::string>{ row.duringMain }, LogValues(log, "main.splash"));
        EXPECT_EQ(std::vector<std::string>{ "absent" }, LogValues(log, "destroy.splash"));
        EXPECT_EQ(row.duringMain == std::string("visible"), result.splash.seen);
        if (result.splash.seen)
            ExpectPixels(bitmap, result.splash);
    }
}
