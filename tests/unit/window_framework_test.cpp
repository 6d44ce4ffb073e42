#include "framework/Module.h"
#include "framework/WindowClass.h"
#include "framework/WindowObject.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const UINT WM_TEST_HANDLED = WM_APP + 1;
const UINT WM_TEST_PASSED_ON = WM_APP + 2;

// Records every message its window sends it, in order.
class CRecordingWindow : public CWindowObject
{
public:
    HWND Create(ATOM windowClass, DWORD style = WS_POPUP)
    {
        RECT rect = { 10, 20, 110, 70 };
        return CreateBoundWindow(WS_EX_TOOLWINDOW, windowClass, style, rect);
    }

    BEGIN_MSG_MAP(CRecordingWindow)
        MESSAGE_HANDLER(WM_TEST_HANDLED, OnTestHandled)
        MESSAGE_HANDLER(WM_TEST_PASSED_ON, OnTestPassedOn)
        MESSAGE_HANDLER(WM_SETTEXT, OnSetText)
    END_MSG_MAP()

    LRESULT OnTestHandled(UINT, WPARAM wParam, LPARAM, bool&) { ++handledCount; return wParam * 2; }
    LRESULT OnTestPassedOn(UINT, WPARAM, LPARAM, bool& handled) { handled = false; return 99; }
    LRESULT OnSetText(UINT, WPARAM, LPARAM, bool& handled) { handled = !passSetText; return TRUE; }

    void OnFinalMessage(HWND window) override
    {
        finalWindow = window;
        handleAtFinalMessage = GetHandle();
        messagesAtFinalMessage = messages.size();
    }

    int handledCount = 0;
    bool passSetText = true;
    std::vector<UINT> messages;
    HWND finalWindow = nullptr;
    HWND handleAtFinalMessage = reinterpret_cast<HWND>(1);
    size_t messagesAtFinalMessage = 0;
};

// The map sees every message first; recording it there shows what reached
// the object, and in which order.
class CMessageLog : public CRecordingWindow
{
public:
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              DWORD mapId) override
    {
        messages.push_back(message);
        return CRecordingWindow::ProcessWindowMessage(window, message, wParam, lParam, result, mapId);
    }
};

std::vector<UINT> g_referenceMessages;

LRESULT CALLBACK ReferenceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_referenceMessages.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

bool IsClassRegistered(const char* name)
{
    WNDCLASSEXA description = { sizeof(description) };
    return GetClassInfoExA(g_module.GetInstance(), name, &description) != 0;
}

UINT ClassStyle(const char* name)
{
    WNDCLASSEXA description = { sizeof(description) };
    GetClassInfoExA(g_module.GetInstance(), name, &description);
    return description.style;
}

int g_registrations;
ATOM WINAPI CountingRegistrar(const WNDCLASSEXA* description)
{
    ++g_registrations;
    return RegisterClassExA(description);
}

ATOM WINAPI RefusingRegistrar(const WNDCLASSEXA*)
{
    ++g_registrations;
    return 0;
}

} // namespace

class WindowFramework : public testing::Test
{
protected:
    void SetUp() override
    {
        g_module.Init(GetModuleHandleA(nullptr));
        g_registrations = 0;
        m_previousRegistrar = SetClassRegistrar(CountingRegistrar);
        m_atom = m_windowClass.Register();
        ASSERT_NE(0, m_atom);
    }
    void TearDown() override
    {
        m_windowClass.Unregister();
        SetClassRegistrar(m_previousRegistrar);
        g_module.Term();
    }

    CWindowClass m_windowClass{ "FrameworkTestWindow", CS_DBLCLKS, nullptr };
    ATOM m_atom = 0;
    ClassRegistrar m_previousRegistrar = nullptr;
};

TEST_F(WindowFramework, TheObjectSeesEveryMessageOfItsWindowFromFirstToLast)
{
    // What a plain window of the same shape receives while it is created.
    // An overlapped window's first message comes before WM_NCCREATE.
    WNDCLASSEXA reference = { sizeof(reference) };
    reference.lpfnWndProc = ReferenceProc;
    reference.hInstance = g_module.GetInstance();
    reference.lpszClassName = "FrameworkReferenceWindow";
    ASSERT_NE(0, RegisterClassExA(&reference));
    g_referenceMessages.clear();
    HWND plain = CreateWindowExA(WS_EX_TOOLWINDOW, "FrameworkReferenceWindow", nullptr, WS_OVERLAPPEDWINDOW, 10,
                                 20, 100, 50, nullptr, nullptr, g_module.GetInstance(), nullptr);
    ASSERT_NE(nullptr, plain);
    std::vector<UINT> creationMessages = g_referenceMessages;
    DestroyWindow(plain);
    UnregisterClassA("FrameworkReferenceWindow", g_module.GetInstance());

    CMessageLog object;
    EXPECT_EQ(nullptr, object.GetHandle());
    HWND window = object.Create(m_atom, WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, object.GetHandle());
    ASSERT_FALSE(creationMessages.empty());
    EXPECT_NE(static_cast<UINT>(WM_NCCREATE), creationMessages.front());
    EXPECT_EQ(creationMessages, object.messages);

    DestroyWindow(window);
    ASSERT_FALSE(object.messages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), object.messages.back());
    EXPECT_EQ(window, object.finalWindow);
    EXPECT_EQ(nullptr, object.handleAtFinalMessage);
    EXPECT_EQ(object.messages.size(), object.messagesAtFinalMessage);
    EXPECT_EQ(nullptr, object.GetHandle());
}

