// SPDX-License-Identifier: GPL-3.0-or-later
// The daily task through the Task Scheduler 2.0 interface (ITaskService), its
// definition given as the scheduler's task XML ("Task Scheduler Schema" on
// Microsoft Learn).
#include "DailyTask.h"

#include "ComForThisThread.h"
#include "StoreErrors.h"
#include "WidePath.h"

#include <cwchar>
#include <memory>

#include <windows.h>
#include <taskschd.h>

namespace velnora {

namespace {

struct ReleaseInterface {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class T>
using Held = std::unique_ptr<T, ReleaseInterface>;

struct FreeText {
    void operator()(wchar_t* text) const { SysFreeString(text); }
};
// A BSTR, the text type of the scheduler's methods.
using Text = std::unique_ptr<wchar_t, FreeText>;
Text TextOf(const std::wstring& text) {
    return Text(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

// The path as element text: "&" and "<" are markup; ">" too after "]]".
std::wstring XmlText(const std::wstring& text) {
    std::wstring escaped;
    for (const wchar_t c : text) {
        if (c == L'&')
            escaped += L"&amp;";
        else if (c == L'<')
            escaped += L"&lt;";
        else if (c == L'>')
            escaped += L"&gt;";
        else
            escaped += c;
    }
    return escaped;
}

// Tomorrow at 00:00:10 local time, as the task schema writes a start (no zone:
// local time). A start in the past would count as missed and, with
// StartWhenAvailable, might run at once: the run would register the task
// again, and so on.
std::wstring TomorrowJustAfterMidnight() {
    SYSTEMTIME today;
    GetLocalTime(&today);
    today.wHour = today.wMinute = today.wSecond = today.wMilliseconds = 0;
    FILETIME time;
    SystemTimeToFileTime(&today, &time);
    ULARGE_INTEGER ticks{{time.dwLowDateTime, time.dwHighDateTime}};
    ticks.QuadPart += 24ULL * 60 * 60 * 10000000; // FILETIME counts 100 ns
    time = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME tomorrow;
    FileTimeToSystemTime(&time, &tomorrow);
    wchar_t text[32];
    swprintf(text, 32, L"%04u-%02u-%02uT00:00:10", tomorrow.wYear, tomorrow.wMonth, tomorrow.wDay);
    return text;
}

// CalendarTrigger: each day at 00:00:10 local time, 10 s after midnight so
// that a clock a little behind has also reached the new day, as the Linux
// timer does. StartWhenAvailable: a start
// missed while the machine was off or asleep runs as soon as it can, which
// covers the resume after midnight. InteractiveToken: only while the user is
// logged on, in the user's session, whose desktop the redraw changes;
// LeastPrivilege: no elevation. On batteries too: a redraw takes seconds.
std::wstring TaskXml(const std::wstring& executable, const std::wstring& start) {
    return L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
           L"<Task version=\"1.2\" "
           L"xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
           L"  <RegistrationInfo>\n"
           L"    <Description>Velnora: redraws the wallpaper calendar for today after "
           L"midnight</Description>\n"
           L"  </RegistrationInfo>\n"
           L"  <Triggers>\n"
           L"    <CalendarTrigger>\n"
           L"      <StartBoundary>" + start + L"</StartBoundary>\n"
           L"      <ScheduleByDay><DaysInterval>1</DaysInterval></ScheduleByDay>\n"
           L"    </CalendarTrigger>\n"
           L"  </Triggers>\n"
           L"  <Principals>\n"
           L"    <Principal id=\"Author\">\n"
           L"      <LogonType>InteractiveToken</LogonType>\n"
           L"      <RunLevel>LeastPrivilege</RunLevel>\n"
           L"    </Principal>\n"
           L"  </Principals>\n"
           L"  <Settings>\n"
           L"    <StartWhenAvailable>true</StartWhenAvailable>\n"
           L"    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\n"
           L"    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\n"
           L"  </Settings>\n"
           L"  <Actions Context=\"Author\">\n"
           L"    <Exec>\n"
           L"      <Command>" +
           XmlText(executable) +
           L"</Command>\n"
           L"      <Arguments>refresh</Arguments>\n"
           L"    </Exec>\n"
           L"  </Actions>\n"
           L"</Task>\n";
}

// The scheduler's root folder, or null when the scheduler cannot be reached.
Held<ITaskFolder> RootFolder() {
    ITaskService* service = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ITaskService, reinterpret_cast<void**>(&service))))
        return nullptr;
    const Held<ITaskService> held(service);
    VARIANT local{}; // VT_EMPTY: this machine, this user
    if (FAILED(service->Connect(local, local, local, local)))
        return nullptr;
    ITaskFolder* root = nullptr;
    const Text rootPath = TextOf(L"\\");
    if (FAILED(service->GetFolder(rootPath.get(), &root)))
        return nullptr;
    return Held<ITaskFolder>(root);
}

} // namespace

void SetDailyTask(unsigned mode, const std::string& executablePath) {
    if (mode > 1)
        return;
    const ComForThisThread com;
    const Held<ITaskFolder> root = RootFolder();
    const Text path = TextOf(WidePath(DailyTaskPath));
    if (mode == 0) {
        if (!root)
            return;
        const HRESULT deleted = root->DeleteTask(path.get(), 0);
        if (FAILED(deleted) && deleted != HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))
            throw WriteRefused(DailyTaskPath);
        return;
    }
    if (!root || executablePath.empty())
        throw WriteRefused(DailyTaskPath);
    const Text xml = TextOf(TaskXml(WidePath(executablePath), TomorrowJustAfterMidnight()));
    VARIANT none{}; // VT_EMPTY: the user who registers, no password, no own security
    IRegisteredTask* task = nullptr;
    if (FAILED(root->RegisterTask(path.get(), xml.get(), TASK_CREATE_OR_UPDATE, none, none,
                                  TASK_LOGON_INTERACTIVE_TOKEN, none, &task)))
        throw WriteRefused(DailyTaskPath);
    task->Release();
}

}  // namespace velnora