TEST_F(WindowFramework, EachWindowReachesItsOwnObject)
{
    CRecordingWindow first, second;
    HWND firstWindow = first.Create(m_atom);
    HWND secondWindow = second.Create(m_atom);
    ASSERT_NE(nullptr, firstWindow);
    ASSERT_NE(nullptr, secondWindow);

    EXPECT_EQ(42, SendMessageA(firstWindow, WM_TEST_HANDLED, 21, 0));
    EXPECT_EQ(10, SendMessageA(secondWindow, WM_TEST_HANDLED, 5, 0));
    EXPECT_EQ(4, SendMessageA(secondWindow, WM_TEST_HANDLED, 2, 0));
    EXPECT_EQ(1, first.handledCount);
    EXPECT_EQ(2, second.handledCount);

    DestroyWindow(firstWindow);
    DestroyWindow(secondWindow);
}

TEST_F(WindowFramework, WhatTheMapLeavesGoesToDefWindowProc)
{
    CRecordingWindow object;
    HWND window = object.Create(m_atom);
    ASSERT_NE(nullptr, window);
    char text[32] = "";

    // Passed on: the default procedure stores the text.
    object.passSetText = true;
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("passed"));
    GetWindowTextA(window, text, sizeof(text));
    EXPECT_STREQ("passed", text);

    // Handled: the default procedure never sees it.
    object.passSetText = false;
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kept"));
    GetWindowTextA(window, text, sizeof(text));
    EXPECT_STREQ("passed", text);

    // A handler that clears `handled` leaves the result to DefWindowProcA.
    EXPECT_EQ(0, SendMessageA(window, WM_TEST_PASSED_ON, 0, 0));
    DestroyWindow(window);
}

TEST_F(WindowFramework, AFailedCreationLeavesNoObjectWaitingForAWindow)
{
    CRecordingWindow failed;
    EXPECT_EQ(nullptr, failed.Create(static_cast<ATOM>(0xBEEF)));

    // A window of the class made outside the framework must not be bound
    // to the object whose creation failed.
    HWND stray = CreateWindowExA(0, MAKEINTATOM(m_atom), nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 g_module.GetInstance(), nullptr);
    ASSERT_NE(nullptr, stray);
    SendMessageA(stray, WM_TEST_HANDLED, 1, 0);
    EXPECT_EQ(0, failed.handledCount);
    EXPECT_EQ(nullptr, failed.GetHandle());
    DestroyWindow(stray);

    CRecordingWindow later;
    HWND window = later.Create(m_atom);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(6, SendMessageA(window, WM_TEST_HANDLED, 3, 0));
    DestroyWindow(window);
}

TEST_F(WindowFramework, AnObjectDestroyedBeforeItsWindowTakesTheWindowAlong)
{
    HWND window;
    {
        CRecordingWindow object;
        window = object.Create(m_atom);
        ASSERT_NE(nullptr, window);
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowFramework, AClassIsRegisteredOnceAndUnregisteredByItsOwner)
{
    EXPECT_EQ(1, g_registrations);
    EXPECT_EQ(m_atom, m_windowClass.Register());
    EXPECT_EQ(m_atom, m_windowClass.Register(CS_DBLCLKS));
    EXPECT_EQ(1, g_registrations);
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), ClassStyle("FrameworkTestWindow"));

    m_windowClass.Unregister();
    EXPECT_FALSE(IsClassRegistered("FrameworkTestWindow"));
    {
        CWindowClass scoped("FrameworkScopedWindow", CS_DBLCLKS | CS_SAVEBITS, nullptr);
        ASSERT_NE(0, scoped.Register(CS_SAVEBITS));
        EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), ClassStyle("FrameworkScopedWindow"));
    }
    EXPECT_FALSE(IsClassRegistered("FrameworkScopedWindow"));
}

TEST_F(WindowFramework, AClassRegisteredElsewhereIsUsedAndLeftInPlace)
{
    WNDCLASSEXA foreign = { sizeof(foreign) };
    foreign.lpfnWndProc = DefWindowProcA;
    foreign.hInstance = g_module.GetInstance();
    foreign.lpszClassName = "FrameworkForeignWindow";
    ATOM foreignAtom = RegisterClassExA(&foreign);
    ASSERT_NE(0, foreignAtom);
    {
        CWindowClass windowClass("FrameworkForeignWindow", CS_DBLCLKS, nullptr);
        g_registrations = 0;
        EXPECT_EQ(foreignAtom, windowClass.Register());
        EXPECT_EQ(0, g_registrations);
    }
    EXPECT_TRUE(IsClassRegistered("FrameworkForeignWindow"));
    UnregisterClassA("FrameworkForeignWindow", g_module.GetInstance());
}

TEST_F(WindowFramework, AFailedRegistrationIsTriedAgainOnTheNextCall)
{
    CWindowClass windowClass("FrameworkRefusedWindow", 0, nullptr);
    SetClassRegistrar(RefusingRegistrar);
    g_registrations = 0;
    EXPECT_EQ(0, windowClass.Register());
    EXPECT_EQ(0, windowClass.Register());
    EXPECT_EQ(2, g_registrations);
    SetClassRegistrar(CountingRegistrar);
    EXPECT_NE(0, windowClass.Register());
    EXPECT_TRUE(IsClassRegistered("FrameworkRefusedWindow"));
}
